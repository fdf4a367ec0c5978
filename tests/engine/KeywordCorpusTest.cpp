// Measures the shipped keyword list on two small corpora: real application SQL
// must be recognised, ordinary English and Czech prose must not.

#include "SqlManager.h"
#include "TamoUtils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

// The items of a corpus file, separated by lines holding "===".
std::vector<std::u16string> corpus(const std::string &aName)
{
    std::ifstream in(std::string(QUODRA_TEST_CORPUS) + "/" + aName, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TStringList lines;
    lines.SetText(TStringList::DecodeBytes(bytes));
    std::vector<std::u16string> items(1);
    for (const auto &line : lines.Lines()) {
        if (line == u"===")
            items.emplace_back();
        else
            items.back() += line + u"\r\n";
    }
    return items;
}

// The share of items the clipboard watcher would accept with SQL recognition on.
double acceptedRate(const std::vector<std::u16string> &aItems)
{
    TSqlManager engine(QUODRA_TEST_KEYWORDS);
    engine.SetRozpoznavatSQL(true);
    int accepted = 0;
    for (const auto &item : aItems)
        accepted += engine.AnalyzaTextu(Tamo::Trim(item)) != skNone;
    return 100.0 * accepted / static_cast<double>(aItems.size());
}

TEST(KeywordCorpusTest, RecognisesSqlAndNotProse)
{
    const auto sql = corpus("sql.txt");
    const auto prose = corpus("prose.txt");
    ASSERT_GE(sql.size(), 50u);
    ASSERT_GE(prose.size(), 50u);
    const double sqlRate = acceptedRate(sql);
    const double proseRate = acceptedRate(prose);
    std::cout << "SQL recognised: " << sqlRate << " % of " << sql.size()
              << ", prose taken for SQL: " << proseRate << " % of " << prose.size() << "\n";
    EXPECT_GE(sqlRate, 98.0);
    EXPECT_LE(proseRate, 2.0);
}

} // namespace
