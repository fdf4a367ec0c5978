#include "TamoUtils.h"

#include <gtest/gtest.h>

#include <string>

#include <vector>

namespace {

using Tamo::CompareVersions;
using Tamo::CopyrightText;
using Tamo::FileNameWithoutExt;
using Tamo::IsBetaVersion;
using Tamo::SplitText;

struct BetaCase
{
    std::u16string version;
    bool beta;
};
class IsBetaVersionTest : public testing::TestWithParam<BetaCase>
{};
TEST_P(IsBetaVersionTest, JudgesByTheLastTwoCharacters)
{
    EXPECT_EQ(IsBetaVersion(GetParam().version), GetParam().beta);
}
INSTANTIATE_TEST_SUITE_P(Table, IsBetaVersionTest,
                         testing::Values(BetaCase{u"1.2.3.0", false}, BetaCase{u"1.0", false},
                                         BetaCase{u".0", false}, BetaCase{u"1.2.3.4", true},
                                         BetaCase{u"1.2.3.10", true}, BetaCase{u"5", true},
                                         BetaCase{u"", true}, BetaCase{u"0", true},
                                         BetaCase{u"3.0.0.0 ", true}),
                         [](const auto &aInfo) { return "Case" + std::to_string(aInfo.index); });

struct CompareCase
{
    std::u16string first;
    std::u16string second;
    unsigned code;
};
class CompareVersionsTest : public testing::TestWithParam<CompareCase>
{};
TEST_P(CompareVersionsTest, GivesTheCode)
{
    EXPECT_EQ(CompareVersions(GetParam().first, GetParam().second), GetParam().code);
}
INSTANTIATE_TEST_SUITE_P(
    Table, CompareVersionsTest,
    testing::Values(CompareCase{u"1.2.3.4", u"1.2.3.5", 0}, CompareCase{u"1.2.3.4", u"1.2.3.4", 1},
                    CompareCase{u"2.0.0.0", u"1.9.9.9", 2}, CompareCase{u"1.10.0.0", u"1.9.0.0", 2},
                    CompareCase{u"", u"", 3}, CompareCase{u"", u"1.0.0.0", 3},
                    CompareCase{u"1.0.0.0", u"", 4}, CompareCase{u"1.2", u"1.3.0.0", 0},
                    CompareCase{u"1.2.3", u"1.2.3.0", 4}, CompareCase{u"1.2.3.4.9", u"1.2.3.4.1", 1},
                    CompareCase{u" 1 . 2 . 3 . 4 ", u"1.2.3.4", 1}, CompareCase{u"1.a.0.0", u"1.2.0.0", 4},
                    CompareCase{u"1.2.0.0", u"1.2.x.0", 4},
                    // the first difference ends the comparison before a broken part is reached
                    CompareCase{u"1.a.0.0", u"2.0.0.0", 0}, CompareCase{u"1.2.3.4", u"1.2.3.x", 4},
                    CompareCase{u"1..3.4", u"1.2.3.4", 4}, CompareCase{u"-1.0.0.0", u"0.0.0.0", 0},
                    CompareCase{u"2147483647.0.0.0", u"0.0.0.0", 2},
                    CompareCase{u"2147483648.0.0.0", u"0.0.0.0", 4}, CompareCase{u"1.2.3.4", u"1.2.3.4x", 4}),
    [](const auto &aInfo) { return "Case" + std::to_string(aInfo.index); });

struct SplitCase
{
    std::u16string text;
    std::u16string delimiter;
    std::vector<std::u16string> parts;
};
class SplitTextTest : public testing::TestWithParam<SplitCase>
{};
TEST_P(SplitTextTest, FillsTrimmedParts)
{
    TStringList list;
    list.Add(u"stale");
    SplitText(GetParam().text, GetParam().delimiter, list);
    EXPECT_EQ(list.Lines(), GetParam().parts);
}
INSTANTIATE_TEST_SUITE_P(
    Table, SplitTextTest,
    testing::Values(SplitCase{u"a.b.", u".", {u"a", u"b", u""}}, SplitCase{u"   ", u".", {}},
                    SplitCase{u"", u".", {}}, SplitCase{u" a . b ", u".", {u"a", u"b"}},
                    SplitCase{u"a..b", u".", {u"a", u"", u"b"}}, SplitCase{u" a.b ", u"", {u"a.b"}},
                    SplitCase{u"aXXbxxc", u"XX", {u"a", u"bxxc"}}, SplitCase{u"abc", u";", {u"abc"}},
                    SplitCase{u".", u".", {u"", u""}}),
    [](const auto &aInfo) { return "Case" + std::to_string(aInfo.index); });

struct FileNameCase
{
    std::u16string path;
    std::u16string name;
};
class FileNameWithoutExtTest : public testing::TestWithParam<FileNameCase>
{};
TEST_P(FileNameWithoutExtTest, CutsFolderAndLastExtension)
{
    EXPECT_EQ(FileNameWithoutExt(GetParam().path), GetParam().name);
}
const FileNameCase kFileNameCases[] = {
    {u"Quodra.exe", u"Quodra"},
    {u"/opt/quodra/bin/Quodra", u"Quodra"},
    {u"/opt/quo.dra/Quodra", u"Quodra"},
    {u"archive.tar.gz", u"archive.tar"},
    {u"/home/u/.config", u""},
    {u"", u""},
    {u"/tmp/folder/", u""},
#ifdef _WIN32
    {u"C:\\Program Files\\Quodra.exe", u"Quodra"},
    {u"C:Quodra.exe", u"Quodra"},
    {u"C:/x/Quodra.exe", u"Quodra"},
#else
    // "\\" and ":" are ordinary characters of a file name here
    {u"C:\\x\\Quodra.exe", u"C:\\x\\Quodra"},
#endif
};
INSTANTIATE_TEST_SUITE_P(Table, FileNameWithoutExtTest, testing::ValuesIn(kFileNameCases),
                         [](const auto &aInfo) { return "Case" + std::to_string(aInfo.index); });

struct CopyrightCase
{
    int startYear;
    int currentYear;
    std::u16string text;
};
class CopyrightTextTest : public testing::TestWithParam<CopyrightCase>
{};
TEST_P(CopyrightTextTest, UsesSingleYearOrRange)
{
    EXPECT_EQ(CopyrightText(GetParam().startYear, u"VORBIX software", u"Copyright", GetParam().currentYear),
              GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Table, CopyrightTextTest,
    testing::Values(CopyrightCase{2026, 2026, u"Copyright \u00A9 2026 VORBIX software"},
                    CopyrightCase{2020, 2026, u"Copyright \u00A9 2020-2026 VORBIX software"},
                    CopyrightCase{2030, 2026, u"Copyright \u00A9 2030-2026 VORBIX software"}),
    [](const auto &aInfo) { return "Case" + std::to_string(aInfo.index); });

TEST(CopyrightTextToday, RangeEndsWithTheCurrentYear)
{
    const std::u16string single = CopyrightText(1999, u"H", u"W");
    // Without an injected year the local date decides; 1999 is never this year.
    EXPECT_EQ(single.substr(0, 9), u"W \u00A9 1999-");
    EXPECT_EQ(single.substr(single.size() - 2), u" H");
}

} // namespace
