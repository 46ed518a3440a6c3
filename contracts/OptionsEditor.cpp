#include "contracts/OptionsEditor.h"

#include "contracts/FloatText.h"
#include "contracts/Prompt.h"
#include "contracts/TextToInt.h"
#include "league/MoneyText.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

constexpr int kLastRound = Options::kRounds - 1; // rounds 1-10
constexpr int kLastPick = Options::kPicks - 1;   // picks 1-30
constexpr int kSalaryDigits = 15;

std::string Unsigned(std::int32_t value) {
    return std::to_string(static_cast<std::uint32_t>(value));
}

std::string Money(std::int32_t value) {
    return FormatMoney(static_cast<unsigned int>(value));
}

std::uint8_t Flag(bool checked) {
    return checked ? 1 : 0;
}

} // namespace

const std::array<const char*, Options::kRatings> OptionsEditor::kWeightNames = {"ac", "ag", "di", "en",
                                                                                "ha", "in", "sp", "st"};

const std::array<const char*, Options::kGroups> OptionsEditor::kGroupNames = {"QB", "RB", "OL", "WR", "TE",
                                                                              "DL", "LB", "DB", "P",  "K"};

const std::array<const char*, Options::kStatValues> OptionsEditor::kStatNames = {
    "tdthrown",   "ydsthrown",     "tdrush",       "ydsrush",   "tdrecv",      "ydsrecv",
    "catches",    "tdreturn",      "tddef",        "ints",      "tackles",     "sack",
    "safties",    "olsackallowed", "sackallowpen", "olrushyds", "fumblostpen", "fumbrecov",
    "fgbase",     "fgbonus",       "fg50plus",     "puntavg",   "puntblck",    "rate1",
    "ratebonus1", "rate2",         "ratebonus2",   "rate3",     "ratebonus3",
};

std::vector<std::string> OptionsEditor::RoundItems() {
    std::vector<std::string> items{""};
    for (int r = 1; r <= kLastRound; ++r)
        items.push_back(std::to_string(r));
    return items;
}

std::vector<std::string> OptionsEditor::PickItems() {
    std::vector<std::string> items{""};
    for (int p = 1; p <= kLastPick; ++p)
        items.push_back(std::to_string(p));
    return items;
}

OptionsEditor::OptionsEditor(Options& options, Prompt& prompt, std::string ownerName)
    : options_(options), original_(options), prompt_(prompt), ownerName_(std::move(ownerName)) {
    Load();
}

void OptionsEditor::Load() {
    const Options& o = options_;
    Controls& c = controls_;
    c.salarycap = Unsigned(o.salarycap);
    c.bonuslimit = Unsigned(o.bonuslimit);
    c.ageufa = std::to_string(o.ageufa);
    c.agerfa = std::to_string(o.agerfa);
    c.fp_adj = std::to_string(o.fp_adj);
    c.tp_adj = std::to_string(o.tp_adj);
    c.min = std::to_string(o.min);
    c.max = std::to_string(o.max);
    c.max_length = std::to_string(o.max_length);
    c.restruct = std::to_string(o.restruct);
    c.basechance = std::to_string(o.basechance);
    c.restructDecline = std::to_string(o.restructDecline);
    c.xfaDecline = std::to_string(o.xfaDecline);
    c.res_attempts = std::to_string(o.res_attempts);
    c.penalty = std::to_string(o.penalty);
    c.add_retired = o.add_retired != 0;
    c.ly_restruct = o.ly_restruct != 0;
    c.hid_pote = o.hid_pote != 0;
    c.lim_attempts = o.lim_attempts != 0;
    c.includerookie = o.includerookie != 0;
    c.useStats = o.useStats != 0;
    c.holdouts = o.holdouts != 0;
    for (int i = 0; i < Options::kStatValues; ++i)
        c.statValues[i] = FormatCommas(static_cast<unsigned int>(o.*Options::kStatFields[i]));
    // A track bar cannot stand outside its range.
    c.ho_base = std::clamp(o.ho_base, kHoBaseMin, kHoBaseMax);
}

void OptionsEditor::EnableSplits() {
    int n = TextToInt(controls_.conlength);
    const int m = TextToInt(controls_.max_length);
    std::string shown = controls_.conlength;
    if (m < n) {
        n = 1;
        shown = "1";
    }
    if (n == 0) {
        n = m;
        shown = controls_.max_length;
    }
    // The up-down reaches 8 and max_length may be anything, but the table has rows for 1-7 only.
    if (n < 1 || n > kSplits) {
        n = std::clamp(n, 1, kSplits);
        shown = std::to_string(n);
    }
    controls_.conlength = shown;
    const Options::SplitRow row = options_.GetSplits(n - 1);
    for (int y = 0; y < kSplits; ++y) {
        controls_.splitEnabled[y] = y < n;
        controls_.split[y] = std::to_string(row[y]);
    }
}

bool OptionsEditor::SaveSplits() {
    // EnableSplits keeps conlength within 1-7; the clamp guards a text it has not seen.
    const int n = std::clamp(TextToInt(controls_.conlength), 1, kSplits);
    Options::SplitRow row{};
    std::int64_t total = 0;
    bool negative = false;
    for (int y = 0; y < kSplits; ++y) {
        row[y] = TextToInt(controls_.split[y]);
        if (y < n) {
            total += row[y];
            negative = negative || row[y] < 0;
        }
    }
    // A year paid a negative share would pay the others more than the whole salary.
    if (negative) {
        prompt_.ShowMessage("Contract Percentages must not be negative", "Split Error");
        return false;
    }
    if (total != 100) {
        prompt_.ShowMessage("Contract Percentages must total 100%", "Split Error");
        return false;
    }
    options_.SetSplits(n - 1, row);
    return true;
}

void OptionsEditor::UpdateFields() {
    const int g = controls_.posSelector;
    if (g < 0 || g >= Options::kGroups)
        return;
    const Options::CurveRow curve = options_.GetCurve(g);
    // The salaries are stored in millions; back in dollars they are shown to 15 significant
    // digits, so that the last bit of the conversion does not show as 400000.00000000006.
    controls_.maxsal = FloatToText((curve[0] + curve[1]) * 1000000.0, kSalaryDigits);
    controls_.minsal = FloatToText(curve[2] * 1000000.0, kSalaryDigits);
    controls_.starters = FloatToText(options_.starters[g]);
    const Options::WeightRow weights = options_.GetWeights(g);
    for (int k = 0; k < Options::kRatings; ++k)
        controls_.weights[k] = std::to_string(weights[k]);
}

void OptionsEditor::SaveCGSData() {
    const int g = controls_.posSelector;
    if (g < 0 || g >= Options::kGroups)
        return;
    // Everything is read before anything is stored.
    const double maxsal = TextToFloat(controls_.maxsal);
    const double minsal = TextToFloat(controls_.minsal);
    const double starters = TextToFloat(controls_.starters);
    Options::WeightRow weights{};
    for (int k = 0; k < Options::kRatings; ++k)
        weights[k] = TextToInt(controls_.weights[k]);
    // The curve keeps half the maximum salary twice, in millions.
    const double half = maxsal * 0.000001 * 0.5;
    options_.SetCurve(g, {half, half, minsal * 0.000001});
    options_.starters[g] = starters;
    options_.SetWeights(g, weights);
}

void OptionsEditor::rook_cgsShow() {
    controls_.rndBox = 1;
    controls_.pckBox = 1;
    controls_.RookieCGSs = RookieSummary(options_);
}

void OptionsEditor::rndBoxChange() {
    ShowRookieValue();
}

void OptionsEditor::pckBoxChange() {
    ShowRookieValue();
}

void OptionsEditor::ShowRookieValue() {
    if (controls_.rndBox < 0 || controls_.pckBox < 0) {
        controls_.rCGS.clear();
        return;
    }
    // The empty item (index 0) has no entry and gives the rookie minimum.
    controls_.rCGS = Money(options_.RookieCGS(controls_.rndBox, controls_.pckBox));
}

bool OptionsEditor::rCGSChange() {
    if (controls_.rndBox < 0 || controls_.pckBox < 0)
        return false;
    const int value = RemoveCommas(controls_.rCGS);
    options_.SetRookieCGS(controls_.rndBox, controls_.pckBox, value);
    controls_.RookieCGSs = RookieSummary(options_);
    return true;
}

bool OptionsEditor::saveBtnClick() {
    // Read into a copy, so that a field that is no number leaves the options as they are.
    Options saved = options_;
    const Controls& c = controls_;
    notANumber_.clear();
    // Notes which field failed, so the window can take the user to it.
    auto read = [this](const char* field, const std::string& text, auto convert) {
        try {
            return convert(text);
        } catch (const ConversionError&) {
            notANumber_ = field;
            throw;
        }
    };
    auto number = [&](const char* field, const std::string& text) { return read(field, text, TextToInt); };
    saved.salarycap = number("salarycap", c.salarycap);
    saved.bonuslimit = number("bonuslimit", c.bonuslimit);
    saved.restruct = number("restruct", c.restruct);
    saved.ageufa = number("ageufa", c.ageufa);
    saved.agerfa = number("agerfa", c.agerfa);
    saved.min = number("min", c.min);
    saved.max = number("max", c.max);
    saved.fp_adj = number("fp_adj", c.fp_adj);
    saved.tp_adj = number("tp_adj", c.tp_adj);
    saved.max_length = number("max_length", c.max_length);
    saved.declines = number("declines", c.declines);
    saved.basechance = number("basechance", c.basechance);
    saved.xfaDecline = number("xfaDecline", c.xfaDecline);
    saved.restructDecline = number("restructDecline", c.restructDecline);
    saved.res_attempts = number("res_attempts", c.res_attempts);
    saved.penalty = number("penalty", c.penalty);
    saved.add_retired = Flag(c.add_retired);
    saved.ly_restruct = Flag(c.ly_restruct);
    saved.hid_pote = Flag(c.hid_pote);
    saved.lim_attempts = Flag(c.lim_attempts);
    saved.includerookie = Flag(c.includerookie);
    saved.useStats = Flag(c.useStats);
    saved.holdouts = Flag(c.holdouts);
    for (int i = 0; i < Options::kStatValues; ++i)
        saved.*Options::kStatFields[i] = read(kStatNames[i], c.statValues[i], RemoveCommas);
    saved.ho_base = std::clamp(c.ho_base, kHoBaseMin, kHoBaseMax);
    if (!saved.Write(&saveError_))
        return false;
    options_ = saved;
    return true;
}

void OptionsEditor::cxlBtnClick() {
    options_ = original_;
}

std::vector<std::string> OptionsEditor::RookieSummary(const Options& options) {
    std::vector<std::string> lines;
    for (int r = 1; r <= kLastRound; ++r) {
        const std::string round = "Round " + std::to_string(r);
        int start = 1;
        std::int32_t value = options.RookieCGS(r, 1);
        for (int p = 2; p <= kLastPick; ++p) {
            const std::int32_t v = options.RookieCGS(r, p);
            if (v == value)
                continue;
            if (p - start == 1)
                lines.push_back(round + " Pick " + std::to_string(start) + ": " + Money(value));
            else
                lines.push_back(round + " Pick " + std::to_string(start) + "-" + std::to_string(p - 1) +
                                ": " + Money(value));
            start = p;
            value = v;
        }
        if (start == 1)
            lines.push_back(round + ": " + Money(value));
        else
            lines.push_back(round + " Picks " + std::to_string(start) + "-" + std::to_string(kLastPick) +
                            ": " + Money(value));
    }
    return lines;
}
