#include "TStringList.h"
#include "TamoException.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct SplitCase
{
    std::u16string text;
    std::vector<std::u16string> lines;
};

class StringListSplitTest : public testing::TestWithParam<SplitCase>
{};

TEST_P(StringListSplitTest, SplitsAtEveryLineBreak)
{
    TStringList list;
    list.Add(u"old");
    list.SetText(GetParam().text);
    EXPECT_EQ(list.Lines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Table, StringListSplitTest,
                         testing::Values(SplitCase{u"", {}}, SplitCase{u"a", {u"a"}},
                                         SplitCase{u"a\r\n", {u"a"}}, SplitCase{u"\r\n", {u""}},
                                         SplitCase{u"a\r\r\nb", {u"a", u"", u"b"}},
                                         SplitCase{u"a\n\rb", {u"a", u"", u"b"}},
                                         SplitCase{u"a\rb\nc\r\nd", {u"a", u"b", u"c", u"d"}},
                                         SplitCase{u"a\n\n", {u"a", u""}},
                                         // only CR and LF break lines
                                         SplitCase{u"a\u2028b\vc", {u"a\u2028b\vc"}}),
                         [](const auto &aInfo) { return "Case" + std::to_string(aInfo.index); });

TEST(StringListTest, TextJoinsEveryLineWithCrLf)
{
    TStringList list;
    EXPECT_EQ(list.Text(), u"");
    list.SetText(u"a\rb\n\nc");
    EXPECT_EQ(list.Text(), u"a\r\nb\r\n\r\nc\r\n");
    list.Put(1, u"B");
    list.Delete(0);
    list.Add(u"d");
    EXPECT_EQ(list.Text(), u"B\r\n\r\nc\r\nd\r\n");
    EXPECT_EQ(list.Count(), 4);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
}

struct DecodeCase
{
    const char *name;
    std::string bytes;
    std::u16string text;
};

// Names the case in test names and messages.
void PrintTo(const DecodeCase &aCase, std::ostream *aOut)
{
    *aOut << aCase.name;
}

class StringListDecodeTest : public testing::TestWithParam<DecodeCase>
{};

TEST_P(StringListDecodeTest, DecodesByByteOrderMark)
{
    EXPECT_EQ(TStringList::DecodeBytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StringListDecodeTest,
    testing::Values(DecodeCase{"Utf8Bom",
                               "\xEF\xBB\xBF\xC5\xBE"
                               "a",
                               u"\u017Ea"},
                    DecodeCase{"Utf16LeBom",
                               std::string("\xFF\xFE\x7E\x01"
                                           "a\0",
                                           6),
                               u"\u017Ea"},
                    DecodeCase{"Utf16BeBom", std::string("\xFE\xFF\x01\x7E\0a", 6), u"\u017Ea"},
                    DecodeCase{"Utf16OddByte",
                               std::string("\xFF\xFE"
                                           "a\0b",
                                           5),
                               u"a\uFFFD"},
                    DecodeCase{"PlainUtf8", "\xC5\xBE\xF0\x9F\x98\x80", u"\u017E\U0001F600"},
                    DecodeCase{"InvalidUtf8KeepsTheRest",
                               "a\xFF"
                               "b\xC5",
                               u"a\uFFFDb\uFFFD"},
                    DecodeCase{"EncodedSurrogate", "\xED\xA0\x80z", u"\uFFFDz"},
                    DecodeCase{"Overlong", "\xC0\xAFz", u"\uFFFD\uFFFDz"}),
    [](const testing::TestParamInfo<DecodeCase> &info) { return std::string(info.param.name); });

TEST(StringListTest, LoadsAFileAndFailsOnAMissingOne)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("quodra-stringlist-test-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "\xEF\xBB\xBFone\rtwo\r\n";
    }
    TStringList list;
    list.LoadFromFile(path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(list.Lines(), (std::vector<std::u16string>{u"one", u"two"}));
    EXPECT_THROW(list.LoadFromFile(path.string()), Tamo::EFileError);
    EXPECT_EQ(list.Count(), 2); // a failed load keeps the previous lines
}

TEST(StringListTest, Utf8RoundTripWritesLoneSurrogateAsReplacement)
{
    EXPECT_EQ(Tamo::Utf16ToUtf8(u"\u017E\U0001F600"), "\xC5\xBE\xF0\x9F\x98\x80");
    EXPECT_EQ(Tamo::Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"), "\xEF\xBF\xBD"
                                                                             "a");
}

} // namespace
