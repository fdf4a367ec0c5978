#pragma once

// The SQL keyword test in one pass over the text: every keyword's first occurrence
// is found at once (Aho-Corasick automaton), instead of one search per keyword.

#include "TStringList.h"

#include <string>
#include <vector>

namespace QuodraEngine {

class KeywordMatcher
{
public:
    KeywordMatcher() = default;
    /// Builds the automaton for the lines of aKeywords (ASCII letters lowered, nothing trimmed).
    explicit KeywordMatcher(const TStringList &aKeywords);

    /// The number of keyword entries whose first occurrence in aText (ignoring ASCII
    /// case) starts after the first character and not right after an ASCII letter;
    /// counting stops once aEnough is reached.
    int CountHits(const std::u16string &aText, int aEnough) const;

private:
    struct Node
    {
        std::vector<std::pair<char16_t, int>> next; // sorted by character
        int fail = 0;
        int output = -1;     // the keyword ending here, or -1
        int outputLink = -1; // the nearest node on the fail chain with an output
    };
    int child(int aNode, char16_t aChar) const;

    std::vector<Node> FNodes{Node{}};
    std::vector<std::size_t> FLength; // per distinct keyword
    std::vector<int> FWeight;         // how often the keyword is listed
};

} // namespace QuodraEngine
