// quodra-convert: the transformation engine on the command line.

#include "QuodraConfig.h"
#include "SqlManager.h"
#include "TamoException.h"
#include "TamoUtils.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kConverted = 0;
constexpr int kNothing = 1;
constexpr int kUsage = 2;
constexpr int kUnreadable = 3;

const char *const kUsageText =
    "Usage: quodra-convert [--kind auto|sql|delphi|csharp|none] [--target delphi|csharp]\n"
    "                      [--remove-comments] [--plus-at-start] [--recognize-sql]\n"
    "                      [--keywords FILE] [--classify] [--crlf] [FILE | -]\n";

const char *const kHelpText =
    "Converts SQL into Delphi or C# string-building code and such code back into SQL.\n"
    "Reads FILE, or standard input when FILE is absent or -, and writes UTF-8.\n"
    "\n"
    "  --kind KIND         auto (default), sql, delphi, csharp or none\n"
    "  --target LANG       output after SQL conversion: delphi (default) or csharp\n"
    "  --remove-comments   drop comments instead of carrying them over\n"
    "  --plus-at-start     put the concatenation plus at the start of lines\n"
    "  --recognize-sql     accept a text only when it contains SQL keywords\n"
    "  --keywords FILE     keyword list (default: SQLkeywords.txt beside the program)\n"
    "  --classify          print only the kind of the text\n"
    "  --crlf              end output lines with CR LF instead of LF\n"
    "  --help, --version   this text, the version\n"
    "\n"
    "Exit status: 0 converted or classified, 1 nothing converted, 2 usage error,\n"
    "3 an input or keyword file that cannot be read.\n";

// Standard input as the engine's clipboard.
class StdinReader : public IClipboardReader
{
public:
    explicit StdinReader(std::u16string aText) : FText(std::move(aText)) {}
    std::u16string ReadText() override { return FText; }

private:
    std::u16string FText;
};

int usageError(const std::string &aMessage)
{
    std::cerr << "quodra-convert: " << aMessage << "\n" << kUsageText;
    return kUsage;
}

const char *kindName(TSmerKonverze aKind)
{
    switch (aKind) {
    case skNone:
        return "skNone";
    case skAuto:
        return "skAuto";
    case skSQL2Language:
        return "skSQL2Language";
    case skDelphi2SQL:
        return "skDelphi2SQL";
    case skCSharp2SQL:
        return "skCSharp2SQL";
    }
    return "skNone";
}

struct Options
{
    TSmerKonverze kind = skAuto;
    bool csharpTarget = false;
    bool removeComments = false;
    bool plusAtStart = false;
    bool recognizeSql = false;
    bool classify = false;
    bool crlf = false;
    std::string keywords;
    std::string file; // empty: standard input
};

} // namespace

int main(int argc, char **argv)
{
    Tamo::TuneAllocatorForLargeTexts();
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    Options options;
    bool haveFile = false;
    bool noMoreOptions = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&](std::string &aOut) {
            if (i + 1 >= argc)
                return false;
            aOut = argv[++i];
            return true;
        };
        if (!noMoreOptions && arg == "--help") {
            std::cout << kUsageText << "\n" << kHelpText;
            return kConverted;
        } else if (!noMoreOptions && arg == "--version") {
            std::cout << "quodra-convert " << QUODRA_VERSION_TEXT << "\n";
            return kConverted;
        } else if (!noMoreOptions && arg == "--kind") {
            std::string kind;
            if (!value(kind))
                return usageError("--kind needs a value");
            if (kind == "auto")
                options.kind = skAuto;
            else if (kind == "sql")
                options.kind = skSQL2Language;
            else if (kind == "delphi")
                options.kind = skDelphi2SQL;
            else if (kind == "csharp")
                options.kind = skCSharp2SQL;
            else if (kind == "none")
                options.kind = skNone;
            else
                return usageError("unknown kind '" + kind + "'");
        } else if (!noMoreOptions && arg == "--target") {
            std::string target;
            if (!value(target))
                return usageError("--target needs a value");
            if (target != "delphi" && target != "csharp")
                return usageError("unknown target '" + target + "'");
            options.csharpTarget = target == "csharp";
        } else if (!noMoreOptions && arg == "--keywords") {
            if (!value(options.keywords))
                return usageError("--keywords needs a file");
        } else if (!noMoreOptions && arg == "--remove-comments") {
            options.removeComments = true;
        } else if (!noMoreOptions && arg == "--plus-at-start") {
            options.plusAtStart = true;
        } else if (!noMoreOptions && arg == "--recognize-sql") {
            options.recognizeSql = true;
        } else if (!noMoreOptions && arg == "--classify") {
            options.classify = true;
        } else if (!noMoreOptions && arg == "--crlf") {
            options.crlf = true;
        } else if (!noMoreOptions && arg == "--") {
            noMoreOptions = true;
        } else if (!noMoreOptions && arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option '" + std::string(arg) + "'");
        } else {
            if (haveFile)
                return usageError("more than one input file");
            haveFile = true;
            options.file = arg == "-" ? std::string() : std::string(arg);
        }
    }

    const std::string keywordFile =
        options.keywords.empty() ? Tamo::ExecutableFolder() + "SQLkeywords.txt" : options.keywords;
    std::unique_ptr<TSqlManager> engine;
    try {
        engine = std::make_unique<TSqlManager>(keywordFile);
    } catch (const std::exception &) {
        std::cerr << "quodra-convert: cannot read the keyword file '" << keywordFile << "'\n";
        return kUnreadable;
    }
    engine->SetOdstranitKomentare(options.removeComments);
    engine->SetPridavatPlusNaZacatek(options.plusAtStart);
    engine->SetRozpoznavatSQL(options.recognizeSql);

    std::u16string fileName;
    std::unique_ptr<StdinReader> reader;
    if (!options.file.empty()) {
        // The engine would fall back to the clipboard for a missing file; here that is an error.
        std::error_code error;
        if (!std::filesystem::is_regular_file(options.file, error)) {
            std::cerr << "quodra-convert: cannot read the input file '" << options.file << "'\n";
            return kUnreadable;
        }
        fileName = Tamo::Utf8ToUtf16(options.file);
    } else {
        std::string bytes((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
        reader = std::make_unique<StdinReader>(TStringList::DecodeBytes(bytes));
        engine->SetClipboardReader(reader.get());
    }

    TSmerKonverze kind = skNone;
    try {
        if (options.classify) {
            // What the clipboard watcher shows: the kind of the trimmed text.
            TStringList source;
            if (fileName.empty())
                source.SetText(reader->ReadText());
            else
                source.LoadFromFile(options.file);
            const std::u16string trimmed = Tamo::Trim(source.Text());
            kind = trimmed.empty() ? skNone : engine->AnalyzaTextu(trimmed);
            std::cout << kindName(kind) << (options.crlf ? "\r\n" : "\n");
            return kConverted;
        }
        kind = engine->Convert(options.kind, fileName);
    } catch (const std::exception &) {
        std::cerr << "quodra-convert: cannot read the input file '" << options.file << "'\n";
        return kUnreadable;
    }

    const TStringList *output = nullptr;
    if (kind == skSQL2Language)
        output = options.csharpTarget ? &engine->CilCSharp() : &engine->CilDelphi();
    else if (kind == skDelphi2SQL || kind == skCSharp2SQL)
        output = &engine->CilSQL();
    if (!output)
        return kNothing;

    const char *lineEnd = options.crlf ? "\r\n" : "\n";
    std::string text;
    for (const auto &line : output->Lines()) {
        text += Tamo::Utf16ToUtf8(line);
        text += lineEnd;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return kConverted;
}
