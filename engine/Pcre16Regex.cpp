#include "Pcre16Regex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <stdexcept>

Pcre16Regex::Pcre16Regex(const std::u16string &aPattern)
{
    pcre2_compile_context *context = pcre2_compile_context_create(nullptr);
    if (!context)
        throw std::bad_alloc();
    pcre2_set_newline(context, PCRE2_NEWLINE_ANY);
    int error = 0;
    PCRE2_SIZE offset = 0;
    FCode = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(aPattern.c_str()), aPattern.size(),
                          PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &error, &offset, context);
    pcre2_compile_context_free(context);
    if (!FCode)
        throw std::invalid_argument("invalid regular expression");
    // The interpreter re-validates the rest of the subject on every call when invalid
    // UTF is allowed, which makes a replace-all loop quadratic; the JIT does not.
    // Where JIT is unavailable the interpreter still gives the same results.
    pcre2_jit_compile(FCode, PCRE2_JIT_COMPLETE);
    FMatch = pcre2_match_data_create_from_pattern(FCode, nullptr);
    if (!FMatch) {
        pcre2_code_free(FCode);
        throw std::bad_alloc();
    }
}

Pcre16Regex::~Pcre16Regex()
{
    pcre2_match_data_free(FMatch);
    pcre2_code_free(FCode);
}

std::u16string Pcre16Regex::ReplaceAll(std::u16string aSubject, const std::u16string &aReplacement) const
{
    return replace(std::move(aSubject), &aReplacement, 0);
}

std::u16string Pcre16Regex::ReplaceAllByGroup(std::u16string aSubject, int aGroup) const
{
    return replace(std::move(aSubject), nullptr, aGroup);
}

std::u16string Pcre16Regex::replace(std::u16string aSubject, const std::u16string *aLiteral, int aGroup) const
{
    const auto *subject = reinterpret_cast<PCRE2_SPTR>(aSubject.data());
    const PCRE2_SIZE length = aSubject.size();
    std::u16string result;
    PCRE2_SIZE copied = 0; // everything before this offset is already in result
    PCRE2_SIZE offset = 0;
    bool any = false;
    while (offset <= length) {
        const int rc = pcre2_match(FCode, subject, length, offset, 0, FMatch, nullptr);
        if (rc < 0)
            break; // no further match (or a matching limit: the rest stays as it is)
        const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(FMatch);
        const PCRE2_SIZE start = ovector[0];
        const PCRE2_SIZE end = ovector[1];
        if (!any) {
            result.reserve(length);
            any = true;
        }
        result.append(aSubject, copied, start - copied);
        if (aLiteral) {
            result += *aLiteral;
        } else if (aGroup < rc && ovector[2 * aGroup] != PCRE2_UNSET) {
            const PCRE2_SIZE gs = ovector[2 * aGroup];
            result.append(aSubject, gs, ovector[2 * aGroup + 1] - gs);
        }
        copied = end;
        if (end > start) {
            offset = end;
        } else {
            // An empty match: step over one character (a surrogate pair as a whole).
            if (end >= length)
                break;
            offset = end + 1;
            if (offset < length && aSubject[end] >= 0xD800 && aSubject[end] <= 0xDBFF &&
                aSubject[offset] >= 0xDC00 && aSubject[offset] <= 0xDFFF)
                ++offset;
        }
    }
    if (!any)
        return aSubject;
    result.append(aSubject, copied, length - copied);
    return result;
}
