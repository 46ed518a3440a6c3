#include "league/Encryption.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace {

Encryption Table(int a, int b) {
    Encryption e;
    e.Init(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b));
    return e;
}

TEST(Encryption, DefaultTableMirrorsEveryByte) {
    Encryption e;
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(e.Entry(i), 255 - i);
    // Three mirrors are one mirror.
    std::uint8_t bytes[3] = {0, 100, 255};
    e.Encrypt(bytes, 3);
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(bytes[1], 155);
    EXPECT_EQ(bytes[2], 0);
    std::uint8_t a = 1, b = 1;
    e.GetInit(a, b);
    EXPECT_EQ(a, 255);
    EXPECT_EQ(b, 0);
}

TEST(Encryption, StepsZeroAndOneRotateTheValues) {
    // Step 1 walks the positions in order; step 0 lands on the taken entry and the
    // probe moves on to the next free one, which is the same walk.
    for (int a : {0, 10, 200, 255})
        for (int b : {0, 1}) {
            Encryption e = Table(a, b);
            for (int i = 0; i < 256; ++i)
                ASSERT_EQ(e.Entry(i), (a + i) % 256) << "a=" << a << " b=" << b << " i=" << i;
        }
}

TEST(Encryption, StepTwoFillsEvenPositionsThenOdd) {
    // A = 10: the even positions take 10, 11, ... 137; the walk wraps to position 0,
    // which is taken, probes to 1, and the odd positions take 138 ... 265 = 9 (mod 256).
    Encryption e = Table(10, 2);
    EXPECT_EQ(e.Entry(0), 10);
    EXPECT_EQ(e.Entry(2), 11);
    EXPECT_EQ(e.Entry(254), 137);
    EXPECT_EQ(e.Entry(1), 138);
    EXPECT_EQ(e.Entry(235), 255); // 138 + 117
    EXPECT_EQ(e.Entry(237), 0);   // 138 + 118 wraps
    EXPECT_EQ(e.Entry(255), 9);   // the last value is the filler A - 1
}

TEST(Encryption, OddStepThreeWorkedByHand) {
    // A = 10, B = 3: positions 0, 3, ..., 255 take 10..95; 258 wraps to 2, which is
    // free: 2, 5, ..., 254 take 96..180; 257 wraps to 1: 1, 4, ..., 253 take 181..265,
    // that is 181..255 and 0..9.
    Encryption e = Table(10, 3);
    const std::array<std::pair<int, int>, 10> expected = {
        {{0, 10}, {3, 11}, {6, 12}, {255, 95}, {2, 96}, {5, 97}, {254, 180}, {1, 181}, {4, 182}, {253, 9}}};
    for (auto [pos, value] : expected)
        EXPECT_EQ(e.Entry(pos), value) << "entry " << pos;
    std::uint8_t a = 0, b = 0;
    e.GetInit(a, b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 3);
}

TEST(Encryption, EncryptAppliesTheTableThreeTimes) {
    // A = 5, B = 1 is the rotation i -> i + 5, so a byte moves by 15.
    Encryption e = Table(5, 1);
    std::uint8_t bytes[4] = {0, 1, 240, 250};
    e.Encrypt(bytes, 4);
    EXPECT_EQ(bytes[0], 15);
    EXPECT_EQ(bytes[1], 16);
    EXPECT_EQ(bytes[2], 255);
    EXPECT_EQ(bytes[3], 9);
    e.Decrypt(bytes, 4);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[3], 250);
}

TEST(Encryption, EveryTableIsAPermutationAndDecryptUndoesEncrypt) {
    std::array<std::uint8_t, 256> all;
    std::iota(all.begin(), all.end(), 0);
    auto check = [&](int a, int b) {
        Encryption e = Table(a, b);
        std::array<bool, 256> seen{};
        for (int i = 0; i < 256; ++i)
            seen[e.Entry(i)] = true;
        for (int v = 0; v < 256; ++v)
            ASSERT_TRUE(seen[static_cast<std::size_t>(v)]) << "a=" << a << " b=" << b << " misses " << v;
        auto bytes = all;
        e.Encrypt(bytes.data(), 256);
        e.Decrypt(bytes.data(), 256);
        ASSERT_EQ(bytes, all) << "a=" << a << " b=" << b;
    };
    for (int b = 0; b < 256; ++b)
        check(77, b);
    for (int a = 0; a < 256; ++a)
        check(a, (a * 7 + 3) % 256);
}

TEST(Encryption, NonPositiveCountsLeaveBytesAlone) {
    Encryption e = Table(5, 1);
    std::uint8_t byte = 42;
    e.Encrypt(&byte, 0);
    e.Decrypt(&byte, -1);
    EXPECT_EQ(byte, 42);
}

} // namespace
