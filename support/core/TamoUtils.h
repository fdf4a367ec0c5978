#pragma once

// The pure, platform-free helpers of the Tamo.Utils unit: text between markers,
// trimming, version texts, file names, splitting and the copyright line.

#include "TStringList.h"

#include <optional>
#include <string>

namespace Tamo {

/// True for the characters that trimming removes: codes U+0000 to U+0020.
constexpr bool IsTrimmable(char16_t aChar) { return aChar <= u' '; }

/// Removes leading and trailing characters with codes up to U+0020.
std::u16string Trim(const std::u16string &aText);
/// Removes trailing characters with codes up to U+0020.
std::u16string TrimRight(const std::u16string &aText);

/// Lowers ASCII A to Z only; every other character, and every position, stays.
std::u16string LowerAscii(const std::u16string &aText);

/// The characters between aStart and aEnd (markers matched ignoring ASCII case);
/// the empty text when no stretch exists. Positions count from 1.
std::u16string TextBetween(const std::u16string &aText, const std::u16string &aStart, const std::u16string &aEnd,
                           int aStartPos, bool aEndAfterStart);

/// Replaces the stretch between aStart and aEnd (and the markers too when
/// aReplaceMarkers) by aNewText; false and aText unchanged when no stretch exists.
bool ReplaceBetween(std::u16string &aText, const std::u16string &aNewText, const std::u16string &aStart,
                    const std::u16string &aEnd, bool aReplaceMarkers, int aStartPos, bool aEndAfterStart);

/// True when the version text does not end with ".0" (the empty text too).
bool IsBetaVersion(const std::u16string &aVersion);

/// Compares two version texts part by part: 0 first older, 1 equal in four parts,
/// 2 first newer, 3 first empty, 4 second empty or a needed part missing or not a number.
unsigned CompareVersions(const std::u16string &aFirst, const std::u16string &aSecond);

/// Clears aList and fills it with the trimmed parts of aText split at aDelimiter.
void SplitText(const std::u16string &aText, const std::u16string &aDelimiter, TStringList &aList);

/// The last path component without its last extension (path separators follow the platform).
std::u16string FileNameWithoutExt(const std::u16string &aPath);

/// "%s © %d %s" or "%s © %d-%d %s"; aCurrentYear defaults to the year of today's local date.
std::u16string CopyrightText(int aStartYear, const std::u16string &aHolder, const std::u16string &aLeadingWord,
                             std::optional<int> aCurrentYear = std::nullopt);

} // namespace Tamo

namespace Tamo {
/// Full path of the running executable (native encoding, UTF-8 off Windows).
std::string ExecutablePath();
/// The running executable's folder, ending with the platform's path separator.
std::string ExecutableFolder();
} // namespace Tamo

namespace Tamo {
/// Process start-up tuning of the C allocator for conversions of large texts.
void TuneAllocatorForLargeTexts();
} // namespace Tamo
