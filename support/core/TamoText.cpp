#include "TamoUtils.h"

namespace Tamo {

std::u16string Trim(const std::u16string &aText)
{
    std::size_t first = 0;
    std::size_t last = aText.size();
    while (first < last && IsTrimmable(aText[first]))
        ++first;
    while (last > first && IsTrimmable(aText[last - 1]))
        --last;
    return aText.substr(first, last - first);
}

std::u16string TrimRight(const std::u16string &aText)
{
    std::size_t last = aText.size();
    while (last > 0 && IsTrimmable(aText[last - 1]))
        --last;
    return aText.substr(0, last);
}

std::u16string LowerAscii(const std::u16string &aText)
{
    std::u16string result(aText);
    for (auto &c : result) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + (u'a' - u'A'));
    }
    return result;
}

namespace {

// The stretch between the markers as 0-based offsets: the start marker begins at
// start, the stretch itself is [start + start marker length, end).
struct Stretch
{
    bool found = false;
    std::size_t start = 0;
    std::size_t end = 0;
};

Stretch locateStretch(const std::u16string &aText, const std::u16string &aStart, const std::u16string &aEnd,
                      int aStartPos, bool aEndAfterStart)
{
    Stretch result;
    if (aStart.empty() || aEnd.empty())
        return result;
    // Lowering moves no position, so offsets found in the lowered copy cut the original.
    const std::u16string text = LowerAscii(aText);
    const std::u16string startMarker = LowerAscii(aStart);
    const std::u16string endMarker = LowerAscii(aEnd);

    const std::size_t from = aStartPos > 0 ? static_cast<std::size_t>(aStartPos) - 1 : 0;
    if (from >= text.size())
        return result;
    const std::size_t s = text.find(startMarker, from);
    if (s == std::u16string::npos)
        return result;
    const std::size_t e =
        aEndAfterStart ? text.find(endMarker, s + startMarker.size()) : text.find(endMarker);
    if (e == std::u16string::npos || e <= s + startMarker.size())
        return result; // covers E before S, overlapping markers and the empty stretch
    result.found = true;
    result.start = s;
    result.end = e;
    return result;
}

} // namespace

std::u16string TextBetween(const std::u16string &aText, const std::u16string &aStart,
                           const std::u16string &aEnd, int aStartPos, bool aEndAfterStart)
{
    const Stretch stretch = locateStretch(aText, aStart, aEnd, aStartPos, aEndAfterStart);
    if (!stretch.found)
        return {};
    const std::size_t from = stretch.start + aStart.size();
    return aText.substr(from, stretch.end - from);
}

bool ReplaceBetween(std::u16string &aText, const std::u16string &aNewText, const std::u16string &aStart,
                    const std::u16string &aEnd, bool aReplaceMarkers, int aStartPos, bool aEndAfterStart)
{
    const Stretch stretch = locateStretch(aText, aStart, aEnd, aStartPos, aEndAfterStart);
    if (!stretch.found)
        return false;
    if (aReplaceMarkers)
        aText.replace(stretch.start, stretch.end + aEnd.size() - stretch.start, aNewText);
    else
        aText.replace(stretch.start + aStart.size(), stretch.end - stretch.start - aStart.size(), aNewText);
    return true;
}

} // namespace Tamo
