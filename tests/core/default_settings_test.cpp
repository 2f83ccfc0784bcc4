#include "tools/default_settings.h"

#include <gtest/gtest.h>

#include <set>

#include "assign/assignment.h"
#include "config/settings_file.h"
#include "config/settings_file_disk.h"
#include "perf/lighting.h"
#include "tests/contract/temp_folder.h"

namespace trv::testing {
namespace {

TEST(DefaultSettings, AFreshConfigBinLoadsAsAFirstRunWithTheFactorySettings) {
    TempFolder folder;
    const auto bytes = settingsFileBytes(0, defaultSettingsRecord());
    folder.write("config.bin", Bytes(bytes.begin(), bytes.end()));
    DiskSettingsFileSystem files;
    MessageLog messages;
    std::uint8_t firstRunFlag = 0xEE;
    SettingsRecord record;
    LoadSettingsFile(files, folder.path16("config.bin"), firstRunFlag, record, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(firstRunFlag, 0);

    struct Field {
        std::size_t offset;
        std::uint8_t value;
    };
    const Field fields[] = {
        {rec::kReportRateCode, 1},   {rec::kStageEnabled + 0, 1}, {rec::kStageEnabled + 1, 1},
        {rec::kStageEnabled + 2, 1}, {rec::kStageEnabled + 3, 1}, {rec::kLightMode, 1},
        {rec::kLightBrightness, 9},  {rec::kStandardEffect, 1},   {rec::kRespirationEffect, 1},
        {rec::kModeShown, 0},        {rec::kFireMakeTime, 5},     {rec::kFireBreakTime, 5},
        {rec::kPointerPrecision, 1}, {rec::kScrollOneScreen, 0},
    };
    for (const Field& f : fields) EXPECT_EQ(record[f.offset], f.value) << "offset " << f.offset;

    std::set<std::uint8_t> levels;
    std::set<std::array<std::uint8_t, 3>> colours;
    for (std::size_t stage = 0; stage < rec::kStages; ++stage) {
        levels.insert(record[rec::kStageLevel + stage]);
        colours.insert({record[rec::kStageColour + 3 * stage],
                        record[rec::kStageColour + 3 * stage + 1],
                        record[rec::kStageColour + 3 * stage + 2]});
    }
    EXPECT_EQ(levels.size(), rec::kStages) << "every stage its own DPI level";
    EXPECT_EQ(colours.size(), rec::kStages) << "every stage its own colour";
    for (std::size_t field : {rec::kPointerSpeedPos, rec::kScrollLinesPos, rec::kDoubleClickPos}) {
        EXPECT_GE(record[field], 1);
        EXPECT_LE(record[field], 11);
    }
}

// A user who switches the light to another mode first sees the stored
// parameter, and apply sends it: each must be one the lists offer.
TEST(DefaultSettings, EveryLightingParameterShowsAsAListEntry) {
    const SettingsRecord record = defaultSettingsRecord();
    struct Shown {
        const char* what;
        std::u16string text;
    };
    const Shown shown[] = {
        {"brightness", brightnessText(record[rec::kLightBrightness])},
        {"respiration period", respirationText(record[rec::kRespirationSpeed])},
        {"neon period", neonText(record[rec::kNeonPeriod])},
        {"standard effect", effectText(Language::English, record[rec::kStandardEffect])},
        {"respiration effect", effectText(Language::English, record[rec::kRespirationEffect])},
        {"neon effect", effectText(Language::English, record[rec::kNeonEffect])},
    };
    for (const Shown& s : shown) EXPECT_FALSE(s.text.empty()) << s.what;
}

TEST(DefaultSettings, BothModesHaveTheFactoryButtonsWithAnLButtonFireKeyOnButton7) {
    const SettingsRecord record = defaultSettingsRecord();
    const std::uint8_t types[rec::kButtons] = {0, 1, 2, 3, 4, 5, 9, 12};
    for (Mode mode : {Mode::A, Mode::B}) {
        for (std::size_t b = 1; b <= rec::kButtons; ++b) {
            EXPECT_EQ(record.button(rec::kAssignType, mode, b), types[b - 1]) << b;
        }
        EXPECT_EQ(record.button(rec::kDpiSwitchCode, mode, 6), dpi_switch::kLoop);
        EXPECT_EQ(record.button(rec::kFireKeyIndex, mode, 7), 0);
        EXPECT_EQ(record.button(rec::kFireKeyUsage, mode, 7), 0xF0);
        EXPECT_EQ(encodeAssignment(record, mode, 7),
                  (AssignmentPair{0xF0, static_cast<std::uint8_t>(pair_class::kFireKey | 5)}));
    }
}

}  // namespace
}  // namespace trv::testing
