#include "device/scramble.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

namespace trv {
namespace {

using Group = std::array<std::uint8_t, 7>;

// A lead byte, the group, and a byte after it that must not be touched either.
struct Framed {
    std::array<std::uint8_t, 9> bytes{};
    explicit Framed(const Group& g, std::uint8_t lead = 0x5C, std::uint8_t after = 0xA3) {
        bytes[0] = lead;
        std::copy(g.begin(), g.end(), bytes.begin() + 1);
        bytes[8] = after;
    }
    std::uint8_t* lead() { return bytes.data(); }
    Group group() const {
        Group g;
        std::copy(bytes.begin() + 1, bytes.begin() + 8, g.begin());
        return g;
    }
};

Group scrambled(const Group& g) {
    Framed f(g);
    ScrambleGroup(f.lead());
    return f.group();
}

Group unscrambled(const Group& g) {
    Framed f(g);
    UnscrambleGroup(f.lead());
    return f.group();
}

Group randomGroup(std::mt19937& rng) {
    Group g;
    for (auto& b : g) b = static_cast<std::uint8_t>(rng());
    return g;
}

TEST(Scrambling, EveryByteValueInEveryPositionComesBackBothWays) {
    std::mt19937 rng(418);
    for (std::size_t position = 0; position < 7; ++position) {
        for (int value = 0; value < 256; ++value) {
            Group g = randomGroup(rng);
            g[position] = static_cast<std::uint8_t>(value);
            ASSERT_EQ(unscrambled(scrambled(g)), g)
                << "position " << position << " value " << value;
            ASSERT_EQ(scrambled(unscrambled(g)), g)
                << "position " << position << " value " << value;
        }
    }
}

TEST(Scrambling, RandomGroupsComeBackAndLeaveTheirNeighboursAlone) {
    std::mt19937 rng(905263);
    for (int i = 0; i < 20000; ++i) {
        const Group g = randomGroup(rng);
        const auto lead = static_cast<std::uint8_t>(rng());
        const auto after = static_cast<std::uint8_t>(rng());
        Framed f(g, lead, after);
        ScrambleGroup(f.lead());
        EXPECT_EQ(f.bytes[0], lead);
        EXPECT_EQ(f.bytes[8], after);
        UnscrambleGroup(f.lead());
        ASSERT_EQ(f.bytes, Framed(g, lead, after).bytes);
    }
}

// Without the key only the rotations are left: left by 2, then right by 3.
TEST(Scrambling, WithAZeroKeyScramblingRotatesTheGroupRightByOneBit) {
    const ScrambleKey zero{};
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const Group g = randomGroup(rng);
        Group expected;
        for (std::size_t k = 0; k < 7; ++k) {
            const std::uint8_t carried = g[(k + 6) % 7];  // the byte before, cyclically
            expected[k] = static_cast<std::uint8_t>(g[k] >> 1 | carried << 7);
        }
        Framed f(g);
        scrambleGroupWithKey(f.lead(), zero);
        ASSERT_EQ(f.group(), expected);
        unscrambleGroupWithKey(f.lead(), zero);
        ASSERT_EQ(f.group(), g);
    }
}

// Worked by hand. Key "q905263" = 71 39 30 35 32 36 33.
// Right rotation by 3: y0 = x0>>3 | x6<<5, yi = xi>>3 | x(i-1)<<5 (low 8 bits).
//
// 00 00 00 00 00 00 00: rotating zeros gives zeros; XOR gives the key itself,
//   71 39 30 35 32 36 33. Right by 3:
//   y0 = 0E|60 = 6E (33<<5 = 60)   y1 = 07|20 = 27 (71<<5 = 20)
//   y2 = 06|20 = 26 (39<<5 = 20)   y3 = 06|00 = 06 (30<<5 = 00)
//   y4 = 06|A0 = A6 (35<<5 = A0)   y5 = 06|40 = 46 (32<<5 = 40)
//   y6 = 06|C0 = C6 (36<<5 = C0)
// 01 00 00 00 00 00 00: left by 2 gives 04 00 .. 00; XOR gives 75 39 30 35 32 36 33;
//   only y0 and y1 differ from the zero case: y0 = 75>>3 | 33<<5 = 0E|60 = 6E,
//   y1 = 39>>3 | 75<<5 = 07|A0 = A7.
// FF FF FF FF FF FF FF: rotating ones gives ones; XOR gives 8E C6 CF CA CD C9 CC.
//   y0 = 11|80 = 91 (CC<<5 = 80)   y1 = 18|C0 = D8 (8E<<5 = C0)
//   y2 = 19|C0 = D9 (C6<<5 = C0)   y3 = 19|E0 = F9 (CF<<5 = E0)
//   y4 = 19|40 = 59 (CA<<5 = 40)   y5 = 19|A0 = B9 (CD<<5 = A0)
//   y6 = 19|20 = 39 (C9<<5 = 20)
// 00 00 00 00 00 00 80: left by 2, the top bit of x6 lands in bit 1 of x5
//   (y5 = x5<<2 | x6>>6 = 02) and x6<<2 drops it (y6 = 00): 00 00 00 00 00 02 00.
//   XOR gives 71 39 30 35 32 34 33; y5 = 34>>3 | 32<<5 = 06|40 = 46,
//   y6 = 33>>3 | 34<<5 = 06|80 = 86; the rest as for zeros.
TEST(Scrambling, HandWorkedGroups) {
    struct Row {
        Group plain;
        Group scrambled;
    };
    const Row rows[] = {
        {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, {0x6E, 0x27, 0x26, 0x06, 0xA6, 0x46, 0xC6}},
        {{0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, {0x6E, 0xA7, 0x26, 0x06, 0xA6, 0x46, 0xC6}},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {0x91, 0xD8, 0xD9, 0xF9, 0x59, 0xB9, 0x39}},
        {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80}, {0x6E, 0x27, 0x26, 0x06, 0xA6, 0x46, 0x86}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(scrambled(row.plain), row.scrambled);
        EXPECT_EQ(unscrambled(row.scrambled), row.plain);
    }
}

TEST(Scrambling, CommandFrameKeepsItsReportIdAndScramblesTheRest) {
    std::array<std::uint8_t, wire::kCommandFrameSize> frame{0x01, 0xAA, 0xCC, 0xEE,
                                                            0xDD, 0x80, 0x00, 0x00};
    const auto plain = frame;
    scrambleCommandFrame(frame);
    EXPECT_EQ(frame[0], 0x01);
    Framed expected(Group{0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x00, 0x00});
    ScrambleGroup(expected.lead());
    EXPECT_TRUE(std::equal(frame.begin() + 1, frame.end(), expected.bytes.begin() + 1));
    unscrambleCommandFrame(frame);
    EXPECT_EQ(frame, plain);
}

TEST(Scrambling, DataReportKeepsReportIdAndTheFirstByteOfEverySlice) {
    std::array<std::uint8_t, wire::kDataReportSize> report;
    for (std::size_t i = 0; i < report.size(); ++i) report[i] = static_cast<std::uint8_t>(i * 3);
    const auto plain = report;
    scrambleDataReport(report);

    EXPECT_EQ(report[0], plain[0]);
    for (std::size_t slice = 0; slice < 8; ++slice) {
        const std::size_t lead = 1 + 8 * slice;  // 1, 9, 17, ..., 57
        EXPECT_EQ(report[lead], plain[lead]) << "report byte " << lead;
        Framed expected(Group{});
        std::copy(plain.begin() + lead, plain.begin() + lead + 8, expected.bytes.begin());
        ScrambleGroup(expected.lead());
        EXPECT_TRUE(std::equal(report.begin() + lead + 1, report.begin() + lead + 8,
                               expected.bytes.begin() + 1))
            << "group after report byte " << lead;
    }
    unscrambleDataReport(report);
    EXPECT_EQ(report, plain);
}

}  // namespace
}  // namespace trv
