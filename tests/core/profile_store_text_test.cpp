#include "config/profile_store_text.h"

#include <gtest/gtest.h>

#include "config/portable_profile_store.h"
#include "tests/contract/store_factory.h"

namespace trv::testing {
namespace {

struct EditCase {
    const char* what;
    std::u16string_view before;
    std::u16string_view section;
    std::u16string_view key;
    std::u16string_view value;
    std::u16string_view after;
};

TEST(ProfileText, AnEditChangesItsOneLineAndKeepsTheFilesOwnLayout) {
    const EditCase cases[] = {
        {"spacing around '=' stays", u"[S]\r\n  A = 1 \r\nB=2\r\n", u"S", u"A", u"5",
         u"[S]\r\n  A = 5\r\nB=2\r\n"},
        {"blank lines and comments stay",
         u"; top\r\n\r\n[S]\r\n; c\r\nA=1\r\n\r\n[T]junk ; c\r\n  X = y \r\n", u"S", u"B", u"2",
         u"; top\r\n\r\n[S]\r\n; c\r\nA=1\r\nB=2\r\n\r\n[T]junk ; c\r\n  X = y \r\n"},
        {"a key without '=' gets one", u"[S]\r\nA\r\n", u"S", u"A", u"1", u"[S]\r\nA=1\r\n"},
        {"LF files get LF lines", u"[S]\nA=1\n", u"T", u"B", u"2", u"[S]\nA=1\n[T]\nB=2\n"},
        {"an empty section gets its key after the header", u"[S]\r\n\r\n[T]\r\n", u"S", u"A", u"1",
         u"[S]\r\nA=1\r\n\r\n[T]\r\n"},
        {"the unnamed lead section", u"[S]\r\nA=1\r\n", u"", u"K", u"v", u"K=v\r\n[S]\r\nA=1\r\n"},
        {"names are written without surrounding spaces", u"", u" S ", u" A ", u"1",
         u"[S]\r\nA=1\r\n"},
    };
    for (const EditCase& c : cases) {
        std::u16string text(c.before);
        profile::setValue(text, c.section, c.key, c.value);
        EXPECT_EQ(text, c.after) << c.what;
        EXPECT_EQ(profile::findValue(text, c.section, c.key), std::u16string(c.value)) << c.what;
    }
}

struct EncodingCase {
    const char* what;
    Bytes file;
    std::u16string_view value;  // of [S] A, and written as [S] B
    Bytes after;
};

TEST(ProfileText, AnEditedFileKeepsItsEncoding) {
    const EncodingCase cases[] = {
        {"Windows-1252", bytesOf("[S]\r\nA=caf\xE9 \x80\r\n"), u"caf\u00E9 \u20AC",
         bytesOf("[S]\r\nA=caf\xE9 \x80\r\nB=caf\xE9 \x80\r\n")},
        {"UTF-8 without a mark", bytesOf("[S]\r\nA=caf\xC3\xA9\r\n"), u"caf\u00E9",
         bytesOf("[S]\r\nA=caf\xC3\xA9\r\nB=caf\xC3\xA9\r\n")},
        {"UTF-16BE", Bytes{0xFE, 0xFF, 0, '[', 0, 'S', 0, ']', 0, '\n', 0, 'A', 0, '=', 0x4E, 0x2D},
         u"\u4E2D", Bytes{0xFE, 0xFF, 0,    '[', 0,    'S', 0,   ']', 0,   '\n', 0,    'A', 0,
                          '=',  0x4E, 0x2D, 0,   '\n', 0,   'B', 0,   '=', 0x4E, 0x2D, 0,   '\n'}},
    };
    for (const EncodingCase& c : cases) {
        profile::Document document = profile::decode(c.file);
        EXPECT_EQ(profile::encode(document), c.file) << c.what << ": unchanged bytes back";
        EXPECT_EQ(profile::findValue(document.text, u"S", u"A"), std::u16string(c.value)) << c.what;
        profile::setValue(document.text, u"S", u"B", c.value);
        EXPECT_EQ(profile::encode(document), c.after) << c.what;
    }
}

TEST(ProfileText, TextWindows1252CannotHoldBecomesQuestionMarks) {
    profile::Document document = profile::decode(bytesOf("[S]\r\nA=\xE9\r\n"));
    profile::setValue(document.text, u"S", u"A", u"\u4E2D\u00E9");
    EXPECT_EQ(profile::encode(document), bytesOf("[S]\r\nA=?\xE9\r\n"));
}

TEST(ProfileText, EntriesAreNumberedByEveryKindOfLineBreak) {
    const auto found = profile::entries(u"[S]\r\nA = 'x' \n\rB\rC=\"q\"\r\n");
    ASSERT_EQ(found.size(), 5u);
    using Kind = profile::Entry::Kind;
    EXPECT_EQ(found[0].kind, Kind::Section);
    EXPECT_EQ(found[0].name, u"S");
    EXPECT_EQ(found[1].line, 2u);
    EXPECT_EQ(found[1].value, u"x");
    EXPECT_EQ(found[2].kind, Kind::Blank);
    EXPECT_EQ(found[3].line, 4u);
    EXPECT_EQ(found[3].name, u"B");
    EXPECT_EQ(found[3].value, std::nullopt);
    EXPECT_EQ(found[4].line, 5u);
    EXPECT_EQ(found[4].value, u"q");
}

TEST(PortableProfileStore, AnOversizedOrUnreadableFileIsNeitherReadNorWritten) {
    TempFolder folder;
    Bytes huge = bytesOf("[S]\r\nA=1\r\n");
    huge.resize(PortableProfileStore::kMaxFileBytes + 1, ' ');
    folder.write("huge.ini", huge);
    PortableProfileStore hugeStore(folder.path16("huge.ini"));
    EXPECT_EQ(hugeStore.read(u"S", u"A"), u"");
    EXPECT_FALSE(hugeStore.write(u"S", u"A", u"2"));
    EXPECT_EQ(folder.read("huge.ini"), huge);

    std::filesystem::create_directory(folder.at("folder.ini"));
    PortableProfileStore folderStore(folder.path16("folder.ini"));
    EXPECT_EQ(folderStore.read(u"S", u"A"), u"");
    EXPECT_FALSE(folderStore.write(u"S", u"A", u"2"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.at("folder.ini")));
    EXPECT_EQ(folder.names(), (std::set<std::string>{"folder.ini", "huge.ini"}));
}

}  // namespace
}  // namespace trv::testing
