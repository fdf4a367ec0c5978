#include "KeywordMatcher.h"

#include "TamoUtils.h"

#include <algorithm>
#include <deque>
#include <map>

namespace QuodraEngine {

namespace {

char16_t lowerAscii(char16_t aChar)
{
    return (aChar >= u'A' && aChar <= u'Z') ? aChar + (u'a' - u'A') : aChar;
}

} // namespace

int KeywordMatcher::child(int aNode, char16_t aChar) const
{
    const auto &next = FNodes[static_cast<std::size_t>(aNode)].next;
    const auto it =
        std::lower_bound(next.begin(), next.end(), aChar,
                         [](const std::pair<char16_t, int> &p, char16_t c) { return p.first < c; });
    return (it != next.end() && it->first == aChar) ? it->second : -1;
}

KeywordMatcher::KeywordMatcher(const TStringList &aKeywords)
{
    // A keyword listed twice counts twice: one automaton entry with a weight.
    std::map<std::u16string, int> ids;
    for (const auto &line : aKeywords.Lines()) {
        if (line.empty())
            continue; // an empty keyword never matches
        const std::u16string keyword = Tamo::LowerAscii(line);
        const auto [it, added] = ids.emplace(keyword, static_cast<int>(FLength.size()));
        if (!added) {
            ++FWeight[static_cast<std::size_t>(it->second)];
            continue;
        }
        FLength.push_back(keyword.size());
        FWeight.push_back(1);
        int node = 0;
        for (const char16_t c : keyword) {
            int next = child(node, c);
            if (next < 0) {
                next = static_cast<int>(FNodes.size());
                FNodes.emplace_back();
                auto &edges = FNodes[static_cast<std::size_t>(node)].next;
                edges.insert(std::upper_bound(edges.begin(), edges.end(), std::make_pair(c, -1),
                                              [](const auto &a, const auto &b) { return a.first < b.first; }),
                             {c, next});
            }
            node = next;
        }
        FNodes[static_cast<std::size_t>(node)].output = it->second;
    }

    // Fail links breadth first.
    std::deque<int> queue;
    for (const auto &[c, next] : FNodes[0].next) {
        FNodes[static_cast<std::size_t>(next)].fail = 0;
        queue.push_back(next);
    }
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        const int fail = FNodes[static_cast<std::size_t>(node)].fail;
        FNodes[static_cast<std::size_t>(node)].outputLink =
            FNodes[static_cast<std::size_t>(fail)].output >= 0
                ? fail
                : FNodes[static_cast<std::size_t>(fail)].outputLink;
        const auto edges = FNodes[static_cast<std::size_t>(node)].next;
        for (const auto &[c, next] : edges) {
            int f = fail;
            int target = child(f, c);
            while (target < 0 && f != 0) {
                f = FNodes[static_cast<std::size_t>(f)].fail;
                target = child(f, c);
            }
            FNodes[static_cast<std::size_t>(next)].fail = (target >= 0 && target != next) ? target : 0;
            queue.push_back(next);
        }
    }
}

int KeywordMatcher::CountHits(const std::u16string &aText, int aEnough) const
{
    const std::size_t keywords = FLength.size();
    if (keywords == 0)
        return 0;
    std::vector<char> seen(keywords, 0);
    std::size_t unseen = keywords;
    int hits = 0;
    int node = 0;
    for (std::size_t i = 0; i < aText.size() && unseen > 0; ++i) {
        const char16_t c = lowerAscii(aText[i]);
        int next = child(node, c);
        while (next < 0 && node != 0) {
            node = FNodes[static_cast<std::size_t>(node)].fail;
            next = child(node, c);
        }
        node = next < 0 ? 0 : next;
        // Every keyword ending here; the first time one is seen is its first occurrence.
        for (int k = FNodes[static_cast<std::size_t>(node)].output >= 0
                         ? node
                         : FNodes[static_cast<std::size_t>(node)].outputLink;
             k >= 0; k = FNodes[static_cast<std::size_t>(k)].outputLink) {
            const auto id = static_cast<std::size_t>(FNodes[static_cast<std::size_t>(k)].output);
            if (seen[id])
                continue;
            seen[id] = 1;
            --unseen;
            const std::size_t start = i + 1 - FLength[id];
            if (start == 0)
                continue;
            const char16_t before = lowerAscii(aText[start - 1]);
            if (before >= u'a' && before <= u'z')
                continue;
            hits += FWeight[id];
            if (hits >= aEnough)
                return hits;
        }
    }
    return hits;
}

} // namespace QuodraEngine
