#pragma once

// The harness of offer files (.off), which managers send to each other: loaded into the
// offer list of a club of the minimal league, with the sentences, the running figures, the
// league's rules and the cap table the program shows for them, then written and read again.

#include "contracts/CapTable.h"
#include "contracts/OfferList.h"
#include "contracts/OfferRules.h"
#include "fuzz/ContractsHarness.h"

#include <algorithm>
#include <limits>

namespace fuzzing {

// The input: the managed club (one byte, modulo the league's clubs), a byte whose bits
// untick items (bit k unticks every item i with i % 8 == k), a salary information file
// (32-bit length, then its bytes; empty: every record the default) and the offer file.
inline int FuzzOffers(const std::uint8_t* data, std::size_t size) {
    InputCursor in(data, size);
    const int team = in.U8() % MinimalLeague::kTeams;
    const std::uint8_t untick = in.U8();
    const ByteSpan fro = in.Take(in.U32());
    const ByteSpan file = in.Rest();

    const ScratchScope scope;
    const ScratchFolder& folder = scope.Folder();
    MinimalLeague::Get().WriteTo(folder, true, true);
    if (!fro.empty())
        folder.Write(std::string(MinimalLeague::kBase) + ".FRO", fro);
    folder.Write("club.off", file);

    auto league = OpenMinimalLeague(folder);
    Options options;
    options.SetFolder(folder.Path());
    ScriptedPrompt prompt; // No to every question: nothing is converted or built
    ContractList contracts(*league, options);
    contracts.Load(prompt);

    OfferList offers(contracts);
    offers.SetBase(team, contracts.GetTeamInfo(team));
    const int added = offers.LoadOffers(folder.File("club.off"));
    const std::size_t whole = file.size() / Offer::kRecordSize;
    Check(added == static_cast<int>(std::min<std::size_t>(whole, OfferList::kMaxOffers)),
          "an offer file lists its whole records, at most 32");
    for (int i = 0; i < offers.Count(); ++i) {
        const OfferList::Item& item = offers.Items()[static_cast<std::size_t>(i)];
        const Offer read =
            Offer::Decode(file.data() + static_cast<std::size_t>(i) * Offer::kRecordSize, Offer::kRecordSize);
        Check(item.offer == read, "the offers are listed in file order, one record each");
        Check(item.text.size() >= league->GetTeamName(item.offer.team).size(),
              "a sentence starts with the offering club's name");
        if (untick & (1u << (i % 8)))
            offers.SetChecked(i, false);
    }
    offers.RecalcTotals();
    const OfferList::Totals& totals = offers.GetTotals();
    gSink = gSink + totals.bonusText.size() + totals.payrollText.size() + totals.restructsText.size();
    Check(offers.RunningFigures().size() == static_cast<std::size_t>(offers.Count()),
          "one running figure per item");

    const auto problems = CheckOfferRules(offers, contracts);
    Check(problems.size() == static_cast<std::size_t>(offers.Count()), "one list of problems per item");
    for (int i = 0; i < offers.Count(); ++i)
        Check(offers.Items()[static_cast<std::size_t>(i)].checked ||
                  problems[static_cast<std::size_t>(i)].empty(),
              "an unticked offer breaks no rule");
    gSink = gSink + SaveAnywayQuestion(CountRuleBreakers(problems)).size();

    // Without offers this season's column is the club's payroll, however the file's contracts read.
    const CapTable alone = BuildCapTable(contracts, team, nullptr);
    const std::int64_t payroll = std::clamp<std::int64_t>(
        alone.totals[0], std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    Check(payroll == contracts.CurrentPayroll(team), "the cap table's season is the current payroll");
    const CapTable withOffers = BuildCapTable(contracts, team, &offers);
    Check(withOffers.offers.size() <= static_cast<std::size_t>(offers.Count()),
          "at most one cap row per offer");

    // The ticked offers are written and read back as they were held.
    std::string reason;
    Check(offers.WriteOffers(folder.File("saved.off"), reason), "the ticked offers can be written");
    Check(folder.Holds("saved.off", offers.TickedBytes()), "the offer file holds the ticked records");
    OfferList again(contracts);
    again.SetBase(team, contracts.GetTeamInfo(team));
    again.LoadOffers(folder.File("saved.off"));
    std::size_t next = 0;
    for (const OfferList::Item& item : offers.Items()) {
        if (!item.checked)
            continue;
        Check(next < again.Items().size() && again.Items()[next++].offer == item.offer,
              "a written offer reads back as it was");
    }
    Check(next == again.Items().size(), "the file holds the ticked offers only");
    return 0;
}

} // namespace fuzzing
