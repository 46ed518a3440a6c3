#pragma once

#include "league/SystemFiles.h"

#include <array>
#include <cstdint>
#include <string>

class Prompt;

// Every league rule and tuning value of the program, kept in the options file "salreg"
// in the league's folder (2,404 bytes, little-endian).
class Options {
  public:
    static constexpr int kVersion = 5;
    static constexpr int kFileSize = 2404;
    static constexpr const char* kFileName = "salreg";

    static constexpr int kGroups = 10;   // QB, RB, OL, WR, TE, DL, LB, DB, P, K
    static constexpr int kRatings = 8;   // AC, AG, DI, EN, HA, IN, SP, ST
    static constexpr int kSplitRows = 7; // contract lengths 1..7
    static constexpr int kRounds = 11;   // rookie table rows; row 0 unused
    static constexpr int kPicks = 31;    // rookie table columns; column 0 unused
    static constexpr int kStatValues = 29;

    using SplitRow = std::array<std::int32_t, kSplitRows>;
    using WeightRow = std::array<std::int32_t, kRatings>;
    using CurveRow = std::array<double, 3>;

    Options();

    // The folder the file is read from and written to ("" means the current directory).
    void SetFolder(const std::string& folder) { folder_ = folder; }
    const std::string& GetFolder() const { return folder_; }
    // The path of the options file in that folder (an existing name found ignoring case).
    std::string FilePath() const;

    // What became of the options file at the last Load.
    enum class FileState {
        Read,       // read (versions 3 and 4 upgraded in memory)
        Missing,    // there was none: the defaults are due to be written (WritePending)
        Created,    // there was none, and the defaults have been written
        Newer,      // of a newer version: the defaults are used, and the file is kept as it is
        Unreadable, // not readable (or not a regular file): the defaults, the file kept as it is
    };

    // Reads "salreg" from the folder when it exists, else sets the defaults. Load writes
    // nothing: the defaults of a missing file are due to be written, and WritePending writes
    // them once the league of that folder has opened (its folder lock is held), so that a
    // folder that is not ours is never written to. A file of a newer version, or one that
    // cannot be read, gives the defaults in memory, says so once through the prompt, and is
    // never written over (Write refuses).
    void Load(const std::string& folder, Prompt& prompt);
    FileState GetFileState() const { return fileState_; }
    // True when Load left defaults that the file does not hold yet.
    bool HasPendingWrite() const { return pendingWrite_; }
    // Writes the options when Load left them due; true when nothing was due or the write
    // succeeded (then nothing is due any more). why, when given, says why the write failed.
    bool WritePending(std::string* why = nullptr);
    // Sets every field to its default and writes the file.
    bool Defaults();
    // Sets every field to its default in memory only.
    void SetDefaults();
    // Reads the file (upgrading versions 3 and 4; a newer version or a file that cannot be
    // read gives the defaults and is kept as it is).
    void Read(Prompt& prompt);
    // Writes version 5 and every field, replacing the file atomically. False on failure, and
    // without writing when the file Load met was newer or unreadable; why (when given) then
    // says why, in words that follow "Could not write salreg: ".
    bool Write(std::string* why = nullptr) const;

    // The file image of the fields (2,404 bytes) and its reading, for Write and Read.
    std::array<std::uint8_t, kFileSize> Encode() const;

    SplitRow GetSplits(int row) const;
    void SetSplits(int row, const SplitRow& values);
    WeightRow GetWeights(int group) const;
    void SetWeights(int group, const WeightRow& values);
    CurveRow GetCurve(int group) const;
    void SetCurve(int group, const CurveRow& values);
    void SetRookieCGS(int round, int pick, std::int32_t value);
    // The rookie value of a draft round and pick; an unset entry takes the nearest set
    // entry before it (lower picks of the round, then earlier rounds from the last pick).
    std::int32_t RookieCGS(int round, int pick) const;

    // The version of the file last read (kVersion after Defaults).
    std::int32_t version = kVersion;

    std::int32_t max_length;
    std::int32_t salarycap;
    std::int32_t bonuslimit;
    std::uint8_t add_retired;
    std::uint8_t ly_restruct;
    std::int32_t agerfa;
    std::int32_t ageufa;
    std::int32_t min;
    std::int32_t max;
    std::int32_t fp_adj;
    std::int32_t tp_adj;
    std::int32_t restruct;
    std::int32_t declines;
    std::int32_t basechance;
    std::int32_t xfaDecline;
    std::int32_t restructDecline;
    std::int32_t splits[kSplitRows][kSplitRows];
    std::int32_t weights[kGroups][kRatings];
    double starters[kGroups];
    double curve[kGroups][3];
    std::int32_t penalty;
    std::uint8_t hid_pote;
    std::uint8_t lim_attempts;
    std::int32_t res_attempts;
    std::int32_t rookieCGS[kRounds][kPicks];
    std::uint8_t includerookie;
    std::uint8_t useStats;

    // Money values of the statistics-based CGS, in file order.
    std::int32_t tdthrown;
    std::int32_t ydsthrown;
    std::int32_t tdrush;
    std::int32_t ydsrush;
    std::int32_t tdrecv;
    std::int32_t ydsrecv;
    std::int32_t catches;
    std::int32_t tdreturn;
    std::int32_t tddef;
    std::int32_t ints;
    std::int32_t tackles;
    std::int32_t sack;
    std::int32_t safties;
    std::int32_t olsackallowed;
    std::int32_t sackallowpen;
    std::int32_t olrushyds;
    std::int32_t fumblostpen;
    std::int32_t fumbrecov;
    std::int32_t fgbase;
    std::int32_t fgbonus;
    std::int32_t fg50plus;
    std::int32_t puntavg;
    std::int32_t puntblck;
    std::int32_t rate1;
    std::int32_t ratebonus1;
    std::int32_t rate2;
    std::int32_t ratebonus2;
    std::int32_t rate3;
    std::int32_t ratebonus3;

    std::uint8_t holdouts;
    std::int32_t ho_base;

    // The stat values in file order, for code that walks them.
    static const std::array<std::int32_t Options::*, kStatValues> kStatFields;
    static const std::array<std::int32_t, kStatValues> kStatDefaults;

  private:
    // Fills the fields from a file image of fileBytes bytes after the version word
    // (at most kFileSize - 4); fields beyond keep their present values.
    void DecodeFields(const std::uint8_t* fields, std::size_t size);
    void SetStatDefaults();
    void ShowUnreadable(const std::string& path, tolvik::FileError error, Prompt& prompt);

    std::string folder_;
    bool pendingWrite_ = false;
    FileState fileState_ = FileState::Missing;
    std::string unreadable_; // why the file could not be read
};
