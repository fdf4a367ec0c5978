// Runs the built quodra-convert with fixture inputs and checks its contract.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct RunResult
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path &aPath)
{
    std::ifstream in(aPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliTest : public testing::Test
{
protected:
    CliTest()
    {
        dir = fs::temp_directory_path() / ("quodra-cli-test-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    ~CliTest() override { fs::remove_all(dir); }

    fs::path write(const std::string &aName, const std::string &aBytes)
    {
        const fs::path path = dir / aName;
        std::ofstream(path, std::ios::binary) << aBytes;
        return path;
    }

    // Runs the program with aArgs, standard input from aStdin.
    RunResult run(const std::string &aArgs, const std::string &aStdin = std::string())
    {
        const fs::path in = write("stdin", aStdin);
        const std::string command = std::string("'") + QUODRA_CONVERT + "' " + aArgs + " <'" + in.string() +
                                    "' >'" + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
        RunResult result;
        const int raw = std::system(command.c_str());
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = readFile(dir / "out");
        result.err = readFile(dir / "err");
        return result;
    }

    fs::path dir;
};

struct CliCase
{
    const char *name;
    std::string args;
    std::string input; // on standard input, or in the file "in" when args name it
    int status;
    std::string out;
};

// Names the case in test names and messages.
void PrintTo(const CliCase &aCase, std::ostream *aOut)
{
    *aOut << aCase.name;
}

class CliContractTest : public CliTest, public testing::WithParamInterface<CliCase>
{};

TEST_P(CliContractTest, ConvertsAndExits)
{
    const CliCase &c = GetParam();
    const fs::path file = write("in", c.input);
    std::string args = c.args;
    const std::size_t at = args.find("@in");
    if (at != std::string::npos)
        args.replace(at, 3, "'" + file.string() + "'");
    const RunResult r = run(args, c.input);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out, c.out);
    if (c.status == 2) {
        EXPECT_NE(r.err.find("Usage:"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliContractTest,
    testing::Values(
        CliCase{"AutoSql", "", "SELECT a\nFROM t\n", 0, "'SELECT a ' +\n'FROM t ';\n"},
        CliCase{"OneLineSqlIsSql", "", "SELECT * FROM customers", 0, "'SELECT * FROM customers ';\n"},
        CliCase{"CSharpTarget", "--target csharp --plus-at-start -", "a\nb", 0, "\"a \"\n+ \"b \";\n"},
        CliCase{"RemoveComments", "--kind sql --remove-comments", "a -- x\nb /* y */", 0, "'a ' +\n'b ';\n"},
        CliCase{"DelphiToSql", "--kind delphi", "'a ' +\n'b ';", 0, "a \nb ;\n"},
        CliCase{"CSharpToSql", "--kind csharp @in", "\"a \\\"q\\\" \" +", 0, "a \"q\" \n"},
        CliCase{"Crlf", "--crlf", "a\nb", 0, "'a ' +\r\n'b ';\r\n"},
        CliCase{"Utf8Bom", "@in",
                "\xEF\xBB\xBF\xC5\xBE"
                "a\nb",
                0,
                "'\xC5\xBE"
                "a ' +\n'b ';\n"},
        CliCase{"Utf16LeBom", "@in",
                std::string("\xFF\xFE"
                            "a\0\n\0b\0",
                            8),
                0, "'a ' +\n'b ';\n"},
        CliCase{"Utf16BeBom", "", std::string("\xFE\xFF\0a\0\n\0b", 8), 0, "'a ' +\n'b ';\n"},
        CliCase{"InvalidUtf8", "", "a\xFF\nb", 0, "'a\xEF\xBF\xBD ' +\n'b ';\n"},
        CliCase{"KindNone", "--kind none", "a", 1, ""}, CliCase{"EmptyInput", "", "", 1, ""},
        CliCase{"NotSqlWithRecognition", "--recognize-sql", "hello\nworld", 1, ""},
        CliCase{"ClassifySql", "--classify", "  SELECT a\nFROM t\n\n", 0, "skSQL2Language\n"},
        CliCase{"ClassifyDelphi", "--classify @in", "'a ' +\n'b ';", 0, "skDelphi2SQL\n"},
        CliCase{"ClassifyCSharp", "--classify", "\"a \" +\n\"b \";", 0, "skCSharp2SQL\n"},
        CliCase{"ClassifyEmpty", "--classify", " \n ", 0, "skNone\n"},
        CliCase{"ClassifyProse", "--classify --recognize-sql", "Dobr\xC3\xBD den,\nsv\xC4\x9bte", 0,
                "skNone\n"},
        CliCase{"UnknownOption", "--bogus", "", 2, ""}, CliCase{"UnknownKind", "--kind x", "", 2, ""},
        CliCase{"MissingValue", "--target", "", 2, ""}, CliCase{"TwoFiles", "a b", "", 2, ""},
        CliCase{"MissingFile", "/no/such/input.sql", "a", 3, ""},
        CliCase{"MissingKeywords", "--keywords /no/such/keywords.txt", "a", 3, ""},
        CliCase{"DirectoryInput", "/tmp", "a", 3, ""}),
    [](const testing::TestParamInfo<CliCase> &info) { return std::string(info.param.name); });

TEST_F(CliTest, OwnKeywordListIsUsed)
{
    const fs::path keywords = write("kw.txt", "hello\nworld\n");
    EXPECT_EQ(run("--recognize-sql --keywords '" + keywords.string() + "'", "x hello\nworld").status, 0);
}

TEST_F(CliTest, MissingFileErrorNamesTheFile)
{
    const RunResult r = run("/no/such/input.sql");
    EXPECT_NE(r.err.find("/no/such/input.sql"), std::string::npos);
}

TEST_F(CliTest, HelpAndVersion)
{
    const RunResult help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--remove-comments"), std::string::npos);
    const RunResult version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quodra-convert 3.0.0.0\n");
}

} // namespace
