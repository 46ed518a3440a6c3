#include "contracts/OfferFileName.h"

#include <gtest/gtest.h>

TEST(OfferFileName, IsTheClubNameWithTheOfferExtension) {
    EXPECT_EQ(OfferFileName("Harbor City Gulls"), "Harbor City Gulls.off");
    // Single-byte names of the game keep their letters (0xFC is u-umlaut in Latin-1).
    EXPECT_EQ(OfferFileName("M\xFCnster"), "M\xFCnster.off");
    EXPECT_EQ(OfferFileName(""), ".off");
}

TEST(OfferFileName, NeverNamesAFileOutsideTheChosenFolder) {
    EXPECT_EQ(OfferFileName("../../etc/passwd"), ".._.._etc_passwd.off");
    EXPECT_EQ(OfferFileName("..\\Windows\\x"), ".._Windows_x.off");
    EXPECT_EQ(OfferFileName("C:Sharks"), "C_Sharks.off");
    EXPECT_EQ(OfferFileName("A*B?C\"D<E>F|G"), "A_B_C_D_E_F_G.off");
    EXPECT_EQ(OfferFileName(std::string("Tab\tNew\nDel\x7F", 12)), "Tab_New_Del_.off");
}
