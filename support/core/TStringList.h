#pragma once

#include <cstddef>
#include <string>
#include <vector>

// An ordered list of UTF-16 lines with the whole-text rules the engine relies on:
// reading the text joins every line followed by CR LF; assigning a text splits it
// at CR LF, lone CR and lone LF, and a final line break adds no empty line.
class TStringList
{
public:
    TStringList() = default;

    /// The lines joined, each followed by CR LF; the empty list gives the empty text.
    std::u16string Text() const;
    /// Clears the list and splits aText into lines at CR LF, lone CR and lone LF.
    void SetText(const std::u16string &aText);

    /// Replaces the lines by a copy of aOther's lines.
    void Assign(const TStringList &aOther) { FLines = aOther.FLines; }

    int Count() const { return static_cast<int>(FLines.size()); }
    bool IsEmpty() const { return FLines.empty(); }
    const std::u16string &operator[](int aIndex) const { return FLines[static_cast<std::size_t>(aIndex)]; }
    std::u16string &operator[](int aIndex) { return FLines[static_cast<std::size_t>(aIndex)]; }
    void Put(int aIndex, std::u16string aLine) { FLines[static_cast<std::size_t>(aIndex)] = std::move(aLine); }
    void Delete(int aIndex) { FLines.erase(FLines.begin() + aIndex); }
    void Add(std::u16string aLine) { FLines.push_back(std::move(aLine)); }
    void Clear() { FLines.clear(); }

    const std::vector<std::u16string> &Lines() const { return FLines; }

    /// Loads a file: a BOM selects UTF-8, UTF-16 LE or UTF-16 BE; without one the
    /// bytes are decoded as the ANSI code page on Windows and as UTF-8 elsewhere
    /// (invalid bytes become U+FFFD). Throws Tamo::EFileError when the file cannot be read.
    void LoadFromFile(const std::string &aFileName);

    /// Decodes raw file bytes by the rules of LoadFromFile.
    static std::u16string DecodeBytes(const std::string &aBytes);

private:
    std::vector<std::u16string> FLines;
};

namespace Tamo {
/// Decodes UTF-8; every invalid or truncated sequence becomes one U+FFFD.
std::u16string Utf8ToUtf16(const std::string &aBytes);
/// Encodes UTF-16 as UTF-8; a lone surrogate is written as U+FFFD.
std::string Utf16ToUtf8(const std::u16string &aText);
} // namespace Tamo
