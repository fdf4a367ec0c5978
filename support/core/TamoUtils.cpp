// The pure version, file-name, splitting and copyright helpers of Tamo.Utils.

#include "TamoUtils.h"

#include <charconv>
#include <cstdint>
#include <ctime>
#include <limits>

namespace Tamo {

namespace {

std::u16string TrimText(std::u16string_view aText)
{
    std::size_t begin = 0;
    std::size_t end = aText.size();
    while (begin < end && IsTrimmable(aText[begin]))
        ++begin;
    while (end > begin && IsTrimmable(aText[end - 1]))
        --end;
    return std::u16string(aText.substr(begin, end - begin));
}

std::u16string Ascii(const char *aText)
{
    std::u16string result;
    for (; *aText; ++aText)
        result += static_cast<char16_t>(static_cast<unsigned char>(*aText));
    return result;
}

std::u16string Decimal(int aValue)
{
    char buffer[16];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, aValue);
    (void)ec;
    return Ascii(std::string(buffer, end).c_str());
}

// A 32-bit signed decimal number with an optional sign; the whole part must be
// digits (blanks were trimmed by the split), anything else or an overflow fails.
bool ToInt32(const std::u16string &aText, std::int32_t &aValue)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < aText.size() && (aText[pos] == u'-' || aText[pos] == u'+')) {
        negative = aText[pos] == u'-';
        ++pos;
    }
    if (pos == aText.size())
        return false;
    std::int64_t value = 0;
    for (; pos < aText.size(); ++pos) {
        const char16_t c = aText[pos];
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
        if (value > std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min())
        return false;
    aValue = static_cast<std::int32_t>(value);
    return true;
}

int CurrentLocalYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local.tm_year + 1900;
}

bool IsPathSeparator(char16_t aChar)
{
#ifdef _WIN32
    return aChar == u'\\' || aChar == u'/' || aChar == u':';
#else
    return aChar == u'/';
#endif
}

} // namespace

bool IsBetaVersion(const std::u16string &aVersion)
{
    const std::size_t n = aVersion.size();
    const std::u16string tail = n < 2 ? aVersion : aVersion.substr(n - 2);
    return tail != u".0";
}

unsigned CompareVersions(const std::u16string &aFirst, const std::u16string &aSecond)
{
    if (aFirst.empty())
        return 3;
    if (aSecond.empty())
        return 4;
    TStringList first;
    TStringList second;
    SplitText(aFirst, u".", first);
    SplitText(aSecond, u".", second);
    unsigned result = 1;
    for (int i = 0; i < 4; ++i) {
        // A missing part or one that is not a number ends the comparison with 4,
        // whatever an earlier part decided.
        std::int32_t a = 0;
        std::int32_t b = 0;
        if (i >= first.Count() || !ToInt32(first[i], a))
            return 4;
        if (i >= second.Count() || !ToInt32(second[i], b))
            return 4;
        if (a < b)
            return 0;
        if (a > b)
            return 2;
        result = 1;
    }
    return result;
}

void SplitText(const std::u16string &aText, const std::u16string &aDelimiter, TStringList &aList)
{
    aList.Clear();
    if (TrimText(aText).empty())
        return;
    if (aDelimiter.empty()) {
        aList.Add(TrimText(aText));
        return;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = aText.find(aDelimiter, start);
        if (found == std::u16string::npos) {
            aList.Add(TrimText(std::u16string_view(aText).substr(start)));
            return;
        }
        aList.Add(TrimText(std::u16string_view(aText).substr(start, found - start)));
        start = found + aDelimiter.size();
    }
}

std::u16string FileNameWithoutExt(const std::u16string &aPath)
{
    std::size_t begin = aPath.size();
    while (begin > 0 && !IsPathSeparator(aPath[begin - 1]))
        --begin;
    const std::u16string name = aPath.substr(begin);
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string CopyrightText(int aStartYear, const std::u16string &aHolder,
                             const std::u16string &aLeadingWord, std::optional<int> aCurrentYear)
{
    const int currentYear = aCurrentYear.value_or(CurrentLocalYear());
    std::u16string text = aLeadingWord + u" \u00A9 " + Decimal(aStartYear);
    if (aStartYear != currentYear)
        text += u"-" + Decimal(currentYear);
    return text + u" " + aHolder;
}

} // namespace Tamo
