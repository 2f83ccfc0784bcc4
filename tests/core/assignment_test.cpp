#include "assign/assignment.h"

#include <gtest/gtest.h>

#include "assign/function_table.h"
#include "assign/key_tables.h"
#include "assign/scan_codes.h"

namespace trv {
namespace {

// A record whose every parameter field of button 3 in both modes holds a
// distinct value, so that a type reading the wrong field shows.
SettingsRecord recordWithButton3(Mode mode, std::uint8_t type) {
    SettingsRecord r;
    for (Mode m : {Mode::A, Mode::B}) {
        const std::uint8_t bias = m == Mode::A ? 0 : 0x40;
        r.button(rec::kMediaCode, m, 3) = 0x04 + bias;
        r.button(rec::kWindowsCode, m, 3) = 0x02 + bias;
        r.button(rec::kHotKeyIndex, m, 3) = 0x05 + bias;
        r.button(rec::kSingleKeyUsage, m, 3) = 0x28 + bias;
        r.button(rec::kFireKeyIndex, m, 3) = 0x11 + bias;
        r.button(rec::kFireKeyUsage, m, 3) = 0x1D + bias;
        r.button(rec::kFireTimes, m, 3) = 0x05 + bias;
        r.button(rec::kDpiSwitchCode, m, 3) = 0x04 + bias;
        r.button(rec::kAssignType, m, 3) = 0xEE;
    }
    r.button(rec::kAssignType, mode, 3) = type;
    return r;
}

TEST(Assignment, EveryTypeSendsItsPairFromItsOwnFieldsOfTheEditedMode) {
    struct Row {
        std::uint8_t type;
        AssignmentPair modeA;
        AssignmentPair modeB;
    };
    const Row rows[] = {
        {0, {0xF0, 0x00}, {0xF0, 0x00}},   {1, {0xF1, 0x00}, {0xF1, 0x00}},
        {2, {0xF2, 0x00}, {0xF2, 0x00}},   {3, {0xF4, 0x00}, {0xF4, 0x00}},
        {4, {0xF3, 0x00}, {0xF3, 0x00}},   {5, {0x04, 0x03}, {0x44, 0x03}},
        {6, {0x09, 0x02}, {0x49, 0x02}},   {7, {0x04, 0x02}, {0x44, 0x02}},
        {8, {0x15, 0x02}, {0x55, 0x02}},   {9, {0x1D, 0x85}, {0x5D, 0xC5}},
        {10, {0x28, 0x00}, {0x68, 0x00}},  {11, {0x0A, 0x03}, {0x0A, 0x03}},
        {12, {0x00, 0x00}, {0x00, 0x00}},  {13, {0x06, 0x03}, {0x06, 0x03}},
        {14, {0x00, 0x00}, {0x00, 0x00}},  {200, {0x00, 0x00}, {0x00, 0x00}},
        {255, {0x00, 0x00}, {0x00, 0x00}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "type " << int(row.type));
        EXPECT_EQ(encodeAssignment(recordWithButton3(Mode::A, row.type), Mode::A, 3), row.modeA);
        EXPECT_EQ(encodeAssignment(recordWithButton3(Mode::B, row.type), Mode::B, 3), row.modeB);
    }
}

TEST(Assignment, ParameterValuesAtTheEndsOfTheirRanges) {
    struct Row {
        std::uint8_t type;
        std::size_t field;
        std::uint8_t value;
        AssignmentPair expected;
    };
    const Row rows[] = {
        {9, rec::kFireTimes, 0, {0x1D, 0x80}},    // repeat until released
        {9, rec::kFireTimes, 127, {0x1D, 0xFF}},  // the most the mouse holds
        {9, rec::kFireTimes, 128, {0x1D, 0xFF}},  // a damaged count stays a fire key
        {9, rec::kFireTimes, 255, {0x1D, 0xFF}},
        {6, rec::kWindowsCode, 0, {0x07, 0x02}},  // Multimedia Player
        {6, rec::kWindowsCode, 8, {0x0F, 0x02}},  // Browser-Refresh
        {6, rec::kWindowsCode, 250, {0x01, 0x02}},
        {8, rec::kHotKeyIndex, 0, {0x10, 0x02}},  // Copy, right after the Windows range
        {8, rec::kHotKeyIndex, 7, {0x17, 0x02}},  // Undo
        {8, rec::kHotKeyIndex, 0xF5, {0x05, 0x02}},
        {7, rec::kMediaCode, 6, {0x06, 0x02}},  // Vol-
        {5, rec::kDpiSwitchCode, 5, {0x05, 0x03}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "type " << int(row.type) << " value " << int(row.value));
        SettingsRecord r = recordWithButton3(Mode::A, row.type);
        r.button(row.field, Mode::A, 3) = row.value;
        EXPECT_EQ(encodeAssignment(r, Mode::A, 3), row.expected);
    }
}

TEST(Assignment, NoTypeButAFireKeySetsBit7OfTheParameter) {
    for (unsigned type = 0; type < 256; ++type) {
        SettingsRecord r = recordWithButton3(Mode::A, static_cast<std::uint8_t>(type));
        for (unsigned times : {0u, 64u, 127u, 128u, 200u, 255u}) {
            r.button(rec::kFireTimes, Mode::A, 3) = static_cast<std::uint8_t>(times);
            const bool fire = type == 9;
            EXPECT_EQ((encodeAssignment(r, Mode::A, 3).parameter & 0x80) != 0, fire)
                << type << "/" << times;
        }
    }
}

TEST(Assignment, ButtonsOutsideOneToEightSendNothing) {
    SettingsRecord r;  // every button Left Click
    EXPECT_EQ(encodeAssignment(r, Mode::A, 1), (AssignmentPair{0xF0, 0x00}));
    EXPECT_EQ(encodeAssignment(r, Mode::B, 8), (AssignmentPair{0xF0, 0x00}));
    EXPECT_EQ(encodeAssignment(r, Mode::A, 0), AssignmentPair{});
    EXPECT_EQ(encodeAssignment(r, Mode::B, 9), AssignmentPair{});
}

// Every assignment the page can make, with each value its dialog offers.
std::vector<Assignment> everyPageAssignment() {
    std::vector<Assignment> all;
    for (auto type : {AssignmentType::LeftClick, AssignmentType::RightClick,
                      AssignmentType::MidClick, AssignmentType::Forward, AssignmentType::Backward,
                      AssignmentType::SnipeKey, AssignmentType::KeyOff, AssignmentType::Shift}) {
        all.push_back({type});
    }
    for (std::uint8_t code : {3, 4, 5}) all.push_back({AssignmentType::DpiSwitch, code});
    for (std::uint8_t i = 0; i < 9; ++i) all.push_back({AssignmentType::Windows, i});
    for (std::uint8_t i = 0; i < 7; ++i) all.push_back({AssignmentType::Multimedia, i});
    for (std::uint8_t i = 0; i < 8; ++i) all.push_back({AssignmentType::HotKey, i});
    for (std::size_t p = 0; p < kFireKeyItemCount; ++p) {
        for (std::uint8_t times : {0, 1, 127}) {
            all.push_back({AssignmentType::FireKey, fireKeyUsageOf(p), times});
        }
    }
    for (std::size_t row = 0; row < kKeyNameCount; ++row) {
        all.push_back({AssignmentType::SingleKey, keyNameToUsage(keyNameAt(row))});
    }
    // Keys whose name is not known go by their scan code.
    for (std::uint32_t scanCode = 1; scanCode < 0x80; ++scanCode) {
        for (std::uint32_t extended : {0u, 1u << 24}) {
            const std::uint8_t usage = scanCodeToUsage((scanCode << 16) | extended);
            if (usage != 0) all.push_back({AssignmentType::SingleKey, usage});
        }
    }
    return all;
}

TEST(Assignment, EveryPairThePageSendsReadsBackAsTheAssignmentThatSentIt) {
    for (const Assignment& a : everyPageAssignment()) {
        SettingsRecord r;
        r.button(rec::kAssignType, Mode::B, 2) = static_cast<std::uint8_t>(a.type);
        if (auto field = parameterField(a.type)) r.button(*field, Mode::B, 2) = a.parameter;
        r.button(rec::kFireTimes, Mode::B, 2) = a.fireTimes;
        const AssignmentPair pair = encodeAssignment(r, Mode::B, 2);
        Assignment expected = a;
        // The single keys that send a list item's pair read as that item.
        if (a.type == AssignmentType::SingleKey && a.parameter >= 0xF0) {
            expected = {static_cast<AssignmentType>(a.parameter - 0xF0)};
        }
        EXPECT_EQ(decodeAssignment(pair), expected) << int(pair.code) << " " << int(pair.parameter);
    }
    EXPECT_EQ(decodeAssignment({0x00, 0x00}), Assignment{AssignmentType::KeyOff});
}

TEST(Assignment, PairsNoAssignmentSendsReadAsNothing) {
    const AssignmentPair foreign[] = {
        {0x9C, 0x00},  // no key name or scan code gives 0x9C
        {0xF5, 0x00}, {0x18, 0x02}, {0x07, 0x03},
        {0x02, 0x03}, {0xE3, 0x80},  // the fire-key list skips the left Windows key
        {0x05, 0x01}, {0x05, 0x7F},
    };
    for (const AssignmentPair& pair : foreign) {
        EXPECT_EQ(decodeAssignment(pair), std::nullopt)
            << int(pair.code) << " " << int(pair.parameter);
    }
}

TEST(Assignment, ListShowsTheFourteenTypesInValueOrder) {
    const std::u16string_view expected[] = {
        u"Left Click", u"Right Click", u"Mid Click",  u"Forward", u"Backward",
        u"DPI Switch", u"Windows",     u"Multimedia", u"HotKey",  u"Fire Key",
        u"Single Key", u"Snipe Key",   u"Key Off",    u"Shift",
    };
    const auto items = assignmentListItems(Language::English);
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i], expected[i]) << i;
        EXPECT_EQ(assignmentListText(Language::English, static_cast<AssignmentType>(i)),
                  expected[i]);
    }
    EXPECT_TRUE(assignmentListText(Language::English, static_cast<AssignmentType>(14)).empty());
}

TEST(Assignment, LabelsJoinTheListTextAndTheChoice) {
    const Language en = Language::English;
    EXPECT_EQ(multimediaLabel(en, u"Next"), u"Multimedia-Next");
    EXPECT_EQ(multimediaLabel(en, u"Vol-"), u"Multimedia-Vol-");
    EXPECT_EQ(fireKeyLabel(en, u"A"), u"Fire Key-A");
    EXPECT_EQ(singleKeyLabel(en, u"Num Lock"), u"Single Key-Num Lock");
    EXPECT_EQ(singleKeyLabel(en, u""), u"Single Key-");
    EXPECT_EQ(listItemLabel(en, AssignmentType::SnipeKey), u"Snipe Key");
    EXPECT_EQ(listItemLabel(en, AssignmentType::KeyOff), u"Key Off");
    EXPECT_EQ(listItemLabel(en, AssignmentType::Shift), u"Shift");
}

TEST(Assignment, DpiSubListItemsAndTheirCodes) {
    const std::pair<std::u16string_view, std::uint8_t> items[] = {
        {u"DPI +", 3}, {u"DPI -", 4}, {u"DPI Loop", 5}};
    for (std::size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(dpiSwitchItemText(i), items[i].first);
        EXPECT_EQ(dpiSwitchCodeOfItem(i), items[i].second);
        EXPECT_EQ(dpiSwitchLabel(items[i].second), items[i].first);
    }
    EXPECT_TRUE(dpiSwitchItemText(3).empty());
    EXPECT_EQ(dpiSwitchCodeOfItem(3), 0);
    EXPECT_TRUE(dpiSwitchLabel(6).empty());
}

// Both modes get the same eight defaults.
ButtonLabels englishDefaults() {
    const std::u16string perButton[] = {u"Left Click",        u"Right Click", u"Mid Click",
                                        u"Forward",           u"Backward",    u"DPI Loop",
                                        u"Fire Key-L-Button", u"Key Off"};
    ButtonLabels labels;
    for (Mode mode : {Mode::A, Mode::B}) {
        for (std::size_t b = 1; b <= rec::kButtons; ++b) labels.of(mode, b) = perButton[b - 1];
    }
    return labels;
}
const ButtonLabels kEnglishDefaults = englishDefaults();

TEST(Assignment, DefaultRestoresTypesAndLabelsOfBothModesAndKeepsEveryParameter) {
    SettingsRecord r;
    for (std::size_t i = 0; i < rec::kSize; ++i) r[i] = static_cast<std::uint8_t>(0xA0 + i);
    const SettingsRecord before = r;
    ButtonLabels labels;
    for (auto& t : labels.texts) t = u"Copy";

    restoreDefaultAssignments(r, labels, Language::English);

    EXPECT_EQ(labels, kEnglishDefaults);
    const std::uint8_t types[] = {0, 1, 2, 3, 4, 5, 9, 12};
    for (Mode m : {Mode::A, Mode::B}) {
        for (std::size_t b = 1; b <= 8; ++b) {
            EXPECT_EQ(r.button(rec::kAssignType, m, b), types[b - 1]);
        }
        EXPECT_EQ(r.button(rec::kDpiSwitchCode, m, 6), 5);
        EXPECT_EQ(encodeAssignment(r, m, 6), (AssignmentPair{0x05, 0x03}));
    }
    for (std::size_t i = 0; i < rec::kSize; ++i) {
        const bool type = i >= rec::kAssignType && i < rec::kAssignType + 16;
        const bool dpi6 = i == rec::perButton(rec::kDpiSwitchCode, Mode::A, 6) ||
                          i == rec::perButton(rec::kDpiSwitchCode, Mode::B, 6);
        if (!type && !dpi6) {
            EXPECT_EQ(r[i], before[i]) << "record byte " << i;
        }
    }
}

TEST(Assignment, DefaultLabelsForAFirstRunEqualThoseOfTheDefaultButton) {
    ButtonLabels labels;
    setDefaultLabels(labels, Language::English);
    EXPECT_EQ(labels, kEnglishDefaults);
}

TEST(Assignment, LabelsUseTheInterfaceLanguageExceptDpiLoopAndTheLButtonSuffix) {
    const Language zh = Language::SimplifiedChinese;
    ButtonLabels labels;
    setDefaultLabels(labels, zh);
    const std::u16string_view expected[] = {
        text(zh, TextId::LeftClick), text(zh, TextId::RightClick), text(zh, TextId::MidClick),
        text(zh, TextId::Forward),   text(zh, TextId::Backward),   u"DPI Loop"};
    for (Mode m : {Mode::A, Mode::B}) {
        for (std::size_t b = 1; b <= 6; ++b) EXPECT_EQ(labels.of(m, b), expected[b - 1]) << b;
        EXPECT_EQ(labels.of(m, 7), std::u16string(text(zh, TextId::FireKey)) + u"-L-Button");
        EXPECT_EQ(labels.of(m, 8), text(zh, TextId::KeyOff));
    }
    EXPECT_EQ(multimediaLabel(zh, u"Next"),
              std::u16string(text(zh, TextId::Multimedia)) + u"-Next");
    EXPECT_NE(text(zh, TextId::Multimedia), u"Multimedia");
}

TEST(FunctionTable, FactoryContentsLandLittleEndianAndNothingElseMoves) {
    ConfigBlock b;
    for (std::size_t i = 0; i < b.image.size(); ++i) b.image[i] = 0x5A;
    b.header = {0x11, 0x22};
    writeFactoryFunctionTable(b);

    const std::uint8_t consumer[] = {0xB5, 0x00, 0xB6, 0x00, 0xB7, 0x00, 0xCD, 0x00,
                                     0xE2, 0x00, 0xE9, 0x00, 0xEA, 0x00, 0x83, 0x01,
                                     0x8A, 0x01, 0x92, 0x01, 0x94, 0x01, 0x21, 0x02,
                                     0x23, 0x02, 0x24, 0x02, 0x25, 0x02, 0x27, 0x02};
    const std::uint8_t hotKeys[] = {0xE0, 0x06, 0xE0, 0x1B, 0xE0, 0x19, 0xE0, 0x04,
                                    0xE0, 0x12, 0xE0, 0x11, 0xE0, 0x16, 0xE0, 0x1D};
    for (std::size_t i = 0; i < b.image.size(); ++i) {
        if (i >= 224 && i < 256) {
            EXPECT_EQ(b.image[i], consumer[i - 224]) << i;
        } else if (i >= 304) {
            EXPECT_EQ(b.image[i], hotKeys[i - 304]) << i;
        } else {
            EXPECT_EQ(b.image[i], 0x5A) << i;
        }
    }
    EXPECT_EQ(b.header[0], 0x11);
    EXPECT_EQ(b.header[1], 0x22);
}

}  // namespace
}  // namespace trv
