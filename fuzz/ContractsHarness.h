#pragma once

// The harnesses of the contract model's readers: the options file "salreg", the salary
// information file (.FRO) and the sibling salary file (.SAL), each beside the minimal
// league, read as the program reads them when it opens a league.

#include "contracts/ChanceExplanation.h"
#include "contracts/CheapestOffer.h"
#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "contracts/OptionsEditor.h"
#include "contracts/ScriptedPrompt.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/LeagueHarness.h"
#include "fuzz/MinimalLeague.h"
#include "league/MoneyText.h"

#include <memory>
#include <string>

namespace fuzzing {

// A league read from the scratch folder; the harness fails when it does not open.
inline std::unique_ptr<League> OpenMinimalLeague(const ScratchFolder& folder) {
    auto league = std::make_unique<League>();
    Check(league->OpenLeague(MinimalLeague::LeaguePath(folder)) && league->ReadLeagueData(),
          "the minimal league opens");
    return league;
}

// Every record, charge, total and acceptance chance the program can show.
inline void WalkContracts(ContractList& list) {
    const int count = list.Count();
    for (int id = -1; id <= count; ++id) {
        const Contract contract = list.GetContract(id);
        Check((list.GetRecord(id) != nullptr) == (id >= ContractList::kFirstID && id < count),
              "records exist for the league's players only");
        std::size_t sum = std::size_t{contract.cgs} + contract.bonus + contract.salary +
                          static_cast<std::size_t>(contract.years + contract.status + contract.declines);
        for (int year = -1; year <= 8; ++year)
            for (int part = -1; part <= 3; ++part)
                sum += static_cast<std::size_t>(list.YearCharge(id, year, part));
        // The chance of his present contract, and of a plain offer.
        const std::int32_t present =
            list.GetCommissioner().AcceptChance(contract, contract.years, contract.salary, contract.bonus);
        const std::int32_t offer = list.GetCommissioner().AcceptChance(contract, 3, 1000000, 250000);
        Check(present >= 0 && offer >= 0, "an acceptance chance is not negative");
        gSink = gSink + sum + static_cast<std::size_t>(present) + static_cast<std::size_t>(offer);
    }
    for (int team = -1; team <= list.GetNumTeams(); ++team) {
        const TeamInfo info = list.GetTeamInfo(team);
        gSink = gSink + info.restructures + info.counter2 + static_cast<std::size_t>(list.BonusSpent(team)) +
                static_cast<std::size_t>(list.CurrentPayroll(team)) +
                static_cast<std::size_t>(list.EstimatedPayroll(team));
    }
}

// Two lists hold the same records and counters.
inline bool SameContracts(const ContractList& a, const ContractList& b) {
    if (a.Count() != b.Count())
        return false;
    for (int id = ContractList::kFirstID; id < a.Count(); ++id)
        if (!(a.GetContract(id) == b.GetContract(id)))
            return false;
    for (int team = 0; team < a.GetNumTeams(); ++team) {
        const TeamInfo x = a.GetTeamInfo(team);
        const TeamInfo y = b.GetTeamInfo(team);
        if (x.restructures != y.restructures || x.counter2 != y.counter2)
            return false;
    }
    return true;
}

// Saves a loaded list and loads the file again into a new list: both must agree.
inline void CheckSaveAndReload(League& league, const Options& options, ContractList& list, Prompt& prompt) {
    Check(list.Save(), "a loaded salary file can be saved");
    ContractList again(league, options);
    Check(again.Load(prompt), "a saved salary file loads");
    Check(SameContracts(list, again), "a saved salary file reads back as it was held");
}

// The options window on the options: loaded into its controls, saved, and loaded and saved
// again, which must change nothing more (a save reads back what the controls show).
inline void EditAndSave(const Options& options, const ScratchFolder& folder) {
    ScriptedPrompt prompt;
    Options edited = options;
    OptionsEditor editor(edited, prompt, "FrontOffice");
    editor.UpdateFields();
    editor.rook_cgsShow();
    gSink = gSink + OptionsEditor::RookieSummary(edited).size();
    const Bytes before = folder.Read("salreg");
    bool saved = false;
    try {
        saved = editor.saveBtnClick();
    } catch (const ConversionError&) {
        // A stored value the window shows but cannot read back (a negative salary cap shown
        // as a large unsigned one): the error box, and nothing is written.
        Check(folder.Read("salreg") == before, "a save that fails on a field writes nothing");
        return;
    }
    Check(saved == (options.GetFileState() != Options::FileState::Newer),
          "the options window saves unless the file is of a newer version");
    if (!saved) {
        Check(!editor.SaveError().empty(), "a refused save says why");
        return;
    }
    Options reloaded;
    reloaded.Load(folder.Path(), prompt);
    OptionsEditor again(reloaded, prompt, "FrontOffice");
    Check(again.saveBtnClick(), "saved options can be saved again");
    Options twice;
    twice.Load(folder.Path(), prompt);
    Check(twice.Encode() == reloaded.Encode(), "a second save of the options window changes nothing");
}

// What the editor shows a manager composing an offer: the terms of a chance and the
// cheapest offers that reach the usual chances, for a player on a club, a free agent and a
// draft prospect.
inline void AdviseOnOffers(ContractList& list, const Options& options) {
    const Commissioner& commissioner = list.GetCommissioner();
    for (const int id : {MinimalLeague::kFirstPlayer + 1, MinimalLeague::kFirstFreeAgent + 2,
                         MinimalLeague::kFirstProspect + 3}) {
        const Contract contract = list.GetContract(id);
        for (const std::int32_t years : {0, 1, 3, 8}) {
            const AcceptTerms terms = commissioner.ExplainChance(contract, years, 1500000, 400000);
            Check(terms.chance == commissioner.AcceptChance(contract, years, 1500000, 400000),
                  "the explained chance is the chance");
            for (const std::string& line : DescribeChance(terms, options))
                gSink = gSink + line.size();
        }
        for (const CheapestOffer& offer : FindCheapestOffers(commissioner, contract, options, {60, 90})) {
            Check(!offer.salary || offer.chance >= offer.target, "a cheapest offer reaches its target");
            for (const std::string& cell : DescribeCheapestOffer(offer))
                gSink = gSink + cell.size();
        }
    }
}

// The options file "salreg", then what the program does with the options when it opens a
// league without salary information: it builds it (CGS generation, by ratings or by
// statistics) and shows totals and acceptance chances.
inline int FuzzSalreg(const std::uint8_t* data, std::size_t size) {
    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    folder.Write("salreg", data, size);

    ScriptedPrompt prompt;
    Options options;
    options.Load(folder.Path(), prompt);
    for (int row = -1; row <= Options::kSplitRows; ++row)
        for (auto v : options.GetSplits(row))
            gSink = gSink + static_cast<std::size_t>(v);
    for (int group = -1; group <= Options::kGroups; ++group) {
        for (auto v : options.GetWeights(group))
            gSink = gSink + static_cast<std::size_t>(v);
        for (auto v : options.GetCurve(group))
            gFloatSink = gFloatSink + static_cast<float>(v);
    }
    for (int round = -1; round <= Options::kRounds + 1; ++round)
        for (int pick = -1; pick <= Options::kPicks + 1; ++pick)
            gSink = gSink + static_cast<std::size_t>(options.RookieCGS(round, pick));

    // Whatever was read is written and reads back the same; a newer file is never written over.
    const auto image = options.Encode();
    if (options.GetFileState() == Options::FileState::Newer) {
        Check(!options.Write(), "a newer options file is not written over");
        Check(folder.Holds("salreg", ByteSpan(data, size)), "a newer options file is kept as it was");
    } else {
        Check(options.GetFileState() == Options::FileState::Read, "an options file of any content is read");
        Check(options.Write(), "the options can be written");
        Options reread;
        reread.Load(folder.Path(), prompt);
        Check(reread.Encode() == image, "written options read back as they were held");
    }
    EditAndSave(options, folder);

    MinimalLeague::Get().WriteTo(folder, true, true, true);
    auto league = OpenMinimalLeague(folder);
    ScriptedPrompt builder;
    builder.AnswerCaption("Build Salary Info?", true);
    ContractList list(*league, options);
    Check(list.Load(builder), "salary information is built from any options");
    WalkContracts(list);
    AdviseOnOffers(list, options);
    return 0;
}

// A salary information file (.FRO) beside the minimal league, with the default options.
inline int FuzzFro(const std::uint8_t* data, std::size_t size) {
    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    MinimalLeague::Get().WriteTo(folder, true, true);
    folder.Write(std::string(MinimalLeague::kBase) + ".FRO", data, size);

    auto league = OpenMinimalLeague(folder);
    Options options; // the defaults, in memory only
    options.SetFolder(folder.Path());
    ScriptedPrompt prompt; // No to every question: nothing is converted or built
    ContractList list(*league, options);
    const bool loaded = list.Load(prompt);
    Check(prompt.History().empty(), "an existing salary file asks nothing");
    const bool known = size >= 4 && tolvik::readS16le(data) == ContractList::kMagic &&
                       (tolvik::readS16le(data + 2) == 1 || tolvik::readS16le(data + 2) == 2);
    // A known file is refused only as another league's, and then says why.
    Check(loaded == (known && list.GetLoadError().empty()),
          "a salary file loads exactly when its magic and version are known and its records are its own");
    WalkContracts(list);
    if (loaded)
        CheckSaveAndReload(*league, options, list, prompt);
    else
        Check(!list.Save(), "a salary file that was not taken is never written over");
    return 0;
}

// A sibling salary file (.SAL) beside the minimal league and no .FRO: the user agrees to
// convert it, and the salary information file written by the conversion loads.
inline int FuzzSal(const std::uint8_t* data, std::size_t size) {
    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    MinimalLeague::Get().WriteTo(folder, true, true);
    folder.Write(std::string(MinimalLeague::kBase) + ".SAL", data, size);

    auto league = OpenMinimalLeague(folder);
    Options options;
    options.SetFolder(folder.Path());
    ScriptedPrompt prompt;
    prompt.AnswerCaption("Convert File?", true);
    ContractList list(*league, options);
    const bool loaded = list.Load(prompt);
    const bool valid = size >= Contract::kSiblingRecordSize && tolvik::readU16le(data) == 300;
    Check(loaded == valid, "a sibling file converts exactly when its header record is valid");
    Check(loaded == folder.Exists(std::string(MinimalLeague::kBase) + ".FRO"),
          "a conversion writes the salary file, a refused one writes nothing");
    WalkContracts(list);
    if (loaded)
        CheckSaveAndReload(*league, options, list, prompt);
    return 0;
}

} // namespace fuzzing
