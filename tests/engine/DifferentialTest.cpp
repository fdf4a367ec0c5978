#include "CommentStash.h"
#include "KeywordMatcher.h"
#include "LiteralOracle.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Random texts built from the pieces that make the loops interesting: markers of
// both directions, halves of markers, placeholders and their parts, quotes, dashes,
// line breaks and a lone surrogate.
std::u16string hostileText(std::mt19937 &aRandom)
{
    static const std::vector<std::u16string> pieces = {
        u"/*",       u"*/",     u"/",
        u"*",        u"#",      u"#0#",
        u"#1#",      u"#2#",    u"#10#",
        u"#0",       u"0#",     u"1",
        u"0",        u"#01#",   u"' (*",
        u"*) +'",    u"\" /*",  u"*/ +\"",
        u"'",        u"\"",     u"--",
        u"-",        u"//",     u"\r\n",
        u"\r",       u"\n",     u" ",
        u"a",        u"Select", u"FROM",
        u"-c_CRLF-", u"+",      std::u16string(1, char16_t(0xD800)),
        u"\u2028"};
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::u16string text;
    for (int i = length(aRandom); i > 0; --i)
        text += pieces[pick(aRandom)];
    return text;
}

struct MarkerPair
{
    std::u16string start;
    std::u16string end;
};

TEST(DifferentialTest, StashAndRestoreMatchThePlainLoops)
{
    const std::vector<MarkerPair> markers = {{u"/*", u"*/"}, {u"' (*", u"*) +'"}, {u"\" /*", u"*/ +\""}};
    std::mt19937 random(20261211);
    for (int i = 0; i < 20000; ++i) {
        const std::u16string text = hostileText(random);
        const MarkerPair &m = markers[static_cast<std::size_t>(i) % markers.size()];
        const bool remove = (i / 3) % 2 == 1;
        TStringList fastStash;
        TStringList plainStash;
        const std::u16string fast =
            QuodraEngine::StashBetweenMarkers(text, m.start, m.end, remove, fastStash);
        const std::u16string plain = Oracle::Stash(text, m.start, m.end, remove, plainStash);
        ASSERT_EQ(fast, plain) << "case " << i;
        ASSERT_EQ(fastStash.Lines(), plainStash.Lines()) << "case " << i;

        // Restore both the stashed text and the raw text (which may hold any placeholder).
        for (const std::u16string &subject : {fast, text}) {
            for (const MarkerPair &pieces : markers) {
                ASSERT_EQ(
                    QuodraEngine::RestorePlaceholders(subject, fastStash, pieces.start, pieces.end, 1 << 20),
                    Oracle::Restore(subject, plainStash, pieces.start, pieces.end))
                    << "case " << i;
            }
        }
    }
}

TEST(DifferentialTest, RestoreMatchesWithCommentsHoldingPlaceholders)
{
    std::mt19937 random(7);
    for (int i = 0; i < 5000; ++i) {
        TStringList stash;
        const int count = static_cast<int>(random() % 5);
        for (int n = 0; n < count; ++n)
            stash.Add(hostileText(random));
        const std::u16string text = hostileText(random) + QuodraEngine::Placeholder(0) + hostileText(random);
        ASSERT_EQ(QuodraEngine::RestorePlaceholders(text, stash, u"/*", u"*/", 1 << 22),
                  Oracle::Restore(text, stash, u"/*", u"*/"))
            << "case " << i;
    }
}

TEST(DifferentialTest, KeywordTestMatchesOneSearchPerKeyword)
{
    TStringList keywords;
    keywords.SetText(u"select\nfrom\n\nwhere\nfrom\norder by\nSEL\n\u00E9t\nom f\nt");
    const QuodraEngine::KeywordMatcher matcher(keywords);
    static const std::vector<std::u16string> pieces = {
        u"select",  u"SELECT", u"from", u"FroM", u"where", u"order by", u"order", u" by",
        u"\u00E9t", u"x",      u"_",    u" ",    u"\r\n",  u"1",        u"om",    u"t"};
    std::mt19937 random(99);
    for (int i = 0; i < 20000; ++i) {
        std::u16string text;
        for (int k = static_cast<int>(random() % 10); k > 0; --k)
            text += pieces[random() % pieces.size()];
        ASSERT_EQ(matcher.CountHits(text, 2) >= 2, Oracle::ContainsSqlKeywords(text, keywords))
            << "case " << i;
    }
}

TEST(RestoreTest, MultiplyingCommentsStopAtTheLengthLimit)
{
    // Each comment holds its successor twice: full restoring would double 40 times.
    TStringList stash;
    for (int n = 0; n < 40; ++n)
        stash.Add(QuodraEngine::Placeholder(n + 1) + QuodraEngine::Placeholder(n + 1));
    const std::u16string result = QuodraEngine::RestorePlaceholders(u"#0#", stash, u"/*", u"*/", 100000);
    EXPECT_LE(result.size(), 100000u);
    EXPECT_GT(result.size(), 40000u); // every round that fits still ran
    EXPECT_EQ(result.substr(0, 4), u"/*/*");
}

} // namespace
