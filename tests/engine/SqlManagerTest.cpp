#include "SqlManager.h"
#include "TamoException.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Lines = std::vector<std::u16string>;

class FakeClipboard : public IClipboardReader
{
public:
    std::u16string text;
    std::u16string ReadText() override { return text; }
};

std::u16string joined(const Lines &aLines)
{
    std::u16string text;
    for (const auto &line : aLines)
        text += line + u"\r\n";
    return text;
}

// An engine with the keyword list select, from, where and a fake clipboard.
class EngineTest : public testing::Test
{
protected:
    EngineTest()
    {
        keywordFile = std::filesystem::temp_directory_path() /
                      ("quodra-engine-test-keywords-" + std::to_string(::getpid()) + ".txt");
        std::ofstream(keywordFile, std::ios::binary) << "select\r\nfrom\r\nwhere\r\n";
        engine = std::make_unique<TSqlManager>(keywordFile.string());
        engine->SetClipboardReader(&clipboard);
    }
    ~EngineTest() override { std::filesystem::remove(keywordFile); }

    TSmerKonverze convert(TSmerKonverze aKind, const Lines &aLines)
    {
        clipboard.text = joined(aLines);
        return engine->Convert(aKind, u"");
    }

    std::filesystem::path keywordFile;
    FakeClipboard clipboard;
    std::unique_ptr<TSqlManager> engine;
};

const Lines kExample = {u"SELECT name, 'x' AS tag -- the name", u"FROM people /* all */", u"WHERE id = 1"};

struct ToCodeCase
{
    const char *name;
    Lines sql;
    bool removeComments;
    bool plusAtStart;
    Lines delphi;
    Lines csharp;
};

// Names the case in test names and messages.
void PrintTo(const ToCodeCase &aCase, std::ostream *aOut)
{
    *aOut << aCase.name;
}

class SqlToCodeTest : public EngineTest, public testing::WithParamInterface<ToCodeCase>
{};

TEST_P(SqlToCodeTest, WritesBothLanguages)
{
    const ToCodeCase &c = GetParam();
    engine->SetOdstranitKomentare(c.removeComments);
    engine->SetPridavatPlusNaZacatek(c.plusAtStart);
    EXPECT_EQ(convert(skSQL2Language, c.sql), skSQL2Language);
    EXPECT_EQ(engine->CilDelphi().Lines(), c.delphi);
    EXPECT_EQ(engine->CilCSharp().Lines(), c.csharp);
    EXPECT_EQ(engine->Cil().Lines(), c.csharp);
    EXPECT_EQ(engine->ProgramovaciJazyk(), plCSharp);
    EXPECT_TRUE(engine->FromSQL());
}

const std::u16string kLone(1, char16_t(0xDC01));

INSTANTIATE_TEST_SUITE_P(
    Table, SqlToCodeTest,
    testing::Values(
        ToCodeCase{"PlusAtEndCommentsKept",
                   kExample,
                   false,
                   false,
                   {u"'SELECT name, ''x'' AS tag ' + // the name", u"'FROM people ' (* all *) +' ' +",
                    u"'WHERE id = 1 ';"},
                   {u"\"SELECT name, 'x' AS tag \" + // the name", u"\"FROM people \" /* all */ +\" \" +",
                    u"\"WHERE id = 1 \";"}},
        ToCodeCase{"PlusAtEndCommentsRemoved",
                   kExample,
                   true,
                   false,
                   {u"'SELECT name, ''x'' AS tag ' +", u"'FROM people ' +", u"'WHERE id = 1 ';"},
                   {u"\"SELECT name, 'x' AS tag \" +", u"\"FROM people \" +", u"\"WHERE id = 1 \";"}},
        ToCodeCase{"PlusAtStartCommentsKept",
                   kExample,
                   false,
                   true,
                   {u"'SELECT name, ''x'' AS tag ' // the name", u"+ 'FROM people ' (* all *) +' '",
                    u"+ 'WHERE id = 1 ';"},
                   {u"\"SELECT name, 'x' AS tag \" // the name", u"+ \"FROM people \" /* all */ +\" \"",
                    u"+ \"WHERE id = 1 \";"}},
        ToCodeCase{"PlusAtStartCommentsRemoved",
                   kExample,
                   true,
                   true,
                   {u"'SELECT name, ''x'' AS tag '", u"+ 'FROM people '", u"+ 'WHERE id = 1 ';"},
                   {u"\"SELECT name, 'x' AS tag \"", u"+ \"FROM people \"", u"+ \"WHERE id = 1 \";"}},
        ToCodeCase{"BlockCommentOverTwoLines",
                   {u"SELECT * /* a", u"b */ FROM t", u"WHERE x = 'it''s'"},
                   false,
                   false,
                   {u"'SELECT * ' (* a", u"b *) +' FROM t ' +", u"'WHERE x = ''it''''s'' ';"},
                   {u"\"SELECT * \" /* a", u"b */ +\" FROM t \" +", u"\"WHERE x = 'it''s' \";"}},
        ToCodeCase{"BlockCommentOverTwoLinesRemoved",
                   {u"SELECT * /* a", u"b */ FROM t", u"WHERE x = 'it''s'"},
                   true,
                   false,
                   {u"'SELECT *  FROM t ' +", u"'WHERE x = ''it''''s'' ';"},
                   {u"\"SELECT *  FROM t \" +", u"\"WHERE x = 'it''s' \";"}},
        ToCodeCase{"DoubleQuotedIdentifier",
                   {u"SELECT \"Name\" FROM t", u"x"},
                   false,
                   false,
                   {u"'SELECT \"Name\" FROM t ' +", u"'x ';"},
                   {u"\"SELECT \\\"Name\\\" FROM t \" +", u"\"x \";"}},
        ToCodeCase{"OneLineGetsNoPlus", {u"SELECT 1"}, false, true, {u"'SELECT 1 ';"}, {u"\"SELECT 1 \";"}},
        ToCodeCase{"BlankLineStaysEmpty",
                   {u"a", u"", u"b"},
                   false,
                   false,
                   {u"'a ' +", u"", u"'b ';"},
                   {u"\"a \" +", u"", u"\"b \";"}},
        ToCodeCase{"LeadingBlankLineCounts",
                   {u"", u"a", u"b", u"  ", u""},
                   false,
                   true,
                   {u"", u"+ 'a '", u"+ 'b ';"},
                   {u"", u"+ \"a \"", u"+ \"b \";"}},
        ToCodeCase{"TwoStatements",
                   {u"SELECT 1;", u"SELECT 2;"},
                   false,
                   false,
                   {u"'SELECT 1; ' +", u"'SELECT 2; ';"},
                   {u"\"SELECT 1; \" +", u"\"SELECT 2; \";"}},
        ToCodeCase{"LastLineCommentOnly",
                   {u"SELECT 1", u"-- end"},
                   false,
                   false,
                   {u"'SELECT 1 ' +", u"// end;"},
                   {u"\"SELECT 1 \" +", u"// end;"}},
        ToCodeCase{"LastLineCommentOnlyRemoved",
                   {u"SELECT 1", u"  -- end"},
                   true,
                   false,
                   {u"'SELECT 1 ' +", u";"},
                   {u"\"SELECT 1 \" +", u";"}},
        ToCodeCase{"DashesInLiteral",
                   {u"SELECT '--' AS x", u"y"},
                   false,
                   false,
                   {u"'SELECT '' ' + //' AS x", u"'y ';"},
                   {u"\"SELECT ' \" + //' AS x", u"\"y \";"}},
        ToCodeCase{"ThreeDashes",
                   {u"a --- b", u"c"},
                   false,
                   false,
                   {u"'a ' + //- b", u"'c ';"},
                   {u"\"a \" + //- b", u"\"c \";"}},
        ToCodeCase{"PlaceholderInSqlTakesTheComment",
                   {u"a /*c*/ #0#", u"b"},
                   true,
                   false,
                   {u"'a  ' (*c*) +' ' +", u"'b ';"},
                   {u"\"a  \" /*c*/ +\" \" +", u"\"b \";"}},
        ToCodeCase{"TypographicQuotes",
                   {u"\u2018x\u2019 \u201Cy\u201D", u"z"},
                   false,
                   false,
                   {u"'''x'' \"y\" ' +", u"'z ';"},
                   {u"\"'x' \\\"y\\\" \" +", u"\"z \";"}},
        // Pinned: an unpaired start marker ends the stash, the rest stays as it is.
        ToCodeCase{"UnpairedCommentStays",
                   {u"a /*x*/ b /* c", u"d"},
                   false,
                   false,
                   {u"'a ' (*x*) +' b /* c ' +", u"'d ';"},
                   {u"\"a \" /*x*/ +\" b /* c \" +", u"\"d \";"}},
        ToCodeCase{"EmptyCommentEndsStash",
                   {u"a /**/ b /*x*/"},
                   false,
                   false,
                   {u"'a /**/ b /*x*/ ';"},
                   {u"\"a /**/ b /*x*/ \";"}},
        // Pinned: a placeholder without a stored comment stays in the text.
        ToCodeCase{"PlaceholderWithoutComment",
                   {u"a #0# #1#", u"b /*c*/"},
                   false,
                   false,
                   {u"'a ' (*c*) +' #1# ' +", u"'b ' (*c*) +' ';"},
                   {u"\"a \" /*c*/ +\" #1# \" +", u"\"b \" /*c*/ +\" \";"}},
        // Pinned: blank lines only leave no line and empty outputs.
        ToCodeCase{"BlankLinesOnly", {u"  ", u"\t"}, false, false, {}, {}},
        // A lone surrogate is carried through every step unchanged.
        ToCodeCase{"LoneSurrogate",
                   {u"SELECT '" + kLone + u"' -- " + kLone, u"x \u2019"},
                   false,
                   false,
                   {u"'SELECT ''" + kLone + u"'' ' + // " + kLone, u"'x '' ';"},
                   {u"\"SELECT '" + kLone + u"' \" + // " + kLone, u"\"x ' \";"}}),
    [](const testing::TestParamInfo<ToCodeCase> &info) { return std::string(info.param.name); });

struct ToSqlCase
{
    const char *name;
    TSmerKonverze kind;
    Lines code;
    bool removeComments;
    Lines sql;
};

// Names the case in test names and messages.
void PrintTo(const ToSqlCase &aCase, std::ostream *aOut)
{
    *aOut << aCase.name;
}

class CodeToSqlTest : public EngineTest, public testing::WithParamInterface<ToSqlCase>
{};

TEST_P(CodeToSqlTest, ExtractsTheSql)
{
    const ToSqlCase &c = GetParam();
    engine->SetOdstranitKomentare(c.removeComments);
    EXPECT_EQ(convert(c.kind, c.code), c.kind);
    EXPECT_EQ(engine->CilSQL().Lines(), c.sql);
    EXPECT_EQ(engine->ProgramovaciJazyk(), c.kind == skDelphi2SQL ? plPascal : plCSharp);
    EXPECT_FALSE(engine->FromSQL());
}

const Lines kDelphiExample = {u"'SELECT name, ''x'' AS tag ' + // the name",
                              u"'FROM people ' (* all *) +' ' +", u"'WHERE id = 1 ';"};
const Lines kCSharpExample = {u"\"SELECT name, 'x' AS tag \" + // the name",
                              u"\"FROM people \" /* all */ +\" \" +", u"\"WHERE id = 1 \";"};
const Lines kExampleBack = {u"SELECT name, 'x' AS tag  -- the name", u"FROM people /* all */ ",
                            u"WHERE id = 1 ;"};

INSTANTIATE_TEST_SUITE_P(
    Table, CodeToSqlTest,
    testing::Values(
        ToSqlCase{"DelphiExample", skDelphi2SQL, kDelphiExample, false, kExampleBack},
        ToSqlCase{"CSharpExample", skCSharp2SQL, kCSharpExample, false, kExampleBack},
        ToSqlCase{"DelphiExampleRemoved",
                  skDelphi2SQL,
                  kDelphiExample,
                  true,
                  {u"SELECT name, 'x' AS tag  ", u"FROM people  ", u"WHERE id = 1 ;"}},
        ToSqlCase{"TwoLineComment",
                  skDelphi2SQL,
                  {u"'SELECT * ' (* a", u"b *) +' FROM t ' +", u"'WHERE x = ''it''''s'' ';"},
                  false,
                  {u"SELECT * /* a", u"b */ FROM t ", u"WHERE x = 'it''s' ;"}},
        ToSqlCase{"SingleLines",
                  skDelphi2SQL,
                  {u"+ 'FROM t '", u"  'FROM t ' +", u"\t'FROM t ' +", u"SQL := 'SELECT * ' +",
                   u"Q.SQL.Add('SELECT * ');", u"'a' + x + 'b'", u"'WHERE name = ''abc'' '", u"x := 1;",
                   u"'a//b' +", u"'' +", u"begin // go"},
                  false,
                  {u"FROM t ", u" FROM t ", u"\tFROM t ", u"SQL :=SELECT * ", u"Q.SQL.Add(SELECT * );",
                   u"a' + x + 'b", u"WHERE name = 'abc' ", u"x := 1;", u"a--b", u"' +", u"begin -- go"}},
        ToSqlCase{"SlashesRemoved", skDelphi2SQL, {u"'a//b' +", u"x // y\vz // w"}, true, {u"a", u"x \vz "}},
        ToSqlCase{"CSharpEscapes",
                  skCSharp2SQL,
                  {u"\"SELECT \\\"Name\\\" FROM t \" +"},
                  false,
                  {u"SELECT \"Name\" FROM t "}},
        ToSqlCase{"SeparatorStopsLiteral", skDelphi2SQL, {u"'a'\u2028'b'"}, false, {u"a\u2028b"}},
        // Pinned: an end marker before the start marker ends the stash.
        ToSqlCase{"UnpairedMarker",
                  skDelphi2SQL,
                  {u"'a *) +' b ' (* c *) +' d'"},
                  false,
                  {u"a *) +' b ' (* c *) +' d"}},
        // A lone surrogate matches no pattern character: the literal around it stays
        // as it is, the unit with it, and the rest of the line is still handled.
        ToSqlCase{"LoneSurrogate",
                  skDelphi2SQL,
                  {u"'x" + kLone + u"' + // " + kLone, u"'a' // " + kLone},
                  false,
                  {u"'x" + kLone + u"' + -- " + kLone, u"a-- " + kLone}}),
    [](const testing::TestParamInfo<ToSqlCase> &info) { return std::string(info.param.name); });

struct ClassifyCase
{
    const char *name;
    std::u16string text;
    bool recognizeSql;
    TSmerKonverze kind;
};

// Names the case in test names and messages.
void PrintTo(const ClassifyCase &aCase, std::ostream *aOut)
{
    *aOut << aCase.name;
}

class ClassifyTest : public EngineTest, public testing::WithParamInterface<ClassifyCase>
{};

TEST_P(ClassifyTest, CountsQuoteMarks)
{
    engine->SetRozpoznavatSQL(GetParam().recognizeSql);
    EXPECT_EQ(engine->AnalyzaTextu(GetParam().text), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClassifyTest,
    testing::Values(
        // Mended: one line without any quote mark is SQL, not Delphi code.
        ClassifyCase{"OneLineSql", u"SELECT * FROM customers", false, skSQL2Language},
        ClassifyCase{"OneLineLiteral", u"'SELECT * FROM customers'", false, skDelphi2SQL},
        ClassifyCase{"OneLineCSharp", u"\"SELECT * FROM customers\"", false, skCSharp2SQL},
        ClassifyCase{"TwoLinesSql", u"SELECT *\r\nFROM t", false, skSQL2Language},
        ClassifyCase{"TwoLinesOneLiteral", u"SELECT *\r\nFROM t WHERE a = 'x'", false, skDelphi2SQL},
        ClassifyCase{"DelphiCode", u"'SELECT a ' +\n  'FROM t ' +\n'WHERE b = 1 ';", false, skDelphi2SQL},
        ClassifyCase{"CSharpCode", u"\"SELECT a \" +\n\"FROM t \" +\n\"WHERE b = 1 \";", false, skCSharp2SQL},
        ClassifyCase{"BothReachDelphiWins", u"'a\"\n\"b'", false, skDelphi2SQL},
        ClassifyCase{"TypographicQuotesNoMarks", u"\u2018a\u2019\n\u201Cb\u201D", false, skSQL2Language},
        ClassifyCase{"SingleQuoteCountsTwice", u"'\nx\ny", false, skDelphi2SQL},
        ClassifyCase{"OneKeywordAtStart", u"SELECT a FROM t", true, skNone},
        ClassifyCase{"TwoKeywords", u"SELECT a FROM t WHERE b = 1", true, skSQL2Language},
        ClassifyCase{"KeywordAfterLetter", u"xselect afrom where", true, skNone},
        ClassifyCase{"KeywordAfterDigitCounts", u"1select 2from", true, skSQL2Language}),
    [](const testing::TestParamInfo<ClassifyCase> &info) { return std::string(info.param.name); });

TEST_F(EngineTest, RejectedTextLeavesTheWorkingText)
{
    engine->Cil().SetText(u"keep");
    engine->SetRozpoznavatSQL(true);
    EXPECT_EQ(engine->AnalyzaTextu(u"hello\nworld"), skNone);
    EXPECT_EQ(engine->Cil().Lines(), Lines{u"keep"});
    EXPECT_EQ(engine->AnalyzaTextu(u"SELECT a FROM t WHERE b"), skSQL2Language);
    EXPECT_EQ(engine->Cil().Lines(), Lines{u"SELECT a FROM t WHERE b"});
}

TEST_F(EngineTest, EmptyClipboardKeepsTheOutputs)
{
    EXPECT_EQ(convert(skSQL2Language, {u"SELECT 1"}), skSQL2Language);
    clipboard.text.clear();
    EXPECT_EQ(engine->Convert(skAuto, u""), skNone);
    EXPECT_TRUE(engine->Zdroj().IsEmpty());
    EXPECT_TRUE(engine->Cil().IsEmpty());
    EXPECT_EQ(engine->CilDelphi().Lines(), Lines{u"'SELECT 1 ';"});
    engine->SetClipboardReader(nullptr);
    EXPECT_EQ(engine->Convert(skSQL2Language, u"/no/such/file"), skNone);
}

TEST_F(EngineTest, NoneNormalisesButConvertsNothing)
{
    clipboard.text = u"\u2018a\u2019\rb\n\n  \n";
    EXPECT_EQ(engine->Convert(skNone, u""), skNone);
    EXPECT_EQ(engine->Zdroj().Lines(), (Lines{u"\u2018a\u2019", u"b", u"", u"  "}));
    EXPECT_EQ(engine->Cil().Lines(), (Lines{u"'a'", u"b"}));
    EXPECT_TRUE(engine->CilDelphi().IsEmpty());
    EXPECT_TRUE(engine->CilSQL().IsEmpty());
}

TEST_F(EngineTest, AutoClassifiesBeforeNormalising)
{
    // Typographic quotes are no marks for the classification, so this is SQL.
    EXPECT_EQ(convert(skAuto, {u"\u2018a\u2019", u"\u2018b\u2019"}), skSQL2Language);
    EXPECT_EQ(engine->CilDelphi().Lines(), (Lines{u"'''a'' ' +", u"'''b'' ';"}));
    EXPECT_EQ(convert(skAuto, {u"'a ' +", u"'b ';"}), skDelphi2SQL);
    EXPECT_EQ(engine->CilSQL().Lines(), (Lines{u"a ", u"b ;"}));
    engine->SetRozpoznavatSQL(true);
    EXPECT_EQ(convert(skAuto, {u"just", u"words"}), skNone);
    EXPECT_EQ(convert(skAuto, {u"SELECT a", u"FROM t WHERE b"}), skSQL2Language);
}

TEST_F(EngineTest, CodeWithoutLinesGivesEmptySql)
{
    convert(skDelphi2SQL, {u"'a'"});
    EXPECT_EQ(convert(skDelphi2SQL, {u" ", u""}), skDelphi2SQL);
    EXPECT_TRUE(engine->CilSQL().IsEmpty());
}

TEST_F(EngineTest, ConvertsAFileAndFailsOnAnUnreadableOne)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("quodra-engine-test-input-" + std::to_string(::getpid()) + ".sql");
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBFSELECT \xC5\xBE\rFROM t";
    clipboard.text = u"ignored";
    EXPECT_EQ(engine->Convert(skSQL2Language, path.u16string()), skSQL2Language);
    EXPECT_EQ(engine->CilDelphi().Lines(), (Lines{u"'SELECT \u017E ' +", u"'FROM t ';"}));
    std::filesystem::remove(path);
    const auto folder = std::filesystem::temp_directory_path();
    EXPECT_THROW(engine->Convert(skSQL2Language, folder.u16string()), Tamo::EFileError);
}

TEST(EngineConstructionTest, MissingKeywordFileThrows)
{
    EXPECT_THROW(TSqlManager("/no/such/SQLkeywords.txt"), Tamo::EFileError);
}

} // namespace
