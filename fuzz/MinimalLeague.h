#pragma once

// A small, valid league for the harnesses that fuzz one companion file (a list, the
// statistics, the salary files) beside a league that is itself sound.

#include "fuzz/FuzzSupport.h"
#include "league/ByteOrder.h"
#include "league/Encryption.h"
#include "league/Player.h"
#include "league/Roster.h"

#include <cstring>
#include <string>

namespace fuzzing {

// Eight teams (size code 0), stage 2 (the draft file is in use), season 2006, version 3.
// Players 100..579 cycle through the nine general codes and one code of no group; team k
// holds 100 + 45k .. 144 + 45k in slots 0..44, free agents are 460..519 and draft prospects
// 520..579. The next player identifier is 600 and the season that of the sample leagues of
// eight teams, so their statistics and salary files fit it; 580..599 are default players.
struct MinimalLeague {
    static constexpr int kTeams = 8;
    static constexpr std::int16_t kNextID = 600;
    static constexpr std::int16_t kSeason = 2006;
    static constexpr int kFirstPlayer = 100;
    static constexpr int kPlayers = 480;
    static constexpr int kPerTeam = 45;
    static constexpr int kFirstFreeAgent = 460;
    static constexpr int kFirstProspect = 520;
    static constexpr const char* kBase = "fuzz";

    Bytes lge, pyr, pyf, pyc;
    // A small statistics file: one season line per player, and the two team lines the
    // statistics-based CGS reads (codes 132 and 209) for every team.
    Bytes dat;

    static const MinimalLeague& Get() {
        static const MinimalLeague league;
        return league;
    }

    // Writes fuzz.lge and fuzz.pyr, and the lists and statistics when asked, into the scratch folder.
    void WriteTo(const ScratchFolder& folder, bool withFreeAgents, bool withDraft,
                 bool withStats = false) const {
        if (withStats)
            folder.Write(std::string(kBase) + ".dat", dat);
        folder.Write(std::string(kBase) + ".lge", lge);
        folder.Write(std::string(kBase) + ".pyr", pyr);
        if (withFreeAgents)
            folder.Write(std::string(kBase) + ".pyf", pyf);
        if (withDraft)
            folder.Write(std::string(kBase) + ".pyc", pyc);
    }
    static std::string LeaguePath(const ScratchFolder& folder) {
        return folder.File(std::string(kBase) + ".lge");
    }

    static Bytes ListFile(int first, int count) {
        Bytes out = {'P', 'P', 'D', ':', 0, 0, 0, 0, 0, 0};
        tolvik::writeU32le(out.data() + 4, static_cast<std::uint32_t>(2 + 2 * count));
        tolvik::writeS16le(out.data() + 8, static_cast<std::int16_t>(count));
        for (int i = 0; i < count; ++i) {
            out.push_back(static_cast<std::uint8_t>((first + i) & 0xFF));
            out.push_back(static_cast<std::uint8_t>((first + i) >> 8));
        }
        return out;
    }

  private:
    MinimalLeague() {
        // General codes QB, RB, R, OL, DL, LB, DB, K, P and C (no group), with a fitting specific code.
        static constexpr Player::Pos kGeneral[] = {Player::QB, Player::RB, Player::R, Player::OL, Player::DL,
                                                   Player::LB, Player::DB, Player::K, Player::P,  Player::C};
        static constexpr Player::Pos kSpecific[] = {Player::QB, Player::HB, Player::WR, Player::G, Player::DT,
                                                    Player::LB, Player::CB, Player::K,  Player::P, Player::C};

        auto chunk = [this](const char* tag, const std::uint8_t* body, std::size_t size) {
            lge.insert(lge.end(), tag, tag + 4);
            lge.insert(lge.end(), 4, 0);
            lge.insert(lge.end(), body, body + size);
        };
        std::uint8_t header[82] = {};
        header[0] = 0; // eight teams
        header[1] = 2; // conferences
        header[3] = 2; // stage
        tolvik::writeS16le(header + 8, kNextID);
        tolvik::writeS16le(header + 10, kSeason);
        std::memcpy(header + 15, "Fuzz League", 11);
        chunk("L03:", header, sizeof header);
        for (int k = 0; k < kTeams; ++k) {
            std::uint8_t team[171] = {};
            team[0] = static_cast<std::uint8_t>(11 * k + 3); // seed
            const std::string name = "Team " + std::to_string(k);
            const std::string abbr = "T" + std::to_string(k);
            std::memcpy(team + 55, name.data(), name.size());
            std::memcpy(team + 89, abbr.data(), abbr.size());
            tolvik::ScrambleTeamRecord(team);
            chunk("T03:", team, sizeof team);
        }
        for (int k = 0; k < kTeams; ++k) {
            Roster roster;
            roster.seed = static_cast<std::int16_t>(0x1234 + 97 * k);
            for (int s = 0; s < kPerTeam; ++s) {
                roster.pids[s] = static_cast<std::int16_t>(kFirstPlayer + kPerTeam * k + s);
                roster.jerseys[s] = static_cast<std::uint8_t>(1 + s);
            }
            std::uint8_t body[Roster::kRecordSize];
            roster.Encode(body);
            tolvik::ScrambleRosterRecord(body);
            chunk("R03:", body, sizeof body);
        }

        Encryption cipher;
        const std::uint8_t keyA = 41, keyB = 7;
        cipher.Init(keyA, keyB);
        pyr.assign(Player::kRecordSize, 0);
        pyr[0] = keyA;
        pyr[1] = keyB;
        for (int i = 0; i < kPlayers; ++i) {
            Player::PlayerDiskData data{};
            data.pid = static_cast<std::int16_t>(kFirstPlayer + i);
            const std::string first = "F" + std::to_string(data.pid);
            const std::string last = "L" + std::to_string(data.pid);
            std::memcpy(data.firstName, first.data(), first.size());
            std::memcpy(data.lastName, last.data(), last.size());
            data.posGeneral = kGeneral[i % 10];
            data.posSpecific = kSpecific[i % 10];
            for (int r = 0; r < 8; ++r) {
                data.actual[r] = static_cast<std::int8_t>(40 + (i * 7 + r * 5) % 50);
                data.potential[r] = static_cast<std::int8_t>(50 + (i * 3 + r * 11) % 45);
            }
            data.years = static_cast<std::int8_t>(i % 12);
            std::uint8_t record[Player::kRecordSize];
            Player::Encode(data, record, Player::kRecordSize);
            cipher.Encrypt(record, Player::kRecordSize);
            pyr.insert(pyr.end(), record, record + Player::kRecordSize);
        }
        pyf = ListFile(kFirstFreeAgent, kFirstProspect - kFirstFreeAgent);
        pyc = ListFile(kFirstProspect, kFirstPlayer + kPlayers - kFirstProspect);

        dat.assign(140, 0);
        auto record = [this](int code, int owner, int seed) {
            std::uint8_t words[20];
            tolvik::writeU16le(words, static_cast<std::uint16_t>(code));
            tolvik::writeU16le(words + 2, static_cast<std::uint16_t>(owner));
            for (int w = 2; w < 10; ++w)
                tolvik::writeU16le(words + 2 * w, static_cast<std::uint16_t>((seed * 37 + w * 11) % 300));
            dat.insert(dat.end(), words, words + sizeof words);
        };
        for (int i = 0; i < kPlayers; ++i)
            record(32 + i % 14, kFirstPlayer + i, i);
        for (int team = 1; team <= kTeams; ++team) {
            record(132, team, team);
            record(209, team, team + 5);
        }
    }
};

} // namespace fuzzing
