#include "TamoUtils.h"

#include <gtest/gtest.h>

#include <string>

#include <ostream>

namespace {

struct BetweenCase
{
    const char *name;
    std::u16string text;
    std::u16string start;
    std::u16string end;
    int startPos;
    bool endAfterStart;
    std::u16string between;        // TextBetween
    std::u16string withMarkers;    // ReplaceBetween("#0#", markers replaced); empty: no stretch
    std::u16string withoutMarkers; // ReplaceBetween("#0#", markers kept)
};

// Names the case in test names and messages.
void PrintTo(const BetweenCase &aCase, std::ostream *aOut)
{
    *aOut << aCase.name;
}

class BetweenTest : public testing::TestWithParam<BetweenCase>
{};

TEST_P(BetweenTest, FindsAndReplacesTheStretch)
{
    const BetweenCase &c = GetParam();
    EXPECT_EQ(Tamo::TextBetween(c.text, c.start, c.end, c.startPos, c.endAfterStart), c.between);

    const bool exists = !c.withMarkers.empty();
    std::u16string text = c.text;
    EXPECT_EQ(Tamo::ReplaceBetween(text, u"#0#", c.start, c.end, true, c.startPos, c.endAfterStart), exists);
    EXPECT_EQ(text, exists ? c.withMarkers : c.text);

    text = c.text;
    EXPECT_EQ(Tamo::ReplaceBetween(text, u"#0#", c.start, c.end, false, c.startPos, c.endAfterStart), exists);
    EXPECT_EQ(text, exists ? c.withoutMarkers : c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BetweenTest,
    testing::Values(
        BetweenCase{"Plain", u"x /* a b */ y", u"/*", u"*/", 0, false, u" a b ", u"x #0# y", u"x /*#0#*/ y"},
        BetweenCase{"Adjacent", u"x /**/ y", u"/*", u"*/", 0, false, u"", u"", u""},
        BetweenCase{"Overlapping", u"/*/", u"/*", u"*/", 0, false, u"", u"", u""},
        BetweenCase{"NoEnd", u"a /* b", u"/*", u"*/", 0, false, u"", u"", u""},
        BetweenCase{"NoStart", u"a */ b", u"/*", u"*/", 0, false, u"", u"", u""},
        BetweenCase{"EndBeforeStart", u"*/ a /* b */", u"/*", u"*/", 0, false, u"", u"", u""},
        BetweenCase{"EndAfterStartFlag", u"*/ a /* b */", u"/*", u"*/", 0, true, u" b ", u"*/ a #0#",
                    u"*/ a /*#0#*/"},
        BetweenCase{"IgnoresAsciiCase", u"x Begin Mid eNd y", u"BEGIN", u"end", 0, false, u" Mid ",
                    u"x #0# y", u"x Begin#0#eNd y"},
        BetweenCase{"NonAsciiCaseMatters", u"\u00C9a\u00E9", u"\u00E9", u"a", 0, false, u"", u"", u""},
        BetweenCase{"StartPositionSkipsFirst", u"/*a*/ /*b*/", u"/*", u"*/", 3, true, u"b", u"/*a*/ #0#",
                    u"/*a*/ /*#0#*/"},
        BetweenCase{"StartPositionWithoutFlagUsesFirstEnd", u"/*a*/ /*b*/", u"/*", u"*/", 3, false, u"", u"",
                    u""},
        BetweenCase{"StartPositionBeyondText", u"/*a*/", u"/*", u"*/", 9, false, u"", u"", u""},
        BetweenCase{"StartPositionAtMarker", u"/*a*/", u"/*", u"*/", 1, false, u"a", u"#0#", u"/*#0#*/"},
        BetweenCase{"EmptyMarker", u"abc", u"", u"c", 0, false, u"", u"", u""},
        BetweenCase{"Nested", u"/* a /* b */ c */", u"/*", u"*/", 0, false, u" a /* b ", u"#0# c */",
                    u"/*#0#*/ c */"}),
    [](const testing::TestParamInfo<BetweenCase> &info) { return std::string(info.param.name); });

TEST(BetweenTest, NestedRemovalLeavesTheRest)
{
    std::u16string text = u"/* a /* b */ c */";
    EXPECT_TRUE(Tamo::ReplaceBetween(text, u"", u"/*", u"*/", true, 0, false));
    EXPECT_EQ(text, u" c */");
}

struct TrimCase
{
    std::u16string text;
    std::u16string trimmed;
    std::u16string trimmedRight;
};

class TrimTest : public testing::TestWithParam<TrimCase>
{};

TEST_P(TrimTest, RemovesCodesUpToSpace)
{
    EXPECT_EQ(Tamo::Trim(GetParam().text), GetParam().trimmed);
    EXPECT_EQ(Tamo::TrimRight(GetParam().text), GetParam().trimmedRight);
}

INSTANTIATE_TEST_SUITE_P(Table, TrimTest,
                         testing::Values(TrimCase{u"", u"", u""}, TrimCase{u" \t\r\n", u"", u""},
                                         TrimCase{u"  a b \t", u"a b", u"  a b"},
                                         TrimCase{std::u16string(u"\0x\x1F", 3), u"x",
                                                  std::u16string(u"\0x", 2)},
                                         // no-break space and ideographic space are not trimmed
                                         TrimCase{u"\u00A0a\u3000", u"\u00A0a\u3000", u"\u00A0a\u3000"}),
                         [](const auto &aInfo) { return "Case" + std::to_string(aInfo.index); });

TEST(LowerAsciiTest, LowersOnlyAsciiLetters)
{
    EXPECT_EQ(Tamo::LowerAscii(u"SELECT \u00C9Z_@[`{"), u"select \u00C9z_@[`{");
}

} // namespace
