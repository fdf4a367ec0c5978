// Conversion throughput of the engine on generated SQL with about one block comment
// and one line comment every 100 bytes. `quodra-bench-engine --write-sql FILE BYTES`
// writes such a text instead, for measuring the command line's peak memory.

#include "SqlManager.h"
#include "TamoUtils.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::string generatedSql(std::size_t aBytes)
{
    static const char *const lines[] = {
        "SELECT c.id, c.name /* key */ FROM customers c -- all\n",
        "  WHERE c.city = 'Brno' /* filter */ AND c.active = 1 -- on\n",
        "  ORDER BY c.name /* sort */, c.id -- then by id\n",
    };
    std::string text;
    text.reserve(aBytes + 128);
    for (std::size_t i = 0; text.size() < aBytes; ++i)
        text += lines[i % 3];
    return text;
}

class TextReader : public IClipboardReader
{
public:
    std::u16string text;
    std::u16string ReadText() override { return text; }
};

void convert(benchmark::State &aState, TSmerKonverze aKind)
{
    TSqlManager engine(Tamo::ExecutableFolder() + "SQLkeywords.txt");
    engine.SetRozpoznavatSQL(true);
    TextReader reader;
    engine.SetClipboardReader(&reader);
    const std::size_t bytes = static_cast<std::size_t>(aState.range(0));
    if (aKind == skDelphi2SQL) {
        // Delphi code as the engine writes it from the same SQL.
        reader.text = Tamo::Utf8ToUtf16(generatedSql(bytes));
        engine.Convert(skSQL2Language, u"");
        reader.text = engine.CilDelphi().Text();
    } else {
        reader.text = Tamo::Utf8ToUtf16(generatedSql(bytes));
    }
    for (auto _ : aState) {
        const TSmerKonverze done = engine.Convert(aKind == skDelphi2SQL ? skDelphi2SQL : skAuto, u"");
        benchmark::DoNotOptimize(done);
    }
    aState.SetBytesProcessed(static_cast<std::int64_t>(aState.iterations()) * aState.range(0));
}

void SqlToDelphiAndCSharp(benchmark::State &aState)
{
    convert(aState, skSQL2Language);
}
void DelphiToSql(benchmark::State &aState)
{
    convert(aState, skDelphi2SQL);
}

BENCHMARK(SqlToDelphiAndCSharp)->Arg(100 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(DelphiToSql)->Arg(100 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--write-sql") == 0) {
        std::ofstream(argv[2], std::ios::binary) << generatedSql(std::strtoull(argv[3], nullptr, 10));
        return 0;
    }
    Tamo::TuneAllocatorForLargeTexts(); // as the program and the CLI do at start-up
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
