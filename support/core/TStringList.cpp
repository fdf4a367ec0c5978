#include "TStringList.h"

#include "TamoException.h"

#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

std::u16string TStringList::Text() const
{
    std::size_t size = 0;
    for (const auto &line : FLines)
        size += line.size() + 2;
    std::u16string result;
    result.reserve(size);
    for (const auto &line : FLines) {
        result += line;
        result += u"\r\n";
    }
    return result;
}

void TStringList::SetText(const std::u16string &aText)
{
    // Lines already held are overwritten in place, so that re-assigning a text of a
    // similar shape (as every whole-text step does) reuses their storage.
    const std::size_t n = aText.size();
    const char16_t *data = aText.data();
    std::size_t count = 0;
    std::size_t start = 0;
    const auto addLine = [&](std::size_t aEnd) {
        if (count < FLines.size())
            FLines[count].assign(data + start, aEnd - start);
        else
            FLines.emplace_back(data + start, aEnd - start);
        ++count;
    };
    std::size_t i = 0;
    while (i < n) {
        // Both line-break characters are below 14, so one comparison skips the rest.
        while (i < n && (data[i] > u'\r' || (data[i] != u'\r' && data[i] != u'\n')))
            ++i;
        if (i == n)
            break;
        addLine(i);
        if (data[i] == u'\r' && i + 1 < n && data[i + 1] == u'\n')
            ++i;
        ++i;
        start = i;
    }
    if (start < n)
        addLine(n);
    FLines.resize(count);
}

namespace Tamo {

std::u16string Utf8ToUtf16(const std::string &aBytes)
{
    std::u16string out;
    out.reserve(aBytes.size());
    const auto *s = reinterpret_cast<const unsigned char *>(aBytes.data());
    const std::size_t n = aBytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        int len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
            cp = b & 0x1F;
            min = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            cp = b & 0x0F;
            min = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            cp = b & 0x07;
            min = 0x10000;
        }
        std::size_t j = 1;
        if (len > 0) {
            for (; j < static_cast<std::size_t>(len) && i + j < n; ++j) {
                const unsigned char c = s[i + j];
                if ((c & 0xC0) != 0x80)
                    break;
                cp = (cp << 6) | (c & 0x3F);
            }
        }
        if (len == 0 || j != static_cast<std::size_t>(len) || cp < min || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            // One replacement character per maximal invalid prefix (at least one byte).
            out.push_back(u'\uFFFD');
            i += (len == 0) ? 1 : j;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += static_cast<std::size_t>(len);
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string &aText)
{
    std::string out;
    out.reserve(aText.size());
    const std::size_t n = aText.size();
    for (std::size_t i = 0; i < n; ++i) {
        char32_t cp = aText[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && aText[i + 1] >= 0xDC00 && aText[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (aText[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace Tamo

namespace {

std::u16string decodeUtf16(const std::string &aBytes, std::size_t aOffset, bool aBigEndian)
{
    std::u16string out;
    out.reserve((aBytes.size() - aOffset) / 2 + 1);
    std::size_t i = aOffset;
    for (; i + 1 < aBytes.size(); i += 2) {
        const auto b0 = static_cast<unsigned char>(aBytes[i]);
        const auto b1 = static_cast<unsigned char>(aBytes[i + 1]);
        out.push_back(aBigEndian ? static_cast<char16_t>((b0 << 8) | b1)
                                 : static_cast<char16_t>((b1 << 8) | b0));
    }
    if (i < aBytes.size())
        out.push_back(u'\uFFFD'); // an odd trailing byte is not lost silently
    return out;
}

std::u16string decodeAnsi(const std::string &aBytes)
{
#ifdef _WIN32
    if (aBytes.empty())
        return {};
    const int len =
        MultiByteToWideChar(CP_ACP, 0, aBytes.data(), static_cast<int>(aBytes.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(len), u'\0');
    MultiByteToWideChar(CP_ACP, 0, aBytes.data(), static_cast<int>(aBytes.size()),
                        reinterpret_cast<wchar_t *>(out.data()), len);
    return out;
#else
    return Tamo::Utf8ToUtf16(aBytes);
#endif
}

} // namespace

std::u16string TStringList::DecodeBytes(const std::string &aBytes)
{
    const auto at = [&](std::size_t i) {
        return static_cast<unsigned char>(aBytes[i]);
    };
    if (aBytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        return Tamo::Utf8ToUtf16(aBytes.substr(3));
    if (aBytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE)
        return decodeUtf16(aBytes, 2, false);
    if (aBytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF)
        return decodeUtf16(aBytes, 2, true);
    return decodeAnsi(aBytes);
}

void TStringList::LoadFromFile(const std::string &aFileName)
{
    std::ifstream in(aFileName, std::ios::binary);
    if (!in)
        throw Tamo::EFileError("Cannot open file \"" + aFileName + "\"");
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception &) {
        // A directory or a failing device makes the stream buffer throw.
        throw Tamo::EFileError("Cannot read file \"" + aFileName + "\"");
    }
    if (in.bad())
        throw Tamo::EFileError("Cannot read file \"" + aFileName + "\"");
    SetText(DecodeBytes(bytes));
}
