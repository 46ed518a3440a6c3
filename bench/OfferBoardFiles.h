#pragma once

// The offer files of the offer board's benchmarks: one file of 32 offers per club.

#include "bench/BenchSupport.h"
#include "contracts/Offer.h"
#include "contracts/OfferList.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

constexpr int kBoardClubs = 30;

// Club c bids for 32 free agents, half of them shared with the next club, so that most
// players draw two or more offers; every fourth offer is a restructure of its own player.
inline std::vector<std::string> WriteOfferFiles(const bench::ScratchLeague& scratch) {
    std::vector<std::int16_t> freeAgents;
    std::vector<std::vector<std::int16_t>> rosters(kBoardClubs);
    for (const SamplePlayerInfo& p : scratch.Result().players) {
        if (p.freeAgent)
            freeAgents.push_back(p.id);
        else if (p.team >= 0 && p.team < kBoardClubs)
            rosters[static_cast<std::size_t>(p.team)].push_back(p.id);
    }
    std::vector<std::string> paths;
    for (int club = 0; club < kBoardClubs; ++club) {
        std::vector<std::uint8_t> bytes(OfferList::kMaxOffers * Offer::kRecordSize);
        for (int k = 0; k < OfferList::kMaxOffers; ++k) {
            Offer o;
            const bool restructure = k % 4 == 3;
            o.playerID = restructure
                             ? rosters[static_cast<std::size_t>(club)][static_cast<std::size_t>(k)]
                             : freeAgents[static_cast<std::size_t>(club * 16 + k) % freeAgents.size()];
            o.team = static_cast<std::int8_t>(club);
            o.offerType = restructure ? Offer::RestructureOffer : Offer::SignFreeAgent;
            o.years = static_cast<std::int8_t>(1 + (club + k) % 5);
            o.salary = 1000000u + 25000u * static_cast<unsigned>(k + club);
            o.bonus = o.salary / 4;
            o.acceptPct = 60;
            o.Encode(bytes.data() + k * Offer::kRecordSize);
        }
        paths.push_back(scratch.Folder() + "/club" + std::to_string(club) + ".off");
        std::FILE* file = std::fopen(paths.back().c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
            std::fclose(file) != 0) {
            std::fprintf(stderr, "cannot write %s\n", paths.back().c_str());
            std::exit(1);
        }
    }
    return paths;
}

} // namespace bench
