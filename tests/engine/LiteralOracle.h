#pragma once

// The stash, restore and keyword steps written as plainly as they read, used to
// check the fast engine against. Slow on purpose.

#include "CommentStash.h"
#include "TStringList.h"
#include "TamoUtils.h"

#include <string>

namespace Oracle {

inline std::u16string Stash(std::u16string aText, const std::u16string &aStart, const std::u16string &aEnd,
                            bool aRemove, TStringList &aStash)
{
    aStash.Clear();
    int n = 0;
    while (Tamo::LowerAscii(aText).find(Tamo::LowerAscii(aStart)) != std::u16string::npos) {
        const std::u16string stretch = Tamo::TextBetween(aText, aStart, aEnd, 0, false);
        const std::u16string replacement = aRemove ? std::u16string() : QuodraEngine::Placeholder(n);
        if (!Tamo::ReplaceBetween(aText, replacement, aStart, aEnd, true, 0, false))
            break;
        aStash.Add(QuodraEngine::ReplaceAllText(stretch, u"\r\n", u"-c_CRLF-"));
        ++n;
    }
    return aText;
}

inline std::u16string Restore(std::u16string aText, const TStringList &aStash, const std::u16string &aBefore,
                              const std::u16string &aAfter)
{
    for (int n = 0; aText.find(QuodraEngine::Placeholder(n)) != std::u16string::npos && n < aStash.Count();
         ++n) {
        const std::u16string comment =
            aBefore + QuodraEngine::ReplaceAllText(aStash[n], u"-c_CRLF-", u"\r\n") + aAfter;
        aText = QuodraEngine::ReplaceAllText(aText, QuodraEngine::Placeholder(n), comment);
    }
    return aText;
}

inline bool ContainsSqlKeywords(const std::u16string &aText, const TStringList &aKeywords)
{
    const std::u16string text = Tamo::LowerAscii(aText);
    int hits = 0;
    for (const auto &line : aKeywords.Lines()) {
        if (line.empty())
            continue;
        const std::size_t at = text.find(Tamo::LowerAscii(line));
        if (at == std::u16string::npos || at == 0)
            continue;
        if (text[at - 1] >= u'a' && text[at - 1] <= u'z')
            continue;
        ++hits;
    }
    return hits >= 2;
}

} // namespace Oracle
