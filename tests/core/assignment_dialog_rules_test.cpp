// The rules inside the assignment dialogs: the fire-key number fields, the
// usage a captured key is sent as, the drop-downs and the image buttons'
// looks under the pointer.

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "assign/fire_key_fields.h"
#include "assign/key_tables.h"
#include "assign/scan_codes.h"
#include "ui/dialog_colours.h"
#include "ui/dialog_frame.h"

namespace trv {
namespace {

// A key message's lParam: the key's scan code, once, and the extended bit.
constexpr std::uint32_t kExtended = 1u << 24;
constexpr std::uint32_t scan(std::uint32_t code) {
    return code << 16 | 1;
}

TEST(FireKeyFields, RepeatCountIsCheckedAsItIsTyped) {
    struct Step {
        std::u16string typed;
        std::optional<std::u16string> shown;  // what the field is set to instead
        std::uint8_t count;
    };
    const Step steps[] = {
        {u"1", std::nullopt, 1},     {u"12", std::nullopt, 12}, {u"128", u"1", 1},
        {u"127", std::nullopt, 127}, {u"", std::nullopt, 0},    {u"0", std::nullopt, 0},
        {u"99999999999", u"1", 1},
    };
    FireKeyFields fields;
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.typed.begin(), step.typed.end()));
        EXPECT_EQ(fields.changed(FireField::Repeat, step.typed), step.shown);
        EXPECT_EQ(fields.repeatCount(), step.count);
        EXPECT_EQ(fields.text(FireField::Repeat), step.shown.value_or(step.typed));
    }
}

TEST(FireKeyFields, TimesAreCheckedWhenTheFieldLosesTheFocus) {
    struct Row {
        std::u16string typed;
        std::optional<std::u16string> shown;
        std::uint8_t time;
    };
    const Row rows[] = {
        {u"3", u"5", 5},   {u"5", std::nullopt, 5}, {u"255", std::nullopt, 255},
        {u"256", u"5", 5}, {u"", u"5", 5},          {u"040", std::nullopt, 40},
    };
    for (FireField field : {FireField::Make, FireField::Break}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.typed.begin(), row.typed.end()));
            FireKeyFields fields;
            EXPECT_EQ(fields.changed(field, row.typed), std::nullopt) << "typing is not checked";
            EXPECT_EQ(fields.left(field), row.shown);
            const std::uint8_t time =
                field == FireField::Make ? fields.makeTime() : fields.breakTime();
            EXPECT_EQ(time, row.time);
            EXPECT_EQ(fields.text(field), row.shown.value_or(row.typed));
        }
    }
    FireKeyFields untouched;
    EXPECT_EQ(untouched.repeatCount(), 1);
    EXPECT_EQ(untouched.makeTime(), 5);
    EXPECT_EQ(untouched.breakTime(), 5);
}

TEST(SingleKeyUsage, TheKeysPositionFirstThenItsName) {
    struct Row {
        std::u16string name;
        std::uint32_t keyData;
        std::uint8_t usage;
    };
    const Row rows[] = {
        {u"A", scan(0x1E), 0x04},
        {u"Num Lock", 0, 0x53},  // the table alone
        {u"", 0, 0},             // OK before any key
        // Names other systems and layouts give.
        {u"Return", scan(0x1C), 0x28},
        {u"Escape", scan(0x01), 0x29},
        {u"Control", scan(0x1D), 0xE0},
        {u"Control", scan(0x1D) | kExtended, 0xE4},
        {u"Strg", scan(0x1D), 0xE0},
        {u"Super_L", scan(0x5B) | kExtended, 0xE3},
        {u"Num_Lock", scan(0x45) | kExtended, 0x53},
        {u"Pause", scan(0x45), 0x48},
        {u"KP_Divide", scan(0x35) | kExtended, 0x54},
        {u"KP_End", scan(0x4F), 0x59},
        {u"End", scan(0x4F) | kExtended, 0x4D},
        {u"Print", scan(0x37) | kExtended, 0x46},
        {u"Ä", scan(0x28), 0x34},
        {u"<", scan(0x56), 0x64},
        {u"Y", scan(0x2C), 0x1D},  // the position wins over the name (German Z/Y)
        {u"F12", scan(0x58), 0x45},
        {u"?", scan(0x7F), 0},
        {u"?", scan(0x7F) | kExtended, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
        EXPECT_EQ(singleKeyUsage(row.name, row.keyData), row.usage);
    }
}

// What a US layout names each key (GetKeyNameTextW): there a key's position
// sends the usage its name stands for, for every key the name table names.
TEST(SingleKeyUsage, UnderAUsLayoutEveryKeyTheTableNamesSendsWhatItsNameSays) {
    constexpr std::uint32_t kExtended = 0x100;  // on the scan code here, bit 24 in key data
    struct Key {
        std::uint32_t scanCode;
        std::u16string_view name;
    };
    // clang-format off
    std::vector<Key> keys = {
        {0x01, u"Esc"}, {0x0E, u"Backspace"}, {0x0F, u"Tab"}, {0x1C, u"Enter"}, {0x1D, u"Ctrl"},
        {0x2A, u"Shift"}, {0x36, u"Right Shift"}, {0x37, u"Num *"}, {0x38, u"Alt"},
        {0x39, u"Space"}, {0x3A, u"Caps Lock"}, {0x3B, u"F1"}, {0x3C, u"F2"}, {0x3D, u"F3"},
        {0x3E, u"F4"}, {0x3F, u"F5"}, {0x40, u"F6"}, {0x41, u"F7"}, {0x42, u"F8"}, {0x43, u"F9"},
        {0x44, u"F10"}, {0x45, u"Pause"}, {0x46, u"Scroll Lock"}, {0x47, u"Num 7"},
        {0x48, u"Num 8"}, {0x49, u"Num 9"}, {0x4A, u"Num -"}, {0x4B, u"Num 4"}, {0x4C, u"Num 5"},
        {0x4D, u"Num 6"}, {0x4E, u"Num +"}, {0x4F, u"Num 1"}, {0x50, u"Num 2"}, {0x51, u"Num 3"},
        {0x52, u"Num 0"}, {0x53, u"Num Del"}, {0x57, u"F11"}, {0x58, u"F12"}, {0x11C, u"Num Enter"},
        {0x11D, u"Right Ctrl"}, {0x135, u"Num /"}, {0x137, u"Prnt Scrn"}, {0x138, u"Right Alt"},
        {0x145, u"Num Lock"}, {0x147, u"Home"}, {0x148, u"Up"}, {0x149, u"Page Up"},
        {0x14B, u"Left"}, {0x14D, u"Right"}, {0x14F, u"End"}, {0x150, u"Down"},
        {0x151, u"Page Down"}, {0x152, u"Insert"}, {0x153, u"Delete"}, {0x15B, u"Left Windows"},
        {0x15C, u"Right Windows"},
    };
    // clang-format on
    // The keys that type a character are named by it.
    const std::pair<std::uint32_t, std::u16string_view> typing[] = {{0x02, u"1234567890-="},
                                                                    {0x10, u"QWERTYUIOP[]"},
                                                                    {0x1E, u"ASDFGHJKL;'`"},
                                                                    {0x2C, u"ZXCVBNM,./"}};
    for (const auto& [first, names] : typing) {
        for (std::uint32_t i = 0; i < names.size(); ++i)
            keys.push_back({first + i, names.substr(i, 1)});
    }
    std::size_t named = 0;
    for (const Key& key : keys) {
        const std::uint32_t keyData =
            (key.scanCode & 0xFF) << 16 | ((key.scanCode & kExtended) != 0 ? 1u << 24 : 0) | 1;
        SCOPED_TRACE(std::string(key.name.begin(), key.name.end()));
        const std::uint8_t byName = keyNameToUsage(key.name);
        ASSERT_NE(byName, 0);
        EXPECT_EQ(singleKeyUsage(key.name, keyData), byName);
        EXPECT_EQ(singleKeyName(key.name, keyData), key.name);
        ++named;
    }
    EXPECT_EQ(named, kKeyNameCount - 4) << "every name but the mouse buttons' and the European key";
}

// The mouse sends a position; the system types what its layout puts there.
// So a key keeps its layout's name for the label and sends its position.
TEST(SingleKeyUsage, UnderFrenchAndGermanLayoutsAKeySendsItsPositionAndKeepsItsName) {
    struct Row {
        std::u16string name;
        std::uint32_t keyData;
        std::uint8_t usage;
    };
    // clang-format off
    const Row french[] = {
        {u"A", scan(0x10), 0x14}, {u"Z", scan(0x11), 0x1A}, {u"Q", scan(0x1E), 0x04},
        {u"W", scan(0x2C), 0x1D}, {u"M", scan(0x27), 0x33}, {u",", scan(0x32), 0x10},
        {u";", scan(0x33), 0x36}, {u"&", scan(0x02), 0x1E}, {u"\u00C0", scan(0x0B), 0x27},
        {u")", scan(0x0C), 0x2D}, {u"$", scan(0x1B), 0x30}, {u"Entr\u00E9e", scan(0x1C), 0x28},
        {u"Verr.maj", scan(0x3A), 0x39}, {u"Ctrl", scan(0x1D), 0xE0},
        {u"Alt Gr", scan(0x38) | kExtended, 0xE6},
    };
    const Row german[] = {
        {u"Z", scan(0x15), 0x1C}, {u"Y", scan(0x2C), 0x1D}, {u"\u00DF", scan(0x0C), 0x2D},
        {u"-", scan(0x35), 0x38}, {u"\u00DC", scan(0x1A), 0x2F}, {u"+", scan(0x1B), 0x30},
        {u"#", scan(0x2B), 0x31}, {u"\u00D6", scan(0x27), 0x33}, {u"<", scan(0x56), 0x64},
        {u"Strg", scan(0x1D), 0xE0}, {u"Strg-Rechts", scan(0x1D) | kExtended, 0xE4},
        {u"Umschalt", scan(0x2A), 0xE1}, {u"Entf", scan(0x53) | kExtended, 0x4C},
    };
    // clang-format on
    for (const auto& [layout, rows] : {std::pair{"French", std::span<const Row>(french)},
                                       std::pair{"German", std::span<const Row>(german)}}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(layout) + " scan " + std::to_string(row.keyData >> 16 & 0xFF));
            EXPECT_EQ(singleKeyUsage(row.name, row.keyData), row.usage);
            EXPECT_EQ(singleKeyName(row.name, row.keyData), row.name);
        }
    }
}

TEST(SingleKeyName, AKeyWithoutASystemNameIsNamedFromItsPositionAndStillSendsItsUsage) {
    struct Row {
        std::u16string systemName;
        std::uint32_t keyData;
        std::u16string shown;
        std::uint8_t usage;
    };
    const Row rows[] = {
        {u"Strg", scan(0x1D), u"Strg", 0xE0},  // the system's name, whatever it is
        {u"", scan(0x1E), u"A", 0x04},        {u"", scan(0x1D) | kExtended, u"Right Ctrl", 0xE4},
        {u"", scan(0x64), u"Scan 64", 0x68},  // F13: a usage the table has no name for
        {u"", scan(0x7F), u"Scan 7F", 0},     {u"", scan(0x5E) | kExtended, u"Scan E0 5E", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.shown.begin(), row.shown.end()));
        const std::u16string shown = singleKeyName(row.systemName, row.keyData);
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(singleKeyUsage(shown, row.keyData), row.usage);
    }
}

TEST(SnipeDropDown, LevelsComeFromTheTableTheSensorTypeChooses) {
    ui::DropDownChoice type0 = ui::snipeDropDown(0, 3);
    EXPECT_EQ(type0.text(), u"1200");
    EXPECT_EQ(type0.items(), (std::vector<std::u16string>{u"600", u"800", u"1000", u"1200", u"1600",
                                                          u"2000", u"2400", u"3200"}));
    EXPECT_TRUE(type0.pick(7));
    EXPECT_EQ(type0.index(), 7);
    EXPECT_EQ(type0.text(), u"3200");

    const ui::DropDownChoice type1 = ui::snipeDropDown(1, 0);
    EXPECT_EQ(type1.text(), u"250");
    EXPECT_EQ(type1.items().back(), u"2500");

    ui::DropDownChoice other = ui::snipeDropDown(2, 5);
    EXPECT_TRUE(other.items().empty());
    EXPECT_TRUE(other.text().empty());
    EXPECT_FALSE(other.pick(0));
    EXPECT_EQ(other.index(), 5) << "OK keeps the mode's level";
}

TEST(DropDown, BoxTogglesTheListAClickElsewhereClosesItAPickClosesIt) {
    const ui::DropDownLayout& hot = ui::dropDownLayout(ui::DialogKind::HotKey);
    ui::DropDownChoice choice = ui::functionDropDown(ui::DialogKind::HotKey, Language::English);
    EXPECT_EQ(choice.text(), u"Copy");
    EXPECT_EQ(choice.items().size(), 8u);
    using Click = ui::DropDownChoice::Click;
    struct Step {
        int x, y;
        Click effect;
    };
    const Step steps[] = {
        {100, 130, Click::Opened}, {100, 130, Click::Closed}, {200, 200, Click::None},
        {42, 128, Click::Opened},  {100, 200, Click::None},  // on the list: its own business
        {300, 10, Click::Closed},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.x << "," << s.y);
        EXPECT_EQ(choice.click(s.x, s.y, hot), s.effect);
    }
    choice.click(100, 130, hot);
    EXPECT_TRUE(choice.pick(7));
    EXPECT_FALSE(choice.listOpen());
    EXPECT_EQ(choice.text(), u"Undo");
    EXPECT_FALSE(choice.pick(8));
    EXPECT_FALSE(choice.pick(-1));
    EXPECT_EQ(choice.index(), 7);

    const ui::DropDownChoice windows =
        ui::functionDropDown(ui::DialogKind::WindowsFunction, Language::TraditionalChinese);
    EXPECT_EQ(windows.items().size(), 9u);
    EXPECT_EQ(windows.text(), windows.items().front());
    EXPECT_EQ(ui::fireKeyDropDown(Language::Bulgarian).text(), u"L-Бутон");
}

TEST(DropDown, ArrowKeysStepTheChoiceWithinTheItemsAndTheKeyboardTogglesTheList) {
    ui::DropDownChoice choice = ui::functionDropDown(ui::DialogKind::HotKey, Language::English);
    EXPECT_FALSE(choice.step(-1)) << "already on the first";
    EXPECT_TRUE(choice.step(2));
    EXPECT_EQ(choice.index(), 2);
    EXPECT_EQ(choice.text(), choice.items()[2]);
    EXPECT_TRUE(choice.step(100));
    EXPECT_EQ(choice.index(), 7);
    EXPECT_FALSE(choice.step(1));
    EXPECT_EQ(choice.toggle(), ui::DropDownChoice::Click::Opened);
    EXPECT_TRUE(choice.step(-1));
    EXPECT_TRUE(choice.listOpen()) << "stepping leaves the list as it is";
    EXPECT_EQ(choice.toggle(), ui::DropDownChoice::Click::Closed);

    // An unknown sensor's level is no item: a step lands on the last one there is.
    ui::DropDownChoice level = ui::snipeDropDown(0, 200);
    EXPECT_TRUE(level.step(1));
    EXPECT_EQ(level.index(), level.items().size() - 1);
}

TEST(FrameHover, ButtonsLightWhenThePointerRestsAndGoOutTogether) {
    using L = ui::FrameLooks;
    struct Step {
        bool rest;  // false: a move
        int x, y;
        bool askOrRedraw;  // a move: asks for a hover notice; a rest: redraw
        L looks;
    };
    const Step steps[] = {
        {false, 200, 260, true, {}},
        {true, 200, 260, true, {true, false, false}},
        {true, 200, 260, false, {true, false, false}},
        {true, 270, 260, false, {true, false, false}},  // OK's last column, Cancel's first
        {true, 271, 260, true, {false, true, false}},
        {true, 360, 10, true, {false, true, true}},
        {true, 200, 260, true, {true, false, true}},
        {false, 100, 100, false, {}},  // leaving redraws (see below), asks for nothing
    };
    ui::FrameHover hover;
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << (s.rest ? "rest " : "move ") << s.x << "," << s.y);
        if (s.rest) {
            EXPECT_EQ(hover.rested(s.x, s.y), s.askOrRedraw);
        } else {
            const ui::FrameHover::Move move = hover.moved(s.x, s.y);
            EXPECT_EQ(move.askForHover, s.askOrRedraw);
        }
        EXPECT_EQ(hover.looks(), s.looks);
    }
    hover.rested(360, 10);
    EXPECT_TRUE(hover.moved(0, 0).redraw);
    EXPECT_FALSE(hover.moved(1, 1).redraw);
}

TEST(DialogColours, SkinFileSetsTheColoursItNamesAndTheRestKeepTheDefaultLook) {
    const ui::DialogColours defaults;
    EXPECT_EQ(ui::parseDialogColours(""), defaults);
    const ui::DialogColours read = ui::parseDialogColours(
        "; amber\r\n[dialog]\r\nfield = #1A1613\r\nselection=#ffb020\n"
        "caption=#ffb02\nborder=blue\nfield_text=#fff3d6");
    EXPECT_EQ(read.field, (Rgb{0x1a, 0x16, 0x13}));
    EXPECT_EQ(read.selection, (Rgb{0xff, 0xb0, 0x20}));
    EXPECT_EQ(read.fieldText, (Rgb{0xff, 0xf3, 0xd6}));  // the last line needs no line end
    EXPECT_EQ(read.caption, defaults.caption);           // malformed colours are passed over
    EXPECT_EQ(read.border, defaults.border);
    EXPECT_EQ(read.selectionText, defaults.selectionText);
}

}  // namespace
}  // namespace trv
