// fuzz-seed: packs the files of a league into the inputs of the harnesses that take more
// than one file or a prefix (the whole league, the player file, a list file), so that the
// corpus script can start every fuzz target from real leagues.
//
//   fuzz-seed league OUT LGE PYR PYF PYC DAT [MOVES]   ("-" for a file the league lacks;
//                                                      MOVES roster moves appended)
//   fuzz-seed players OUT LGE PYR                      (record size and next identifier from LGE)
//   fuzz-seed list OUT FLAGS FILE                      (FLAGS: bit 0 draft file, bit 1 moves)
//   fuzz-seed minimal DIR                              (the harnesses' own minimal league)
//   fuzz-seed offers DIR                               (offer files of the minimal league)
//   fuzz-seed recovery DIR                             (folders of write-backs cut off)
#include "contracts/ContractList.h"
#include "contracts/Offer.h"
#include "contracts/Options.h"
#include "contracts/ScriptedPrompt.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/MinimalLeague.h"
#include "fuzz/RecoveryHarness.h"
#include "league/ByteOrder.h"
#include "tests/support/FaultyFiles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

bool WriteOut(const std::string& path, const fuzzing::Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool Load(const std::string& path, fuzzing::Bytes& bytes) {
    if (fuzzing::ReadWholeFile(path, bytes))
        return true;
    std::fprintf(stderr, "fuzz-seed: cannot read %s\n", path.c_str());
    return false;
}

int Usage() {
    std::fprintf(stderr, "usage: fuzz-seed league OUT LGE PYR PYF PYC DAT [MOVES]\n"
                         "       fuzz-seed players OUT LGE PYR\n"
                         "       fuzz-seed list OUT FLAGS FILE\n"
                         "       fuzz-seed minimal DIR\n"
                         "       fuzz-seed offers DIR\n"
                         "       fuzz-seed recovery DIR\n");
    return 2;
}

void Put32(fuzzing::Bytes& out, std::size_t n) {
    for (int b = 0; b < 4; ++b)
        out.push_back(static_cast<std::uint8_t>(n >> (8 * b)));
}

// The minimal league on a memory file system in front of the library, for the modes that
// run the library to make their seeds.
struct MemoryLeague {
    MemoryLeague() : previous(tolvik::UseFiles(&folder.Files())) {
        folder.Clear();
        fuzzing::MinimalLeague::Get().WriteTo(folder, true, true);
    }
    ~MemoryLeague() { tolvik::UseFiles(previous == &tolvik::SystemDefaultFiles() ? nullptr : previous); }
    const fuzzing::ScratchFolder& folder = fuzzing::ScratchFolder::Get();
    tolvik::SystemFiles* previous;
};

// Offer files for clubs of the minimal league with salary information built from the
// default options: every type, for players on the club, on other clubs and free agents.
bool OfferSeeds(const std::string& dir) {
    fuzzing::Bytes fro;
    {
        MemoryLeague memory;
        League league;
        if (!league.OpenLeague(fuzzing::MinimalLeague::LeaguePath(memory.folder)) || !league.ReadLeagueData())
            return false;
        Options options;
        options.SetFolder(memory.folder.Path());
        ScriptedPrompt prompt;
        prompt.AnswerCaption("Build Salary Info?", true);
        ContractList contracts(league, options);
        if (!contracts.Load(prompt))
            return false;
        fro = memory.folder.Read(std::string(fuzzing::MinimalLeague::kBase) + ".FRO");
    }
    using M = fuzzing::MinimalLeague;
    for (int team = 0; team < 3; ++team) {
        fuzzing::Bytes seed{static_cast<std::uint8_t>(team), static_cast<std::uint8_t>(team == 2 ? 0x05 : 0)};
        Put32(seed, team == 1 ? 0 : fro.size());
        if (team != 1)
            seed.insert(seed.end(), fro.begin(), fro.end());
        const int players[] = {M::kFirstPlayer + M::kPerTeam * team, M::kFirstPlayer + M::kPerTeam * team + 3,
                               M::kFirstPlayer + M::kPerTeam * (team + 1), M::kFirstFreeAgent + team,
                               M::kFirstProspect + team};
        for (int type = 0; type <= Offer::InvalidOffer; ++type) {
            Offer offer;
            offer.playerID = static_cast<std::int16_t>(players[type % 5]);
            offer.team = static_cast<std::int8_t>(team);
            offer.offerType = static_cast<std::int8_t>(type);
            offer.years = static_cast<std::int8_t>(1 + type % 7);
            offer.salary = 400000u + 250000u * static_cast<std::uint32_t>(type);
            offer.bonus = offer.salary / 4;
            offer.acceptPct = static_cast<std::int16_t>(40 + 5 * type);
            std::uint8_t record[Offer::kRecordSize];
            offer.Encode(record);
            seed.insert(seed.end(), record, record + Offer::kRecordSize);
        }
        if (!WriteOut(dir + "/club" + std::to_string(team), seed))
            return false;
    }
    return true;
}

// The folder as a recovery input (fuzz/RecoveryHarness.h): every file whose name the input
// can give, with its bytes; the player and draft files and their copies left out when they
// hold the minimal league's bytes, which the harness lays down anyway.
fuzzing::Bytes PackFolder(const fuzzing::ScratchFolder& folder) {
    const auto& minimal = fuzzing::MinimalLeague::Get();
    fuzzing::Bytes out(1, 0);
    for (const std::string& name : folder.List()) {
        const auto known =
            std::find(std::begin(fuzzing::kRecoveryNames), std::end(fuzzing::kRecoveryNames), name);
        const bool temporary = tolvik::IsTemporaryName(name);
        if (known == std::end(fuzzing::kRecoveryNames) && !temporary)
            continue;
        const fuzzing::Bytes bytes = folder.Read(name);
        if (bytes == minimal.pyr || bytes == minimal.pyc)
            continue;
        out.push_back(static_cast<std::uint8_t>(temporary ? fuzzing::kTemporaryCode
                                                          : known - std::begin(fuzzing::kRecoveryNames)));
        if (temporary)
            for (auto c = name.begin() + 8; c != name.begin() + 16; ++c)
                out.push_back(static_cast<std::uint8_t>(std::strchr(fuzzing::kTemporaryNameChars, *c) -
                                                        fuzzing::kTemporaryNameChars));
        Put32(out, bytes.size());
        out.insert(out.end(), bytes.begin(), bytes.end());
        ++out[0];
    }
    return out;
}

// What a program killed at each rename of a write-back leaves (the journal, its temporary
// files, the working copies and the lock file's notes), and a torn and a cut-short form.
bool RecoverySeeds(const std::string& dir) {
    for (int killAt = 1; killAt <= 2; ++killAt) {
        MemoryLeague memory;
        fuzzing::Bytes left;
        int renames = 0;
        FaultyFiles killing(
            [&](FaultyFiles::Call call, const std::string&) {
                if (call == FaultyFiles::Call::Rename && ++renames == killAt)
                    left = PackFolder(memory.folder);
                return tolvik::FileError::None;
            },
            memory.folder.Files());
        tolvik::UseFiles(&killing);
        {
            League league;
            using M = fuzzing::MinimalLeague;
            if (!league.OpenLeague(M::LeaguePath(memory.folder)) || !league.ReadLeagueData() ||
                !league.MovePlayer(static_cast<short>(M::kFirstFreeAgent), 0) || !league.WriteLeague() ||
                !league.CloseLeague())
                return false;
        }
        tolvik::UseFiles(&memory.folder.Files());
        if (left.empty() || !WriteOut(dir + "/killed-at-rename" + std::to_string(killAt), left))
            return false;
        // The same folder with its last file cut in half, and with the journal cut short.
        fuzzing::Bytes torn = left;
        torn.resize(torn.size() - 8);
        if (!WriteOut(dir + "/torn" + std::to_string(killAt), torn))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    const std::string mode = argv[1];
    const std::string out = argv[2];
    fuzzing::Bytes packed;

    if (mode == "league" && (argc == 8 || argc == 9)) {
        fuzzing::LeagueInput input;
        for (int k = 0; k < fuzzing::kLeaguePartCount; ++k) {
            const std::string path = argv[3 + k];
            if (path == "-")
                continue;
            input.present[k] = true;
            if (!Load(path, input.files[k]))
                return 1;
        }
        // Moves that reach real players of a sample league: signings onto teams 0, 1, ...
        // and releases, spread over the identifiers from 100 on.
        const int moves = argc == 9 ? std::atoi(argv[8]) : 0;
        for (int m = 0; m < moves; ++m) {
            const int op = m % 2 == 0 ? 2 * (m / 2) + 1 : 0;
            const int pid = 100 + 37 * m;
            input.moves.push_back(static_cast<std::uint8_t>(op));
            input.moves.push_back(static_cast<std::uint8_t>(pid & 0xFF));
            input.moves.push_back(static_cast<std::uint8_t>(pid >> 8));
        }
        packed = fuzzing::PackLeagueInput(input);
    } else if (mode == "players" && argc == 5) {
        fuzzing::Bytes lge, pyr;
        if (!Load(argv[3], lge) || !Load(argv[4], pyr))
            return 1;
        if (lge.size() < 18) {
            std::fprintf(stderr, "fuzz-seed: %s has no league header\n", argv[3]);
            return 1;
        }
        const bool version2 = std::memcmp(lge.data(), "L02:", 4) == 0;
        packed.push_back(version2 ? 1 : 0);
        packed.push_back(lge[16]); // next player identifier, header offset 8
        packed.push_back(lge[17]);
        packed.insert(packed.end(), pyr.begin(), pyr.end());
    } else if (mode == "list" && argc == 5) {
        fuzzing::Bytes file;
        if (!Load(argv[4], file))
            return 1;
        packed.push_back(static_cast<std::uint8_t>(std::atoi(argv[3])));
        packed.insert(packed.end(), file.begin(), file.end());
    } else if (mode == "offers" && argc == 3) {
        return OfferSeeds(out) ? 0 : 1;
    } else if (mode == "recovery" && argc == 3) {
        return RecoverySeeds(out) ? 0 : 1;
    } else if (mode == "minimal" && argc == 3) {
        const auto& minimal = fuzzing::MinimalLeague::Get();
        const std::string base = out + "/" + fuzzing::MinimalLeague::kBase;
        const bool ok = WriteOut(base + ".lge", minimal.lge) && WriteOut(base + ".pyr", minimal.pyr) &&
                        WriteOut(base + ".pyf", minimal.pyf) && WriteOut(base + ".pyc", minimal.pyc) &&
                        WriteOut(base + ".dat", minimal.dat);
        if (!ok)
            std::fprintf(stderr, "fuzz-seed: cannot write into %s\n", out.c_str());
        return ok ? 0 : 1;
    } else {
        return Usage();
    }

    if (!WriteOut(out, packed)) {
        std::fprintf(stderr, "fuzz-seed: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
