#include "contracts/Options.h"

#include "contracts/Prompt.h"
#include "league/ByteOrder.h"
#include "league/FileAccess.h"

#include <algorithm>
#include <vector>

namespace {

// Offsets of the options file.
constexpr std::size_t kOffVersion = 0;
constexpr std::size_t kOffMaxLength = 4;
constexpr std::size_t kOffSalaryCap = 8;
constexpr std::size_t kOffBonusLimit = 12;
constexpr std::size_t kOffAddRetired = 16;
constexpr std::size_t kOffLyRestruct = 17;
constexpr std::size_t kOffRules = 20; // agerfa .. restructDecline, 11 words
constexpr std::size_t kOffSplits = 64;
constexpr std::size_t kOffWeights = 260;
constexpr std::size_t kOffStarters = 580;
constexpr std::size_t kOffCurve = 660;
constexpr std::size_t kOffPenalty = 900;
constexpr std::size_t kOffHidPote = 904;
constexpr std::size_t kOffLimAttempts = 905;
constexpr std::size_t kOffResAttempts = 908;
constexpr std::size_t kOffRookie = 912;
constexpr std::size_t kOffIncludeRookie = 2276;
constexpr std::size_t kOffUseStats = 2277;
constexpr std::size_t kOffStats = 2280;
constexpr std::size_t kOffHoldouts = 2396;
constexpr std::size_t kOffHoBase = 2400;

static_assert(kOffSplits == kOffRules + 11 * 4);
static_assert(kOffWeights == kOffSplits + 49 * 4);
static_assert(kOffStarters == kOffWeights + 80 * 4);
static_assert(kOffCurve == kOffStarters + 10 * 8);
static_assert(kOffPenalty == kOffCurve + 30 * 8);
static_assert(kOffIncludeRookie == kOffRookie + 341 * 4);
static_assert(kOffHoldouts == kOffStats + 29 * 4);
static_assert(Options::kFileSize == kOffHoBase + 4);

constexpr Options::SplitRow kDefaultSplits[Options::kSplitRows] = {
    {100, 0, 0, 0, 0, 0, 0},    {45, 55, 0, 0, 0, 0, 0},    {27, 33, 40, 0, 0, 0, 0},
    {18, 22, 27, 33, 0, 0, 0},  {13, 16, 19, 23, 29, 0, 0}, {10, 12, 14, 17, 21, 26, 0},
    {7, 9, 11, 13, 16, 20, 24},
};

constexpr Options::WeightRow kDefaultWeights[Options::kGroups] = {
    {2, 2, 5, 2, 5, 5, 2, 5},  // QB
    {3, 3, 0, 4, 5, 1, 5, 4},  // RB
    {5, 5, 1, 4, 1, 2, 3, 5},  // OL
    {3, 4, 0, 4, 5, 1, 5, 3},  // WR
    {4, 4, 0, 4, 5, 1, 4, 5},  // TE
    {4, 4, 0, 4, 2, 1, 4, 5},  // DL
    {4, 4, 0, 4, 2, 2, 5, 5},  // LB
    {4, 4, 0, 4, 5, 2, 6, 3},  // DB
    {1, 1, 4, 1, 4, 1, 1, 12}, // P
    {1, 1, 7, 1, 1, 1, 1, 12}, // K
};

constexpr double kDefaultStarters[Options::kGroups] = {2.5, 4.0, 7.5, 4.5, 2.0, 6.0, 5.5, 7.0, 1.0, 1.0};

constexpr Options::CurveRow kDefaultCurve[Options::kGroups] = {
    {1.25, 1.25, 0.22}, {1.3, 1.3, 0.22},   {1.0, 1.0, 0.22}, {1.25, 1.25, 0.22}, {0.95, 0.95, 0.22},
    {1.0, 1.0, 0.22},   {1.25, 1.25, 0.22}, {1.2, 1.2, 0.22}, {0.2, 0.2, 0.22},   {0.25, 0.25, 0.22},
};

// Reads of one field at an absolute file offset from the bytes that arrived; a field
// that did not arrive whole leaves the value untouched.
class FieldReader {
  public:
    FieldReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    void S32(std::size_t offset, std::int32_t& v) const {
        if (Has(offset, 4))
            v = tolvik::readS32le(data_ + offset);
    }
    void U8(std::size_t offset, std::uint8_t& v) const {
        if (Has(offset, 1))
            v = data_[offset];
    }
    void F64(std::size_t offset, double& v) const {
        if (Has(offset, 8))
            v = tolvik::readF64le(data_ + offset);
    }

  private:
    bool Has(std::size_t offset, std::size_t width) const { return offset + width <= size_; }
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace

const std::array<std::int32_t Options::*, Options::kStatValues> Options::kStatFields = {
    &Options::tdthrown,    &Options::ydsthrown,     &Options::tdrush,       &Options::ydsrush,
    &Options::tdrecv,      &Options::ydsrecv,       &Options::catches,      &Options::tdreturn,
    &Options::tddef,       &Options::ints,          &Options::tackles,      &Options::sack,
    &Options::safties,     &Options::olsackallowed, &Options::sackallowpen, &Options::olrushyds,
    &Options::fumblostpen, &Options::fumbrecov,     &Options::fgbase,       &Options::fgbonus,
    &Options::fg50plus,    &Options::puntavg,       &Options::puntblck,     &Options::rate1,
    &Options::ratebonus1,  &Options::rate2,         &Options::ratebonus2,   &Options::rate3,
    &Options::ratebonus3,
};

const std::array<std::int32_t, Options::kStatValues> Options::kStatDefaults = {
    75000, 350,   30000, 600, 30000, 500,   2200,  75000, 150000, 150000, 4000, 55000, 75000, 60,     5500,
    300,   10000, 50000, 60,  5000,  10000, 20000, 10000, 70,     45000,  80,   72000, 90,    100000,
};

Options::Options() {
    SetDefaults();
}

std::string Options::FilePath() const {
    return tolvik::FileInFolder(folder_, kFileName);
}

void Options::SetStatDefaults() {
    for (int i = 0; i < kStatValues; ++i)
        this->*kStatFields[i] = kStatDefaults[i];
}

void Options::SetDefaults() {
    version = kVersion;
    max_length = 4;
    salarycap = 45000000;
    bonuslimit = 20000000;
    add_retired = 1;
    ly_restruct = 1;
    agerfa = 3;
    ageufa = 4;
    min = 20;
    max = 120;
    fp_adj = 120;
    tp_adj = 120;
    restruct = 4;
    declines = 3;
    basechance = 0;
    xfaDecline = 5;
    restructDecline = 25;
    for (int r = 0; r < kSplitRows; ++r)
        SetSplits(r, kDefaultSplits[r]);
    for (int g = 0; g < kGroups; ++g) {
        SetWeights(g, kDefaultWeights[g]);
        starters[g] = kDefaultStarters[g];
        SetCurve(g, kDefaultCurve[g]);
    }
    penalty = 35;
    hid_pote = 0;
    lim_attempts = 0;
    res_attempts = 6;
    for (auto& row : rookieCGS)
        std::fill(std::begin(row), std::end(row), 0);
    includerookie = 0;
    useStats = 0;
    SetStatDefaults();
    holdouts = 0;
    ho_base = 25;
}

void Options::Load(const std::string& folder, Prompt& prompt) {
    folder_ = folder;
    pendingWrite_ = false;
    // Anything of that name is the user's: a link, a pipe or a folder is not "missing".
    if (!tolvik::StatPath(FilePath(), false).exists) {
        SetDefaults();
        fileState_ = FileState::Missing;
        pendingWrite_ = true;
    } else {
        Read(prompt);
    }
}

bool Options::WritePending(std::string* why) {
    if (!pendingWrite_)
        return true;
    if (!Write(why))
        return false;
    pendingWrite_ = false;
    fileState_ = FileState::Created;
    return true;
}

bool Options::Defaults() {
    SetDefaults();
    return Write();
}

std::array<std::uint8_t, Options::kFileSize> Options::Encode() const {
    std::array<std::uint8_t, kFileSize> b{};
    std::uint8_t* p = b.data();
    tolvik::writeS32le(p + kOffVersion, kVersion);
    tolvik::writeS32le(p + kOffMaxLength, max_length);
    tolvik::writeS32le(p + kOffSalaryCap, salarycap);
    tolvik::writeS32le(p + kOffBonusLimit, bonuslimit);
    p[kOffAddRetired] = add_retired;
    p[kOffLyRestruct] = ly_restruct;
    const std::int32_t rules[11] = {agerfa,   ageufa,   min,        max,        fp_adj,         tp_adj,
                                    restruct, declines, basechance, xfaDecline, restructDecline};
    for (int i = 0; i < 11; ++i)
        tolvik::writeS32le(p + kOffRules + 4 * i, rules[i]);
    for (int r = 0; r < kSplitRows; ++r)
        for (int y = 0; y < kSplitRows; ++y)
            tolvik::writeS32le(p + kOffSplits + 4 * (r * kSplitRows + y), splits[r][y]);
    for (int g = 0; g < kGroups; ++g)
        for (int k = 0; k < kRatings; ++k)
            tolvik::writeS32le(p + kOffWeights + 4 * (g * kRatings + k), weights[g][k]);
    for (int g = 0; g < kGroups; ++g)
        tolvik::writeF64le(p + kOffStarters + 8 * g, starters[g]);
    for (int g = 0; g < kGroups; ++g)
        for (int e = 0; e < 3; ++e)
            tolvik::writeF64le(p + kOffCurve + 8 * (g * 3 + e), curve[g][e]);
    tolvik::writeS32le(p + kOffPenalty, penalty);
    p[kOffHidPote] = hid_pote;
    p[kOffLimAttempts] = lim_attempts;
    tolvik::writeS32le(p + kOffResAttempts, res_attempts);
    for (int r = 0; r < kRounds; ++r)
        for (int k = 0; k < kPicks; ++k)
            tolvik::writeS32le(p + kOffRookie + 4 * (r * kPicks + k), rookieCGS[r][k]);
    p[kOffIncludeRookie] = includerookie;
    p[kOffUseStats] = useStats;
    for (int i = 0; i < kStatValues; ++i)
        tolvik::writeS32le(p + kOffStats + 4 * i, this->*kStatFields[i]);
    p[kOffHoldouts] = holdouts;
    tolvik::writeS32le(p + kOffHoBase, ho_base);
    return b;
}

void Options::DecodeFields(const std::uint8_t* file, std::size_t size) {
    const FieldReader in(file, size);
    in.S32(kOffMaxLength, max_length);
    in.S32(kOffSalaryCap, salarycap);
    in.S32(kOffBonusLimit, bonuslimit);
    in.U8(kOffAddRetired, add_retired);
    in.U8(kOffLyRestruct, ly_restruct);
    std::int32_t* rules[11] = {&agerfa,   &ageufa,   &min,        &max,        &fp_adj,         &tp_adj,
                               &restruct, &declines, &basechance, &xfaDecline, &restructDecline};
    for (int i = 0; i < 11; ++i)
        in.S32(kOffRules + 4 * i, *rules[i]);
    for (int r = 0; r < kSplitRows; ++r)
        for (int y = 0; y < kSplitRows; ++y)
            in.S32(kOffSplits + 4 * (r * kSplitRows + y), splits[r][y]);
    for (int g = 0; g < kGroups; ++g)
        for (int k = 0; k < kRatings; ++k)
            in.S32(kOffWeights + 4 * (g * kRatings + k), weights[g][k]);
    for (int g = 0; g < kGroups; ++g)
        in.F64(kOffStarters + 8 * g, starters[g]);
    for (int g = 0; g < kGroups; ++g)
        for (int e = 0; e < 3; ++e)
            in.F64(kOffCurve + 8 * (g * 3 + e), curve[g][e]);
    in.S32(kOffPenalty, penalty);
    in.U8(kOffHidPote, hid_pote);
    in.U8(kOffLimAttempts, lim_attempts);
    in.S32(kOffResAttempts, res_attempts);
    for (int r = 0; r < kRounds; ++r)
        for (int k = 0; k < kPicks; ++k)
            in.S32(kOffRookie + 4 * (r * kPicks + k), rookieCGS[r][k]);
    in.U8(kOffIncludeRookie, includerookie);
    in.U8(kOffUseStats, useStats);
    for (int i = 0; i < kStatValues; ++i)
        in.S32(kOffStats + 4 * i, this->*kStatFields[i]);
    in.U8(kOffHoldouts, holdouts);
    in.S32(kOffHoBase, ho_base);
}

void Options::ShowUnreadable(const std::string& path, tolvik::FileError error, Prompt& prompt) {
    // Work with the defaults, but leave the user's file alone.
    unreadable_ = tolvik::FileErrorText(error);
    SetDefaults();
    fileState_ = FileState::Unreadable;
    prompt.ShowMessage("The options file " + path + " cannot be read (" + unreadable_ +
                           "). The league opens with the default options; the file is left as it is.",
                       "Program Options");
}

void Options::Read(Prompt& prompt) {
    // At most kFileSize bytes matter: the file is never larger than its layout.
    std::vector<std::uint8_t> bytes;
    const std::string path = FilePath();
    tolvik::FileError error = tolvik::FileError::None;
    if (!tolvik::ReadFileStart(path, bytes, kFileSize, &error)) {
        ShowUnreadable(path, error, prompt);
        return;
    }
    const std::size_t got = bytes.size();

    // The scratch record starts from the defaults, so fields the file does not hold
    // (a short file) take their default values.
    Options scratch;
    std::int32_t fileVersion = 0;
    if (got >= 4)
        fileVersion = tolvik::readS32le(bytes.data());
    scratch.DecodeFields(bytes.data(), got);

    if (fileVersion > kVersion) {
        // The newer program's file is kept: this one works with its defaults in memory.
        prompt.ShowMessage("Newer version of program options found.  Please upgrade to the latest version",
                           "");
        SetDefaults();
        fileState_ = FileState::Newer;
        return;
    }
    if (fileVersion == 3) {
        scratch.penalty = 0;
        scratch.hid_pote = 0;
        scratch.lim_attempts = 0;
        scratch.res_attempts = 0;
        for (auto& row : scratch.rookieCGS)
            std::fill(std::begin(row), std::end(row), 0);
        scratch.includerookie = 0;
    } else if (fileVersion < 3) {
        // Older files predate the fields version 4 added: they take their defaults.
        scratch.penalty = 35;
        scratch.hid_pote = 0;
        scratch.lim_attempts = 0;
        scratch.res_attempts = 6;
        for (auto& row : scratch.rookieCGS)
            std::fill(std::begin(row), std::end(row), 0);
        scratch.includerookie = 0;
    }
    if (fileVersion <= 4) {
        scratch.useStats = 0;
        scratch.SetStatDefaults();
        scratch.ho_base = 25;
        scratch.holdouts = 0;
    }

    // Copy everything; of the rookie table only rounds 1-10 and picks 1-30 are taken.
    std::int32_t keepRookie[kRounds][kPicks];
    std::copy(&rookieCGS[0][0], &rookieCGS[0][0] + kRounds * kPicks, &keepRookie[0][0]);
    const std::string folder = folder_;
    *this = scratch;
    folder_ = folder;
    fileState_ = FileState::Read;
    for (int r = 0; r < kRounds; ++r)
        for (int k = 0; k < kPicks; ++k)
            if (r == 0 || k == 0)
                rookieCGS[r][k] = keepRookie[r][k];
    version = fileVersion;
}

bool Options::Write(std::string* why) const {
    // What could not be read is never written over: it may hold a newer program's options.
    if (fileState_ == FileState::Newer || fileState_ == FileState::Unreadable) {
        if (why)
            *why = fileState_ == FileState::Newer
                       ? "it holds the options of a newer version of the program, and is left as it is"
                       : "it could not be read (" + unreadable_ + "), and is left as it is";
        return false;
    }
    const auto bytes = Encode();
    tolvik::FileError error = tolvik::FileError::None;
    if (tolvik::WriteFileAtomically(FilePath(), bytes.data(), bytes.size(), &error))
        return true;
    if (why)
        *why = tolvik::FileErrorText(error);
    return false;
}

Options::SplitRow Options::GetSplits(int row) const {
    SplitRow out{};
    if (row >= 0 && row < kSplitRows)
        std::copy(std::begin(splits[row]), std::end(splits[row]), out.begin());
    return out;
}

void Options::SetSplits(int row, const SplitRow& values) {
    if (row >= 0 && row < kSplitRows)
        std::copy(values.begin(), values.end(), splits[row]);
}

Options::WeightRow Options::GetWeights(int group) const {
    WeightRow out{};
    if (group >= 0 && group < kGroups)
        std::copy(std::begin(weights[group]), std::end(weights[group]), out.begin());
    return out;
}

void Options::SetWeights(int group, const WeightRow& values) {
    if (group >= 0 && group < kGroups)
        std::copy(values.begin(), values.end(), weights[group]);
}

Options::CurveRow Options::GetCurve(int group) const {
    CurveRow out{};
    if (group >= 0 && group < kGroups)
        std::copy(std::begin(curve[group]), std::end(curve[group]), out.begin());
    return out;
}

void Options::SetCurve(int group, const CurveRow& values) {
    if (group >= 0 && group < kGroups)
        std::copy(values.begin(), values.end(), curve[group]);
}

void Options::SetRookieCGS(int round, int pick, std::int32_t value) {
    if (round >= 1 && round < kRounds && pick >= 1 && pick < kPicks)
        rookieCGS[round][pick] = value;
}

std::int32_t Options::RookieCGS(int round, int pick) const {
    if (round <= 0 || pick <= 0)
        return 220000;
    // Entries beyond the table are unset, so the search starts at its last entry.
    if (round >= kRounds) {
        round = kRounds - 1;
        pick = kPicks - 1;
    } else if (pick >= kPicks) {
        pick = kPicks - 1;
    }
    // The entry itself, then the lower picks of its round, then earlier rounds from the last pick.
    for (int r = round; r >= 1; --r)
        for (int k = (r == round ? pick : kPicks - 1); k >= 1; --k)
            if (rookieCGS[r][k] != 0)
                return rookieCGS[r][k];
    return 0;
}
