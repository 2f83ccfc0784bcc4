#include "assign/assignment_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace trv {
namespace {

using T = AssignmentType;

// Answers each dialog as a test tells it to, and notes which ran.
class ScriptedDialogs final : public AssignmentDialogs {
  public:
    std::optional<WindowsChoice> windowsFunction() override { return ran("windows", windows); }
    std::optional<MediaChoice> multimedia() override { return ran("media", media); }
    std::optional<HotKeyChoice> hotKey() override { return ran("hot key", hot); }
    std::optional<FireKeyChoice> fireKey() override { return ran("fire key", fire); }
    std::optional<SingleKeyChoice> singleKey() override { return ran("single key", single); }
    std::optional<SnipeChoice> snipe(std::uint8_t currentLevel) override {
        givenLevel = currentLevel;
        return ran("snipe", snipeLevel);
    }

    // Every dialog ends with OK and these results, or with Cancel.
    static ScriptedDialogs answering(bool ok) {
        ScriptedDialogs d;
        if (!ok) return d;
        d.windows = WindowsChoice{8, u"Browser-Refresh"};
        d.media = MediaChoice{6, u"Vol-"};
        d.hot = HotKeyChoice{7, u"Undo"};
        d.fire = FireKeyChoice{44, u"R-CTRL", 0, 20, 255};
        d.single = SingleKeyChoice{u"Return", 0x001C0001};  // Wine's name for Enter
        d.snipeLevel = SnipeChoice{7};
        return d;
    }

    std::optional<WindowsChoice> windows;
    std::optional<MediaChoice> media;
    std::optional<HotKeyChoice> hot;
    std::optional<FireKeyChoice> fire;
    std::optional<SingleKeyChoice> single;
    std::optional<SnipeChoice> snipeLevel;
    std::function<void()> whileOpen;  // runs inside the dialog, as window messages would

    std::vector<std::string> runs;
    int givenLevel = -1;

  private:
    template <typename Choice>
    std::optional<Choice> ran(const char* name, const std::optional<Choice>& answer) {
        runs.emplace_back(name);
        if (whileOpen) whileOpen();
        return answer;
    }
};

struct Page {
    SettingsRecord record;
    ButtonLabels labels;
    explicit Page(Language language = Language::English) {
        restoreDefaultAssignments(record, labels, language);
    }
    std::uint8_t type(Mode m, int b) const { return record.button(rec::kAssignType, m, b); }
    void set(Mode m, int b, T t) { record.button(rec::kAssignType, m, b) = std::uint8_t(t); }
    const std::u16string& label(Mode m, int b) const { return labels.of(m, b); }
};

TEST(LeftKeyRule, OnlyTheLastLeftClickOfTheModeShownKeepsItsListShut) {
    struct Row {
        const char* what;
        std::vector<int> leftInA;  // buttons on Left Click in Mode A
        std::vector<int> leftInB;
        Mode shown;
        int button;
        bool opens;
    };
    const Row rows[] = {
        {"the only one", {1}, {1}, Mode::A, 1, false},
        {"another button", {1}, {1}, Mode::A, 2, true},
        {"a second one on button 4", {1, 4}, {1}, Mode::A, 1, true},
        {"a second one on button 8", {1, 8}, {1}, Mode::A, 1, true},
        {"Mode B's second one does not count in A", {1}, {1, 4}, Mode::A, 1, false},
        {"Mode A's second one does not count in B", {1, 4}, {1}, Mode::B, 1, false},
        {"in Mode B like in A", {1}, {1, 3}, Mode::B, 3, true},
        {"a mode without any", {}, {}, Mode::A, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Page page;
        for (int b = 1; b <= 8; ++b) {
            page.set(Mode::A, b, T::KeyOff);
            page.set(Mode::B, b, T::KeyOff);
        }
        for (int b : row.leftInA) page.set(Mode::A, b, T::LeftClick);
        for (int b : row.leftInB) page.set(Mode::B, b, T::LeftClick);
        EXPECT_EQ(mayOpenAssignmentList(page.record, row.shown, row.button), row.opens);
    }
    EXPECT_EQ(leftKeyWarning(Language::SimplifiedChinese),
              (AssignmentMessage{u"左键功能必须选择！", u"Warning"}));
}

// Every item of button 3's list in Mode B: what the mode gets, its label, and
// Mode A left as it was.
TEST(CommitAssignment, EveryItemWithOkStoresItsFieldsAndLabelInTheModeShownOnly) {
    struct Field {
        std::size_t offset;  // a per-button field of button 3 in Mode B, or a whole-record byte
        bool perButton;
        std::uint8_t value;
    };
    struct Row {
        int item;
        Language language;
        std::u16string label;
        std::vector<Field> fields;
        const char* dialog;
    };
    const Language en = Language::English;
    const Language chs = Language::SimplifiedChinese;
    const Row rows[] = {
        {0, en, u"Left Click", {}, nullptr},
        {1, chs, u"右键", {}, nullptr},
        {2, en, u"Mid Click", {}, nullptr},
        {3, chs, u"前进", {}, nullptr},
        {4, en, u"Backward", {}, nullptr},
        {6, en, u"Browser-Refresh", {{rec::kWindowsCode, true, 8}}, "windows"},
        {7, en, u"Multimedia-Vol-", {{rec::kMediaCode, true, 6}}, "media"},
        {7, chs, u"多媒体-Vol-", {{rec::kMediaCode, true, 6}}, "media"},
        {8, chs, u"Undo", {{rec::kHotKeyIndex, true, 7}}, "hot key"},
        {9,
         en,
         u"Fire Key-R-CTRL",
         {{rec::kFireKeyIndex, true, 44},
          {rec::kFireKeyUsage, true, 0xE4},
          {rec::kFireTimes, true, 0},
          {rec::kFireMakeTime, false, 20},
          {rec::kFireBreakTime, false, 255}},
         "fire key"},
        {9, chs, u"火力键-R-CTRL", {{rec::kFireKeyUsage, true, 0xE4}}, "fire key"},
        {10, en, u"Single Key-Return", {{rec::kSingleKeyUsage, true, 0x28}}, "single key"},
        {11, chs, u"狙击", {{rec::kSnipeLevel + 1, false, 7}}, "snipe"},
        {12, en, u"Key Off", {}, nullptr},
        {13, chs, u"Shift", {}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "item " << row.item);
        Page page(row.language);
        page.record[rec::kSnipeLevel + 1] = 2;
        const Page before = page;
        ScriptedDialogs dialogs = ScriptedDialogs::answering(true);

        const CommitOutcome outcome =
            commitAssignment(page.record, page.labels, row.language, Mode::B, 3, row.item, dialogs);

        EXPECT_TRUE(outcome.listCloses);
        EXPECT_TRUE(outcome.changed);
        EXPECT_FALSE(outcome.message);
        EXPECT_EQ(page.type(Mode::B, 3), row.item);
        EXPECT_EQ(page.label(Mode::B, 3), row.label);
        EXPECT_EQ(dialogs.runs,
                  row.dialog ? std::vector<std::string>{row.dialog} : std::vector<std::string>{});
        for (const Field& f : row.fields) {
            EXPECT_EQ(
                f.perButton ? page.record.button(f.offset, Mode::B, 3) : page.record[f.offset],
                f.value);
        }
        if (row.item == 11) {
            EXPECT_EQ(dialogs.givenLevel, 2) << "Mode B's level is where it starts";
        }
        // Shift holds both modes; every other item leaves Mode A alone.
        const bool shift = row.item == 13;
        EXPECT_EQ(page.type(Mode::A, 3), shift ? 13 : before.type(Mode::A, 3));
        EXPECT_EQ(page.label(Mode::A, 3), shift ? row.label : before.label(Mode::A, 3));
        for (int b = 1; b <= 8; ++b) {
            for (std::size_t field = rec::kMediaCode; field < rec::kSize;
                 field += rec::kButtons * 2) {
                EXPECT_EQ(page.record.button(field, Mode::A, b),
                          before.record.button(field, Mode::A, b));
            }
        }
    }
}

TEST(CommitAssignment, DialogLeftWithoutOkChangesNothingAndClosesTheList) {
    for (int item = 6; item <= 11; ++item) {
        SCOPED_TRACE(testing::Message() << "item " << item);
        for (bool shiftButton : {false, true}) {
            Page page;
            if (shiftButton) {
                page.set(Mode::A, 2, T::Shift);
                page.set(Mode::B, 2, T::Shift);
            }
            const Page before = page;
            ScriptedDialogs dialogs = ScriptedDialogs::answering(false);
            const CommitOutcome outcome = commitAssignment(
                page.record, page.labels, Language::English, Mode::A, 2, item, dialogs);
            EXPECT_TRUE(outcome.listCloses);
            EXPECT_FALSE(outcome.changed);
            EXPECT_EQ(dialogs.runs.size(), 1u);
            EXPECT_EQ(page.record, before.record);
            EXPECT_EQ(page.labels, before.labels);
        }
    }
}

TEST(CommitAssignment, NoSelectionAndDpiSwitchLeaveTheListOpenAndChangeNothing) {
    for (int item : {-1, 5, 14}) {
        Page page;
        const Page before = page;
        ScriptedDialogs dialogs = ScriptedDialogs::answering(true);
        const CommitOutcome outcome = commitAssignment(page.record, page.labels, Language::English,
                                                       Mode::A, 2, item, dialogs);
        EXPECT_FALSE(outcome.listCloses) << item;
        EXPECT_FALSE(outcome.changed) << item;
        EXPECT_EQ(page.record, before.record) << item;
    }
}

// Shift holds a button in both modes, one Shift button per mode.
TEST(CommitAssignment, ShiftCases) {
    struct Row {
        const char* what;
        std::function<void(Page&)> setUp;
        Mode shown;
        int button;
        int item;
        bool ok;  // how the dialog ends, if one runs
        T typeA, typeB;
        std::u16string labelA, labelB;
        bool warned;
    };
    auto shiftOn2 = [](Page& p) {
        p.set(Mode::A, 2, T::Shift);
        p.set(Mode::B, 2, T::Shift);
        p.labels.of(Mode::A, 2) = p.labels.of(Mode::B, 2) = u"Shift";
    };
    const Row rows[] = {
        {"Shift takes both modes", [](Page&) {}, Mode::A, 2, 13, true, T::Shift, T::Shift, u"Shift",
         u"Shift", false},
        {"a second Shift in the same mode is refused silently", shiftOn2, Mode::A, 3, 13, true,
         T::MidClick, T::MidClick, u"Mid Click", u"Mid Click", false},
        {"and from the other mode too", shiftOn2, Mode::B, 3, 13, true, T::MidClick, T::MidClick,
         u"Mid Click", u"Mid Click", false},
        {"Key Off replaces Shift in both modes", shiftOn2, Mode::A, 2, 12, true, T::KeyOff,
         T::KeyOff, u"Key Off", u"Key Off", false},
        {"a fire key replaces it in both modes", shiftOn2, Mode::B, 2, 9, true, T::FireKey,
         T::FireKey, u"Fire Key-R-CTRL", u"Fire Key-R-CTRL", false},
        {"a cancelled fire key leaves Shift", shiftOn2, Mode::A, 2, 9, false, T::Shift, T::Shift,
         u"Shift", u"Shift", false},
        // Button 1 may open in Mode A (button 4 clicks left there too), but
        // in Mode B it is the only Left Click.
        {"Shift may not take Mode B's only Left Click",
         [](Page& p) { p.set(Mode::A, 4, T::LeftClick); }, Mode::A, 1, 13, true, T::LeftClick,
         T::LeftClick, u"Left Click", u"Left Click", true},
        {"it may when Mode B keeps another one",
         [](Page& p) {
             p.set(Mode::A, 4, T::LeftClick);
             p.set(Mode::B, 8, T::LeftClick);
         },
         Mode::A, 1, 13, true, T::Shift, T::Shift, u"Shift", u"Shift", false},
        {"replacing a Shift may not take the other mode's only Left Click either",
         [](Page& p) { p.set(Mode::A, 1, T::Shift); }, Mode::A, 1, 12, true, T::Shift, T::LeftClick,
         u"Left Click", u"Left Click", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Page page;
        row.setUp(page);
        const Page before = page;
        ScriptedDialogs dialogs = ScriptedDialogs::answering(row.ok);
        const CommitOutcome outcome = commitAssignment(page.record, page.labels, Language::English,
                                                       row.shown, row.button, row.item, dialogs);
        EXPECT_TRUE(outcome.listCloses);
        EXPECT_EQ(page.type(Mode::A, row.button), std::uint8_t(row.typeA));
        EXPECT_EQ(page.type(Mode::B, row.button), std::uint8_t(row.typeB));
        EXPECT_EQ(page.label(Mode::A, row.button), row.labelA);
        EXPECT_EQ(page.label(Mode::B, row.button), row.labelB);
        EXPECT_EQ(outcome.message,
                  row.warned ? std::optional(leftKeyWarning(Language::English)) : std::nullopt);
        if (row.warned) {
            EXPECT_EQ(page.record, before.record);
            EXPECT_TRUE(dialogs.runs.empty());
        }
    }
}

TEST(CommitAssignment, FireKeyForAShiftButtonSetsItsParametersInTheModeShownOnly) {
    Page page;
    page.set(Mode::A, 2, T::Shift);
    page.set(Mode::B, 2, T::Shift);
    ScriptedDialogs dialogs = ScriptedDialogs::answering(true);
    commitAssignment(page.record, page.labels, Language::English, Mode::B, 2, 9, dialogs);
    EXPECT_EQ(page.record.button(rec::kFireKeyUsage, Mode::B, 2), 0xE4);
    EXPECT_EQ(page.record.button(rec::kFireKeyUsage, Mode::A, 2), 0);
}

TEST(DpiSubList, PickSetsTheModeShownOnlyAndClosesTheOpenList) {
    struct Row {
        int item;
        std::uint8_t code;
        std::u16string label;
    };
    const Row rows[] = {{0, 3, u"DPI +"}, {1, 4, u"DPI -"}, {2, 5, u"DPI Loop"}};
    for (const Row& row : rows) {
        Page page;
        page.set(Mode::A, 2, T::Shift);
        page.set(Mode::B, 2, T::Shift);
        page.labels.of(Mode::B, 2) = u"Shift";
        OpenAssignmentList open;
        open.open(2);
        EXPECT_EQ(commitDpiSubList(open, page.record, page.labels, Mode::A, row.item), 2);
        EXPECT_EQ(page.type(Mode::A, 2), 5);
        EXPECT_EQ(page.record.button(rec::kDpiSwitchCode, Mode::A, 2), row.code);
        EXPECT_EQ(page.label(Mode::A, 2), row.label);
        EXPECT_EQ(page.type(Mode::B, 2), 13) << "the other mode keeps its Shift";
        EXPECT_EQ(page.label(Mode::B, 2), u"Shift");
        EXPECT_FALSE(open.button());
    }
    Page page;
    const Page before = page;
    OpenAssignmentList open;
    EXPECT_FALSE(commitDpiSubList(open, page.record, page.labels, Mode::A, 0)) << "no list open";
    open.open(3);
    EXPECT_FALSE(commitDpiSubList(open, page.record, page.labels, Mode::A, 3)) << "no such item";
    EXPECT_EQ(page.record, before.record);
}

TEST(OpenList, DoubleClickCommitsOnce) {
    Page page;
    OpenAssignmentList open;
    open.open(2);
    ScriptedDialogs dialogs = ScriptedDialogs::answering(true);
    CommitOutcome second;
    // The second click's notification arrives while the first one's dialog runs.
    dialogs.whileOpen = [&] {
        second = commitFromList(open, page.record, page.labels, Language::English, Mode::A, 2, 8,
                                dialogs);
    };
    const CommitOutcome first =
        commitFromList(open, page.record, page.labels, Language::English, Mode::A, 2, 8, dialogs);
    EXPECT_TRUE(first.changed);
    EXPECT_FALSE(second.changed);
    EXPECT_EQ(dialogs.runs.size(), 1u);

    dialogs.whileOpen = nullptr;
    page.set(Mode::A, 3, T::MidClick);
    open.open(3);
    EXPECT_TRUE(
        commitFromList(open, page.record, page.labels, Language::English, Mode::A, 3, 12, dialogs)
            .changed);
    EXPECT_FALSE(
        commitFromList(open, page.record, page.labels, Language::English, Mode::A, 3, 1, dialogs)
            .changed);
    EXPECT_EQ(page.type(Mode::A, 3), 12);

    open.open(4);
    commitFromList(open, page.record, page.labels, Language::English, Mode::A, 4, 5, dialogs);
    EXPECT_TRUE(open.isOpen(4)) << "DPI Switch waits for the sub-list";
}

}  // namespace
}  // namespace trv
