#include "CommentStash.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace QuodraEngine {

namespace {

constexpr std::size_t npos = std::u16string::npos;
const std::u16string kCrLf = u"\r\n";
const std::u16string kCrLfMark = u"-c_CRLF-";

} // namespace

std::u16string Placeholder(int aIndex)
{
    const std::string digits = std::to_string(aIndex);
    std::u16string result = u"#";
    result.append(digits.begin(), digits.end());
    result += u'#';
    return result;
}

std::u16string ReplaceAllText(const std::u16string &aText, const std::u16string &aFrom,
                              const std::u16string &aTo)
{
    if (aFrom.empty())
        return aText;
    std::size_t at = aText.find(aFrom);
    if (at == npos)
        return aText;
    std::u16string result;
    result.reserve(aText.size());
    std::size_t copied = 0;
    while (at != npos) {
        result.append(aText, copied, at - copied);
        result += aTo;
        copied = at + aFrom.size();
        at = aText.find(aFrom, copied);
    }
    result.append(aText, copied, npos);
    return result;
}

// The text being changed is kept as out (finished, holds no complete marker) followed
// by the untouched rest of the input from pos on. A marker can only straddle the two
// when comments are removed (a placeholder holds no marker character), so besides the
// cached next occurrences in the input only the few characters around the junction
// need a look each round.
std::u16string StashBetweenMarkers(const std::u16string &aText, const std::u16string &aStart,
                                   const std::u16string &aEnd, bool aRemove, TStringList &aStash)
{
    aStash.Clear();
    if (aStart.empty() || aEnd.empty())
        return aText;

    std::u16string out;
    out.reserve(aText.size());
    std::size_t pos = 0;
    std::size_t nextStart = aText.find(aStart);
    std::size_t nextEnd = aText.find(aEnd);

    // Character c of the text as it stands: out, then aText from pos.
    const auto at = [&](std::size_t c) -> int {
        if (c < out.size())
            return out[c];
        const std::size_t i = pos + (c - out.size());
        return i < aText.size() ? aText[i] : -1;
    };
    // The first occurrence of aMarker in the current text, given the cached next
    // occurrence in aText; npos when there is none.
    const auto first = [&](const std::u16string &aMarker, std::size_t &aNext) -> std::size_t {
        const std::size_t tail = std::min(out.size(), aMarker.size() - 1);
        for (std::size_t c = out.size() - tail; c < out.size(); ++c) {
            std::size_t k = 0;
            while (k < aMarker.size() && at(c + k) == aMarker[k])
                ++k;
            if (k == aMarker.size())
                return c;
        }
        if (aNext != npos && aNext < pos)
            aNext = aText.find(aMarker, pos);
        return aNext == npos ? npos : out.size() + (aNext - pos);
    };

    int n = 0;
    for (;;) {
        const std::size_t s = first(aStart, nextStart);
        if (s == npos)
            break;
        const std::size_t e = first(aEnd, nextEnd);
        if (e == npos || e <= s + aStart.size())
            break; // no end marker, the first one before the start, or an empty stretch
        // The stretch lies in the untouched rest: it begins after the start marker.
        const std::size_t stretchFrom = pos + (s + aStart.size() - out.size());
        const std::size_t stretchTo = pos + (e - out.size());
        aStash.Add(ReplaceAllText(aText.substr(stretchFrom, stretchTo - stretchFrom), kCrLf, kCrLfMark));
        if (s >= out.size())
            out.append(aText, pos, s - out.size());
        else
            out.resize(s);
        if (!aRemove)
            out += Placeholder(n);
        pos = stretchTo + aEnd.size();
        ++n;
    }
    if (n == 0)
        return aText;
    out.append(aText, pos, npos);
    return out;
}

namespace {

// A stretch of text that never changes as a whole: the input, or one restored
// comment. A placeholder can never straddle two segments, because a restored
// comment neither begins nor ends with '#' or a digit, so each segment's
// placeholders are replaced independently of the others.
struct Segment
{
    std::u16string storage; // a restored comment; the input is only viewed
    std::u16string_view text;
    struct Replacement
    {
        std::size_t from;
        std::size_t to;
        int index;
    };
    // The placeholders replaced when every round runs, in text order.
    std::vector<Replacement> replaced;
};

// Finds which placeholders of aSegment the rounds aFirstRound, aFirstRound + 1, ...
// replace: every pair of neighbouring '#' with a decimal number (no leading zero)
// between them is a placeholder; round n replaces the placeholders for n, left to
// right, that do not share a '#' with one replaced before.
void planSegment(Segment &aSegment, int aFirstRound, int aCount)
{
    const std::u16string_view text = aSegment.text;
    std::vector<std::size_t> hashes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'#')
            hashes.push_back(i);
    }
    if (hashes.size() < 2)
        return;
    // Slot j lies between hash j and hash j + 1.
    const std::size_t slots = hashes.size() - 1;
    std::vector<int> value(slots, -1);
    std::vector<std::size_t> order;
    for (std::size_t j = 0; j < slots; ++j) {
        const std::size_t from = hashes[j] + 1;
        const std::size_t len = hashes[j + 1] - from;
        if (len == 0 || len > 10 || (len > 1 && text[from] == u'0'))
            continue;
        std::int64_t v = 0;
        bool digits = true;
        for (std::size_t k = from; k < from + len; ++k) {
            if (text[k] < u'0' || text[k] > u'9') {
                digits = false;
                break;
            }
            v = v * 10 + (text[k] - u'0');
        }
        // Rounds beyond the stored comments never run, so such numbers stay.
        if (!digits || v < aFirstRound || v >= aCount)
            continue;
        value[j] = static_cast<int>(v);
        order.push_back(j);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return value[a] < value[b]; });
    std::vector<char> done(slots, 0);
    for (const std::size_t j : order) {
        if ((j > 0 && done[j - 1]) || (j + 1 < slots && done[j + 1]))
            continue; // a '#' of it is gone already
        done[j] = 1;
    }
    for (std::size_t j = 0; j < slots; ++j) {
        if (done[j])
            aSegment.replaced.push_back({hashes[j], hashes[j + 1] + 1, value[j]});
    }
}

// The length of the result when only the rounds before aRounds run, capped just
// above aLimit.
std::uint64_t resultLength(const std::vector<Segment> &aSegments, int aRounds, std::uint64_t aLimit)
{
    // Segment 0 is the input, segment n + 1 restored comment n; a comment only
    // holds placeholders of later rounds, so the lengths are found from the back.
    std::vector<std::uint64_t> length(aSegments.size(), 0);
    for (std::size_t k = aSegments.size(); k-- > 0;) {
        if (k > 0 && static_cast<int>(k - 1) >= aRounds)
            continue;
        std::uint64_t len = aSegments[k].text.size();
        for (const auto &r : aSegments[k].replaced) {
            if (r.index >= aRounds)
                continue;
            len = len - (r.to - r.from) + length[static_cast<std::size_t>(r.index) + 1];
            if (len > aLimit)
                break;
        }
        length[k] = std::min(len, aLimit + 1);
    }
    return length[0];
}

} // namespace

std::u16string RestorePlaceholders(const std::u16string &aText, const TStringList &aStash,
                                   const std::u16string &aBefore, const std::u16string &aAfter,
                                   std::size_t aMaxLength)
{
    const int count = aStash.Count();
    if (count == 0 || aText.find(u'#') == npos)
        return aText;

    std::vector<Segment> segments(static_cast<std::size_t>(count) + 1);
    // The vector is never resized below, so the views stay valid.
    segments[0].text = aText;
    planSegment(segments[0], 0, count);
    for (int n = 0; n < count; ++n) {
        Segment &segment = segments[static_cast<std::size_t>(n) + 1];
        segment.storage = aBefore + ReplaceAllText(aStash[n], kCrLfMark, kCrLf) + aAfter;
        segment.text = segment.storage;
        planSegment(segment, n + 1, count);
    }

    // Round n runs when the text holds "#n#" and comment n exists: the text then holds
    // the input and one or more copies of each comment restored so far.
    std::vector<char> present(static_cast<std::size_t>(count), 0);
    const auto mark = [&](const Segment &aSegment) {
        for (const auto &r : aSegment.replaced)
            present[static_cast<std::size_t>(r.index)] = 1;
    };
    mark(segments[0]);
    int rounds = 0;
    while (rounds < count && present[static_cast<std::size_t>(rounds)]) {
        mark(segments[static_cast<std::size_t>(rounds) + 1]);
        ++rounds;
    }
    if (rounds == 0)
        return aText;

    // Every round lengthens the text, so the last round that fits is found by halving.
    if (resultLength(segments, rounds, aMaxLength) > aMaxLength) {
        int low = 0;
        int high = rounds - 1;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (resultLength(segments, mid, aMaxLength) <= aMaxLength)
                low = mid;
            else
                high = mid - 1;
        }
        rounds = low;
    }

    std::u16string result;
    result.reserve(static_cast<std::size_t>(resultLength(segments, rounds, aMaxLength)));
    struct Frame
    {
        std::size_t segment;
        std::size_t next; // index into replaced
        std::size_t pos;  // characters of the segment written so far
    };
    std::vector<Frame> stack{{0, 0, 0}};
    while (!stack.empty()) {
        Frame &frame = stack.back();
        const Segment &segment = segments[frame.segment];
        while (frame.next < segment.replaced.size() && segment.replaced[frame.next].index >= rounds)
            ++frame.next;
        if (frame.next == segment.replaced.size()) {
            result.append(segment.text.substr(frame.pos));
            stack.pop_back();
            continue;
        }
        const auto &r = segment.replaced[frame.next++];
        result.append(segment.text.substr(frame.pos, r.from - frame.pos));
        frame.pos = r.to;
        stack.push_back({static_cast<std::size_t>(r.index) + 1, 0, 0});
    }
    return result;
}

} // namespace QuodraEngine
