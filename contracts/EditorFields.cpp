#include "contracts/EditorFields.h"

const std::vector<std::pair<const char*, EditorFields::TextMember>>& EditorFields::TextBoxes() {
    using F = EditorFields;
    static const std::vector<std::pair<const char*, TextMember>> boxes{
        {"playerID", &F::playerID},
        {"playerFirstName", &F::playerFirstName},
        {"playerLastName", &F::playerLastName},
        {"currentTeam", &F::currentTeam},
        {"Pos", &F::Pos},
        {"age", &F::age},
        {"aSP", &F::aSP},
        {"aAC", &F::aAC},
        {"aAG", &F::aAG},
        {"aST", &F::aST},
        {"aHA", &F::aHA},
        {"aEN", &F::aEN},
        {"aIN", &F::aIN},
        {"aDI", &F::aDI},
        {"pSP", &F::pSP},
        {"pAC", &F::pAC},
        {"pAG", &F::pAG},
        {"pST", &F::pST},
        {"pHA", &F::pHA},
        {"pEN", &F::pEN},
        {"pIN", &F::pIN},
        {"pDI", &F::pDI},
        {"yrSigned", &F::yrSigned},
        {"faType", &F::faType},
        {"yrFree", &F::yrFree},
        {"contractTeam", &F::contractTeam},
        {"years", &F::years},
        {"declines", &F::declines},
        {"cgs", &F::cgs},
        {"salary", &F::salary},
        {"bonus", &F::bonus},
        {"accept_percent", &F::accept_percent},
        {"currentBase", &F::currentBase},
        {"currentBonus", &F::currentBonus},
        {"Round", &F::Round},
        {"Pick", &F::Pick},
    };
    return boxes;
}

const std::vector<std::pair<const char*, EditorFields::TextMember>>& EditorFields::PotentialBoxes() {
    using F = EditorFields;
    static const std::vector<std::pair<const char*, TextMember>> boxes{
        {"pSP", &F::pSP}, {"pAC", &F::pAC}, {"pAG", &F::pAG}, {"pST", &F::pST},
        {"pHA", &F::pHA}, {"pEN", &F::pEN}, {"pIN", &F::pIN}, {"pDI", &F::pDI},
    };
    return boxes;
}
