#pragma once

// A compiled PCRE2 pattern over UTF-16 text. Every pattern is compiled in UTF mode,
// tolerant of invalid UTF (a lone surrogate never matches and is carried through),
// with the newline convention ANY, so that "." matches no line-ending character.

#include <memory>
#include <string>

struct pcre2_real_code_16;
struct pcre2_real_match_data_16;

class Pcre16Regex
{
public:
    /// Compiles aPattern; throws std::invalid_argument when it is not a valid pattern.
    explicit Pcre16Regex(const std::u16string &aPattern);
    ~Pcre16Regex();

    Pcre16Regex(const Pcre16Regex &) = delete;
    Pcre16Regex &operator=(const Pcre16Regex &) = delete;

    /// Every match, left to right, replaced by aReplacement taken literally (aSubject
    /// itself comes back when nothing matches).
    std::u16string ReplaceAll(std::u16string aSubject, const std::u16string &aReplacement) const;
    /// Every match, left to right, replaced by the text of capture group aGroup ("$1" for 1).
    std::u16string ReplaceAllByGroup(std::u16string aSubject, int aGroup) const;

private:
    std::u16string replace(std::u16string aSubject, const std::u16string *aLiteral, int aGroup) const;

    pcre2_real_code_16 *FCode = nullptr;
    pcre2_real_match_data_16 *FMatch = nullptr;
};
