#pragma once
// What a ProfileStore does with real files, as measured on the Windows profile
// functions. A test file includes this once and instantiates it with its stores:
//   INSTANTIATE_TEST_SUITE_P(Name, ProfileStoreContract, ::testing::Values(factory),
//                            storeName);

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/profile_store.h"
#include "tests/contract/store_factory.h"
#include "tests/contract/temp_folder.h"

namespace trv::testing {

class ProfileStoreContract : public ::testing::TestWithParam<NamedStoreFactory> {
  protected:
    static constexpr std::string_view kFile = "store.ini";
    std::unique_ptr<ProfileStore> store(std::string_view name = kFile) const {
        return GetParam().make(folder.path16(name));
    }
    // Each case gets a file of its own: the Windows functions keep recently
    // read files in memory and may not notice a file replaced within moments.
    static std::string caseFile(std::size_t n) { return "case" + std::to_string(n) + ".ini"; }
    TempFolder folder;
};

struct ReadCase {
    const char* what;
    Bytes file;
    std::u16string_view section;
    std::u16string_view key;
    std::u16string_view expected;
};

TEST_P(ProfileStoreContract, ReadsValuesAsTheWindowsProfileFunctionsDo) {
    const ReadCase cases[] = {
        {"plain", withBytes("[Skins]\r\nPath=Default\r\n"), u"Skins", u"Path", u"Default"},
        {"LF line ends", withBytes("[S]\nA=1\nB=2\n"), u"S", u"B", u"2"},
        {"CR line ends", withBytes("[S]\rA=1\rB=2\r"), u"S", u"B", u"2"},
        {"no final line end", withBytes("[S]\r\nA=1"), u"S", u"A", u"1"},
        {"spaces around names and '='", withBytes("[ Skins ]\r\n  Path  =  Def ault  \r\n"),
         u"Skins", u"Path", u"Def ault"},
        {"spaces in the asked names", withBytes("[Skins]\r\nPath=x\r\n"), u" Skins ", u" Path ",
         u"x"},
        {"tabs", withBytes("[S]\r\n\tTab\t=\tv\t\r\n"), u"S", u"Tab", u"v"},
        {"a ';' line is a key of its own", withBytes("[S]\r\n;Path=x\r\nPath=y\r\n"), u"S", u"Path",
         u"y"},
        {"a ';' key by its name", withBytes("[S]\r\n;Path=x\r\nPath=y\r\n"), u"S", u";Path", u"x"},
        {"';' after a value belongs to it", withBytes("[S]\r\nA=1 ; two\r\n"), u"S", u"A",
         u"1 ; two"},
        {"first of duplicate keys", withBytes("[S]\r\nA=1\r\nA=2\r\na=3\r\n"), u"S", u"A", u"1"},
        {"keys before the first section", withBytes("A=1\r\n[S]\r\nB=2\r\n"), u"S", u"A", u""},
        {"keys before the first section, unnamed", withBytes("A=1\r\n[S]\r\nB=2\r\n"), u"", u"A",
         u"1"},
        {"'=' inside a value", withBytes("[S]\r\nA=b=c\r\n"), u"S", u"A", u"b=c"},
        {"empty value", withBytes("[S]\r\nE=\r\n"), u"S", u"E", u""},
        {"key without '='", withBytes("[S]\r\nN\r\n"), u"S", u"N", u""},
        {"names in any case", withBytes("[sKiNs]\r\npAtH=x\r\n"), u"SKINS", u"Path", u"x"},
        {"double quotes", withBytes("[S]\r\nA=\"q\"\r\n"), u"S", u"A", u"q"},
        {"single quotes", withBytes("[S]\r\nA='q'\r\n"), u"S", u"A", u"q"},
        {"quotes keep inner spaces", withBytes("[S]\r\nA=\" q \"\r\n"), u"S", u"A", u" q "},
        {"an unmatched quote stays", withBytes("[S]\r\nA=\"q\r\n"), u"S", u"A", u"\"q"},
        {"a lone quote stays", withBytes("[S]\r\nA=\"\r\n"), u"S", u"A", u"\""},
        {"only the first of duplicate sections",
         withBytes("[S]\r\nA=1\r\n[T]\r\nX=1\r\n[S]\r\nB=2\r\n"), u"S", u"B", u""},
        {"text after a section's ']'", withBytes("[T]junk\r\nB=2\r\n"), u"T", u"B", u"2"},
        {"the last ']' closes the name", withBytes("[V]]\r\nD=4\r\n"), u"V]", u"D", u"4"},
        {"an unclosed '[' opens nothing", withBytes("[S]\r\nA=1\r\n[T\r\nB=2\r\n"), u"S", u"B",
         u"2"},
        {"missing section", withBytes("[S]\r\nA=1\r\n"), u"T", u"A", u""},
        {"missing key", withBytes("[S]\r\nA=1\r\n"), u"S", u"B", u""},
        {"a null ends the value", withBytes(std::string_view("[S]\r\nA=x\0y\r\n", 12)), u"S", u"A",
         u"x"},
        {"UTF-16LE", utf16File(u"[S]\r\nA=\u4E2D\u6587\r\n[\u8BBE]\r\nK=v\r\n"), u"S", u"A",
         u"\u4E2D\u6587"},
        {"UTF-16LE section name", utf16File(u"[S]\r\nA=1\r\n[\u8BBE]\r\nK=v\r\n"), u"\u8BBE", u"K",
         u"v"},
        {"UTF-8 with its mark", withBytes("\xEF\xBB\xBF[S]\r\nA=\xC3\xA9\xE4\xB8\xAD\r\n"), u"S",
         u"A", u"\u00E9\u4E2D"},
        {"ideographic spaces belong to the value", utf16File(u"[S]\r\nA=\u3000v\u3000\r\n"), u"S",
         u"A", u"\u3000v\u3000"},
    };
    std::size_t n = 0;
    for (const ReadCase& c : cases) {
        const std::string file = caseFile(++n);
        folder.write(file, c.file);
        EXPECT_EQ(store(file)->read(c.section, c.key), c.expected) << c.what;
    }
}

TEST_P(ProfileStoreContract, AMissingFileReadsEmpty) {
    EXPECT_EQ(store()->read(u"Skins", u"Path"), u"");
    EXPECT_FALSE(folder.exists(kFile));
}

TEST_P(ProfileStoreContract, AValueComesBackCutTo1023Characters) {
    folder.write(kFile, bytesOf("[S]\r\nA=" + std::string(2000, 'x') +
                                "\r\nB=" + std::string(1023, 'y') + "\r\n"));
    EXPECT_EQ(store()->read(u"S", u"A"), std::u16string(1023, u'x'));
    EXPECT_EQ(store()->read(u"S", u"B"), std::u16string(1023, u'y'));
}

struct Write {
    std::u16string_view section;
    std::u16string_view key;
    std::u16string_view value;
};

struct WriteCase {
    const char* what;
    std::optional<Bytes> before;  // nothing: no file
    std::vector<Write> writes;
    Bytes after;
};

TEST_P(ProfileStoreContract, WritesChangeOnlyTheirKey) {
    const WriteCase cases[] = {
        {"creates a missing file",
         std::nullopt,
         {{u"S", u"A", u"1"}},
         utf16File(u"[S]\r\nA=1\r\n")},
        {"fills an empty file", withBytes(""), {{u"S", u"A", u"1"}}, withBytes("[S]\r\nA=1\r\n")},
        {"replaces in place",
         withBytes("[S]\r\nA=1\r\nB=2\r\n"),
         {{u"S", u"A", u"9"}},
         withBytes("[S]\r\nA=9\r\nB=2\r\n")},
        {"keeps the file's spelling of names",
         withBytes("[s]\r\na=1\r\n"),
         {{u"S", u"A", u"2"}},
         withBytes("[s]\r\na=2\r\n")},
        {"adds a key at its section's end",
         withBytes("[S]\r\nA=1\r\n[T]\r\nB=2\r\n"),
         {{u"S", u"C", u"3"}},
         withBytes("[S]\r\nA=1\r\nC=3\r\n[T]\r\nB=2\r\n")},
        {"adds a key after the section's last line",
         withBytes("[S]\r\n; c\r\nA=1\r\n; tail\r\n[T]\r\nX=y\r\n"),
         {{u"S", u"B", u"2"}},
         withBytes("[S]\r\n; c\r\nA=1\r\n; tail\r\nB=2\r\n[T]\r\nX=y\r\n")},
        {"adds a section at the end",
         withBytes("[S]\r\nA=1\r\n"),
         {{u"T", u"B", u"2"}},
         withBytes("[S]\r\nA=1\r\n[T]\r\nB=2\r\n")},
        {"ends an unended last line first",
         withBytes("[S]\r\nA=1"),
         {{u"T", u"B", u"2"}},
         withBytes("[S]\r\nA=1\r\n[T]\r\nB=2\r\n")},
        {"adds a key after an unended last line",
         withBytes("[S]\r\nA=1"),
         {{u"S", u"C", u"3"}},
         withBytes("[S]\r\nA=1\r\nC=3\r\n")},
        {"first of duplicate keys",
         withBytes("[S]\r\nA=1\r\nA=2\r\n"),
         {{u"S", u"A", u"3"}},
         withBytes("[S]\r\nA=3\r\nA=2\r\n")},
        {"first of duplicate sections",
         withBytes("[S]\r\nA=1\r\n[T]\r\nX=1\r\n[S]\r\nB=2\r\n"),
         {{u"S", u"B", u"3"}},
         withBytes("[S]\r\nA=1\r\nB=3\r\n[T]\r\nX=1\r\n[S]\r\nB=2\r\n")},
        {"keys before the first section stay apart",
         withBytes("A=1\r\n[S]\r\nB=2\r\n"),
         {{u"S", u"A", u"3"}},
         withBytes("A=1\r\n[S]\r\nB=2\r\nA=3\r\n")},
        {"empty value",
         withBytes("[S]\r\nA=1\r\n"),
         {{u"S", u"A", u""}},
         withBytes("[S]\r\nA=\r\n")},
        {"a UTF-16 file stays UTF-16",
         utf16File(u"[S]\r\nA=1\r\n"),
         {{u"S", u"B", u"\u4E2D"}},
         utf16File(u"[S]\r\nA=1\r\nB=\u4E2D\r\n")},
        {"a UTF-8 file with its mark stays UTF-8",
         withBytes("\xEF\xBB\xBF[S]\r\nA=1\r\n"),
         {{u"S", u"B", u"\u4E2D"}},
         withBytes("\xEF\xBB\xBF[S]\r\nA=1\r\nB=\xE4\xB8\xAD\r\n")},
        {"a line break ends a value",
         withBytes("[S]\r\n"),
         {{u"S", u"A", u"x\r\n[Skins]\r\nPath=elsewhere"}, {u"S", u"B", u"y\nz=1"}},
         withBytes("[S]\r\nA=x\r\nB=y\r\n")},
        {"several writes",
         std::nullopt,
         {{u"Setting-EN", u"Item1", u"Left Click"},
          {u"Setting-EN", u"Item2", u"Right Click"},
          {u"Skins", u"Path", u"Default"},
          {u"Setting-EN", u"Item1", u"Key Off"}},
         utf16File(u"[Setting-EN]\r\nItem1=Key Off\r\nItem2=Right Click\r\n"
                   u"[Skins]\r\nPath=Default\r\n")},
    };
    std::size_t n = 0;
    std::set<std::string> files;
    for (const WriteCase& c : cases) {
        const std::string file = caseFile(++n);
        files.insert(file);
        if (c.before) folder.write(file, *c.before);
        for (const Write& w : c.writes) {
            EXPECT_TRUE(store(file)->write(w.section, w.key, w.value)) << c.what;
        }
        EXPECT_EQ(folder.read(file), c.after) << c.what;
    }
    EXPECT_EQ(folder.names(), files) << "no temporary files stay behind";
}

TEST_P(ProfileStoreContract, WrittenValuesReadBackInEveryLanguage) {
    const std::u16string_view labels[] = {
        u"Left Click",
        u"\u5DE6\u952E",
        u"\u5DE6\u9375",
        u"\u041B\u044F\u0432 \u0431\u0443\u0442\u043E\u043D",
        u"Fire Key-L-Button",
        u"a=b",
        u"",
    };
    const auto writer = store();
    int n = 0;
    for (std::u16string_view label : labels) {
        const std::u16string key = u"Item" + std::u16string(1, static_cast<char16_t>(u'1' + n++));
        EXPECT_TRUE(writer->write(u"Setting-CHS", key, label));
    }
    n = 0;
    for (std::u16string_view label : labels) {
        const std::u16string key = u"Item" + std::u16string(1, static_cast<char16_t>(u'1' + n++));
        EXPECT_EQ(store()->read(u"Setting-CHS", key), label);
    }
}

TEST_P(ProfileStoreContract, AWriteIntoAMissingFolderFailsAndCreatesNothing) {
    const auto lost = GetParam().make(folder.path16("missing") + u"/store.ini");
    EXPECT_FALSE(lost->write(u"S", u"A", u"1"));
    EXPECT_TRUE(folder.names().empty());
}

}  // namespace trv::testing
