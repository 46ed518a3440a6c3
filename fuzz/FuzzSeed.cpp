// fuzz-seed: packs the files of a league into the inputs of the harnesses that take more
// than one file or a prefix (the whole league, the player file, a list file), so that the
// corpus script can start every fuzz target from real leagues.
//
//   fuzz-seed league OUT LGE PYR PYF PYC DAT [MOVES]   ("-" for a file the league lacks;
//                                                      MOVES roster moves appended)
//   fuzz-seed players OUT LGE PYR                      (record size and next identifier from LGE)
//   fuzz-seed list OUT FLAGS FILE                      (FLAGS: bit 0 draft file, bit 1 moves)
//   fuzz-seed minimal DIR                              (the harnesses' own minimal league)
#include "fuzz/FuzzSupport.h"
#include "fuzz/MinimalLeague.h"
#include "league/ByteOrder.h"

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
                         "       fuzz-seed minimal DIR\n");
    return 2;
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
