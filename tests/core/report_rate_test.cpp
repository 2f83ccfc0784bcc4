#include "perf/report_rate.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

TEST(ReportRate, KnobsCodesLabelsAndNotifications) {
    struct Row {
        int knob;
        std::uint8_t code;
        std::u16string_view label;
        std::u16string_view notification;
    };
    const Row rows[] = {
        {1, 8, u"125", u"Switch report rate into 125HZ"},
        {2, 4, u"250", u"Switch report rate into 250HZ"},
        {3, 2, u"500", u"Switch report rate into 500HZ"},
        {4, 1, u"1000", u"Switch report rate into 1000HZ"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.knob);
        EXPECT_EQ(reportRateCodeOfKnob(row.knob), row.code);
        EXPECT_EQ(knobOfReportRateCode(row.code), row.knob);
        EXPECT_EQ(reportRateKnobLabel(row.knob), row.label);
        auto id = reportRateText(row.code);
        ASSERT_TRUE(id.has_value());
        EXPECT_EQ(text(Language::English, *id), row.notification);
    }
}

TEST(ReportRate, UnlistedCodesShowTheRightmostKnobAndNoNotification) {
    for (unsigned code : {0u, 3u, 5u, 16u, 125u, 255u}) {
        EXPECT_EQ(knobOfReportRateCode(static_cast<std::uint8_t>(code)), 4) << code;
        EXPECT_FALSE(reportRateText(static_cast<std::uint8_t>(code)).has_value()) << code;
    }
    for (int knob : {0, 5, -1}) {
        EXPECT_EQ(reportRateCodeOfKnob(knob), 0);
        EXPECT_TRUE(reportRateKnobLabel(knob).empty());
    }
}

TEST(ReportRate, ClickingAKnobStoresItsCodeAndSaysWhichKnobToDarken) {
    struct Row {
        std::uint8_t stored;
        int clicked;
        std::uint8_t after;
        std::optional<int> darken;
    };
    const Row rows[] = {
        {8, 2, 4, 1},             // 125 Hz -> 250 Hz
        {1, 3, 2, 4},             // 1000 Hz -> 500 Hz
        {4, 2, 4, std::nullopt},  // already lit: nothing to draw, code unchanged
        {0, 1, 8, 4},             // an unlisted code showed as knob 4
        {0, 4, 1, std::nullopt},  // the lit knob stays; the click still means 1000 Hz
        {2, 0, 2, std::nullopt},  // outside the knobs
        {2, 5, 2, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << int(row.stored) << " knob " << row.clicked);
        SettingsRecord r;
        r[rec::kReportRateCode] = row.stored;
        EXPECT_EQ(selectReportRate(r, row.clicked), row.darken);
        EXPECT_EQ(r[rec::kReportRateCode], row.after);
    }
}

}  // namespace
}  // namespace trv
