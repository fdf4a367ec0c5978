#pragma once

// The comment stash of a conversion pass in near-linear time. Both operations give
// exactly the result of the plain loops they replace:
//  - stash: while the text contains the start marker, take the stretch between the
//    first start marker and the first end marker of the whole (already changed)
//    text, store it and replace it together with its markers by "#n#" (or nothing);
//  - restore: for n = 0, 1, 2 ... while the text contains "#n#", replace every
//    occurrence of "#n#" (left to right, without overlap) by the n-th stored comment.

#include "TStringList.h"

#include <cstddef>
#include <string>

namespace QuodraEngine {

/// The placeholder for the comment number aIndex: "#aIndex#".
std::u16string Placeholder(int aIndex);

/// Lifts every stretch between aStart and aEnd out of aText into aStash (each CR LF in
/// it stored as "-c_CRLF-"); the stretch and its markers become "#n#", or vanish when
/// aRemove. A start marker that cannot be paired ends the loop, leaving the rest of
/// the text as it is. The markers must hold no ASCII letter, '#' or digit.
std::u16string StashBetweenMarkers(const std::u16string &aText, const std::u16string &aStart,
                                   const std::u16string &aEnd, bool aRemove, TStringList &aStash);

/// Replaces the placeholders of aText by aBefore + stored comment n (with "-c_CRLF-"
/// back as CR LF) + aAfter. The loop ends at the first n for which the text holds no
/// "#n#", or has no stored comment n (that placeholder stays). aBefore and aAfter
/// must be non-empty and must not begin or end with '#' or a digit. When restoring
/// every round would make the result longer than aMaxLength (comment texts that
/// contain placeholders themselves can multiply), the loop ends after the last round
/// that keeps it within aMaxLength.
std::u16string RestorePlaceholders(const std::u16string &aText, const TStringList &aStash,
                                   const std::u16string &aBefore, const std::u16string &aAfter,
                                   std::size_t aMaxLength);

/// Replaces every occurrence of aFrom by aTo, left to right, without overlap.
std::u16string ReplaceAllText(const std::u16string &aText, const std::u16string &aFrom,
                              const std::u16string &aTo);

} // namespace QuodraEngine
