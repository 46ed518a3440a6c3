#pragma once

#include <string>
#include <utility>
#include <vector>

// What the contract editor shows: the text of every box under its component name, the
// check boxes, what is visible and the lines of the lists. The window copies these into
// its controls; nothing it shows is computed anywhere else.
struct EditorFields {
    enum class AcceptColor { None, Green, Red };

    std::string playerID;
    std::string playerFirstName;
    std::string playerLastName;
    std::string currentTeam;
    std::string Pos;
    std::string age;
    std::string aSP, aAC, aAG, aST, aHA, aEN, aIN, aDI;
    std::string pSP, pAC, pAG, pST, pHA, pEN, pIN, pDI;
    std::string yrSigned = "2000";
    std::string faType = "Unrestricted ";
    std::string yrFree = "2005";
    std::string contractTeam;
    std::string years;
    std::string declines;
    std::string cgs;
    std::string salary;
    std::string bonus;
    std::string accept_percent;
    std::string currentBase;
    std::string currentBonus;
    std::string Round = "00";
    std::string Pick = "00";

    bool FranchiseTag = false;
    bool TransitionTag = false;
    bool tender = false;
    bool HoldoutLabel = false;   // shown
    bool roundPickShown = false; // Round and Pick with their labels
    AcceptColor acceptColor = AcceptColor::None;

    // The terms of the chance shown, beside "Accepting %".
    std::vector<std::string> chanceExplanation;

    std::vector<std::string> caphit{"0", "0", "0", "0", "0"};
    int caphitSelected = -1;

    std::vector<std::string> GameStatOutput;
    std::vector<std::string> SeasonStatOutput;
    std::vector<std::string> CareerStatOutput;

    // Every text box by component name, in the order of the window.
    using TextMember = std::string EditorFields::*;
    static const std::vector<std::pair<const char*, TextMember>>& TextBoxes();
    // The eight potential boxes, which "Hide Potentials" masks.
    static const std::vector<std::pair<const char*, TextMember>>& PotentialBoxes();
};
