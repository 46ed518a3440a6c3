#pragma once

#include "contracts/Options.h"

#include <array>
#include <string>
#include <vector>

class Prompt;

// What the options window "Program Options" shows and does, without the window: the state
// of every control, filled from the program's options when the editor is made, and every
// action of the window computed on it. The window copies what the user typed or chose into
// GetControls() before it calls an action and shows GetControls() afterwards.
//
// The options belong to the main window; the editor changes them in place ("Set Percents",
// "Update", "Set" and Save) and puts them back as they were on Cancel.
class OptionsEditor {
  public:
    static constexpr int kNoItem = -1; // a drop-down list with nothing chosen
    static constexpr int kSplits = Options::kSplitRows;

    // The range of the holdout track bar `ho_base` and of the up-down `UpDown1` of `conlength`.
    static constexpr int kHoBaseMin = 5;
    static constexpr int kHoBaseMax = 50;
    static constexpr int kHoBaseStep = 5;
    static constexpr int kConLengthMin = 0;
    static constexpr int kConLengthMax = 8;

    // Component names of the weight edits ("ac" .. "st"), the items of `posSelector`
    // ("QB" .. "K") and the names of the stat value edits ("tdthrown" .. "ratebonus3"),
    // each in the order of the options.
    static const std::array<const char*, Options::kRatings> kWeightNames;
    static const std::array<const char*, Options::kGroups> kGroupNames;
    static const std::array<const char*, Options::kStatValues> kStatNames;

    // The items of `rndBox` and `pckBox`: the empty item, then "1" .. "10" and "1" .. "30";
    // the item index is the round or pick.
    static std::vector<std::string> RoundItems();
    static std::vector<std::string> PickItems();

    // Every control of the window that holds a value, under its component name.
    struct Controls {
        // Page Basics.
        std::string salarycap;
        std::string bonuslimit;
        bool add_retired = false;
        bool ly_restruct = false;
        std::string restruct;
        std::string res_attempts;
        std::string ageufa;
        std::string agerfa;
        std::string declines = "3"; // hidden and disabled; saved as it stands
        bool lim_attempts = false;
        bool hid_pote = false;
        bool holdouts = false;
        int ho_base = 25; // track bar position

        // Page ContractRules.
        std::string min;
        std::string max;
        std::string penalty;
        std::string max_length;
        std::string conlength = "1";
        std::array<std::string, kSplits> split = {"100", "0", "0", "0", "0", "0", "0"}; // split1 .. split7
        std::array<bool, kSplits> splitEnabled = {true, false, false, false, false, false, false};
        std::string basechance = "0";
        std::string xfaDecline = "5";
        std::string restructDecline = "25";
        std::string fp_adj = "120";
        std::string tp_adj = "120";

        // Page CGS.
        int posSelector = kNoItem;
        std::array<std::string, Options::kRatings> weights; // ac ag di en ha in sp st
        std::string starters;
        std::string maxsal;
        std::string minsal;
        bool includerookie = false;
        bool useStats = false;

        // Page rook_cgs.
        int rndBox = kNoItem;
        int pckBox = kNoItem;
        std::string rCGS;
        std::vector<std::string> RookieCGSs; // the memo's lines

        // Page StatValue, in the order of kStatNames.
        std::array<std::string, Options::kStatValues> statValues;
    };

    // Loads every control from the options (the window's creation). ownerName is the
    // component name of the window that opens this one.
    OptionsEditor(Options& options, Prompt& prompt, std::string ownerName);

    Controls& GetControls() { return controls_; }
    const Controls& GetControls() const { return controls_; }

    // FormShow: "Hide Potentials" is offered only to the front office.
    bool HidPoteShown() const { return ownerName_ == "FrontOffice"; }

    // `conlength` changed: enables split1 .. split<n> and shows row n - 1 of the splits.
    // A length of 0 takes `max_length`; one above `max_length` becomes 1; the result is kept
    // within 1-7 and shown in `conlength`. Throws ConversionError for a text that is no number.
    void EnableSplits();
    // "Set Percents": stores the seven split edits as the row of the length when the first n
    // total 100; otherwise shows "Contract Percentages must total 100%" / "Split Error" and
    // stores nothing. True when stored. Throws ConversionError for a split that is no number.
    bool SaveSplits();
    // `posSelector` changed, or "Reset": shows the chosen group's weights, starters and
    // salaries; nothing with no group chosen.
    void UpdateFields();
    // "Update": stores the CGS page's edits into the chosen group; nothing with no group
    // chosen. Throws ConversionError (and stores nothing) for an edit that is no number.
    void SaveCGSData();
    // The Rookie CGS page is shown: round 1 and pick 1 chosen (rCGS untouched), memo rebuilt.
    void rook_cgsShow();
    // `rndBox` or `pckBox` changed: `rCGS` shows the rookie value of the chosen round and pick
    // as money text; empty when either box has no item chosen.
    void rndBoxChange();
    void pckBoxChange();
    // "Set": stores `rCGS` as the rookie value of the chosen round and pick and rebuilds the
    // memo. Does nothing (false) when either box has no item chosen; the empty item (index 0)
    // has no entry of the table, so nothing is stored for it. Throws ConversionError for a
    // text without digits.
    bool rCGSChange();
    // "Save": reads every field back and writes the options file. Every field is read before
    // anything is stored, so a field that is no number (ConversionError) changes nothing and
    // writes nothing. False, with the options unchanged, when the file cannot be written
    // (SaveError says why: a write that failed, or a file of a newer version or one that could
    // not be read, which is never written over).
    bool saveBtnClick();
    const std::string& SaveError() const { return saveError_; }
    // The control name of the field that stopped the last Save as no number; "" otherwise.
    const std::string& FieldNotANumber() const { return notANumber_; }
    // "Cancel": the options as they were when the editor was made.
    void cxlBtnClick();

    // The lines of the rookie-table memo: one per run of equal values within a round.
    static std::vector<std::string> RookieSummary(const Options& options);

  private:
    void Load();
    void ShowRookieValue();

    Options& options_;
    const Options original_;
    Prompt& prompt_;
    const std::string ownerName_;
    Controls controls_;
    std::string saveError_;
    std::string notANumber_;
};
