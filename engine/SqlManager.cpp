#include "SqlManager.h"

#include "CommentStash.h"
#include "TamoUtils.h"

#include <filesystem>
#include <string_view>
#include <system_error>

using QuodraEngine::ReplaceAllText;

namespace {

// The pieces each language writes around a literal and a restored comment.
const std::u16string kPascalQuote = u"'";
const std::u16string kPascalEscapedQuote = u"''";
const std::u16string kCSharpQuote = u"\"";
const std::u16string kCSharpEscapedQuote = u"\\\"";
const std::u16string kPascalCommentStart = u"' (*";
const std::u16string kPascalCommentEnd = u"*) +'";
const std::u16string kCSharpCommentStart = u"\" /*";
const std::u16string kCSharpCommentEnd = u"*/ +\"";
const std::u16string kSqlCommentStart = u"/*";
const std::u16string kSqlCommentEnd = u"*/";

// Comment texts may hold placeholders themselves and so be restored many times
// over; the restored text is never allowed to grow beyond this.
std::size_t restoreLimit(const std::u16string &aText)
{
    return 8 * aText.size() + (std::size_t{1} << 20);
}

bool endsWith(const std::u16string &aText, const std::u16string &aEnd)
{
    return aText.size() >= aEnd.size() && aText.compare(aText.size() - aEnd.size(), aEnd.size(), aEnd) == 0;
}

// The number of lines assigning aText to a string list gives.
int countLines(const std::u16string &aText)
{
    int count = 0;
    const std::size_t n = aText.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (aText[i] == u'\r' || aText[i] == u'\n') {
            ++count;
            if (aText[i] == u'\r' && i + 1 < n && aText[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    return count + (start < n ? 1 : 0);
}

// Calls aVisit with each line (and its index) that assigning aText to a string list
// gives: split at CR LF, lone CR and lone LF, no empty line after a final break.
template <typename Visit> void forEachLine(const std::u16string &aText, Visit aVisit)
{
    std::u16string line;
    int index = 0;
    const std::size_t n = aText.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (aText[i] == u'\r' || aText[i] == u'\n') {
            line.assign(aText, start, i - start);
            aVisit(line, index++);
            if (aText[i] == u'\r' && i + 1 < n && aText[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n) {
        line.assign(aText, start, n - start);
        aVisit(line, index);
    }
}

} // namespace

TSqlManager::TSqlManager()
{
    LoadKeywords(Tamo::ExecutableFolder() + "SQLkeywords.txt");
}

TSqlManager::TSqlManager(const std::string &aKeywordFile)
{
    LoadKeywords(aKeywordFile);
}

void TSqlManager::LoadKeywords(const std::string &aKeywordFile)
{
    FSqlKeywords.LoadFromFile(aKeywordFile);
    FKeywordMatcher = QuodraEngine::KeywordMatcher(FSqlKeywords);
}

TSmerKonverze TSqlManager::Convert(TSmerKonverze aSmerKonverze, const std::u16string &aSoubor)
{
    std::error_code error;
    const std::filesystem::path path(aSoubor);
    if (!aSoubor.empty() && std::filesystem::exists(path, error)) {
#ifdef _WIN32
        FZdroj.LoadFromFile(path.string());
#else
        FZdroj.LoadFromFile(Tamo::Utf16ToUtf8(aSoubor));
#endif
    } else {
        FZdroj.SetText(FClipboard ? FClipboard->ReadText() : std::u16string());
    }
    FCil.Assign(FZdroj); // the same as re-assigning its text: no line holds a line break
    if (FCil.IsEmpty())
        return skNone;

    // Classification sees the text before the quotes are normalised and the
    // trailing blank lines dropped.
    const TSmerKonverze kind = aSmerKonverze == skAuto ? AnalyzaTextu(std::u16string()) : aSmerKonverze;
    NormalizeQuotes();
    RemoveTrailingBlankLines();
    TStringList kept;
    kept.SetText(FCil.Text());

    switch (kind) {
    case skSQL2Language:
        FFromSQL = true;
        FProgramovaciJazyk = plPascal;
        ConvertSqlToLanguage();
        FCil.Assign(kept);
        FProgramovaciJazyk = plCSharp;
        ConvertSqlToLanguage();
        break;
    case skDelphi2SQL:
        FFromSQL = false;
        FProgramovaciJazyk = plPascal;
        ConvertLanguageToSql();
        break;
    case skCSharp2SQL:
        FFromSQL = false;
        FProgramovaciJazyk = plCSharp;
        ConvertLanguageToSql();
        break;
    case skNone:
    case skAuto:
        break;
    }
    return kind == skAuto ? skNone : kind;
}

TSmerKonverze TSqlManager::AnalyzaTextu(const std::u16string &aText)
{
    if (FRozpoznavatSQL && !ContainsSqlKeywords(aText.empty() ? FCil.Text() : aText))
        return skNone;
    if (!aText.empty())
        FCil.SetText(aText);

    constexpr std::u16string_view plusQuote = u"+ '";
    constexpr std::u16string_view quotePlus = u"' +";
    constexpr std::u16string_view plusDouble = u"+ \"";
    constexpr std::u16string_view doublePlus = u"\" +";
    long long delphi = 0;
    long long csharp = 0;
    for (const auto &line : FCil.Lines()) {
        std::size_t from = 0;
        std::size_t to = line.size();
        while (from < to && Tamo::IsTrimmable(line[from]))
            ++from;
        while (to > from && Tamo::IsTrimmable(line[to - 1]))
            --to;
        if (from == to)
            continue;
        const std::u16string_view t(line.data() + from, to - from);
        delphi +=
            (t.front() == u'\'') + (t.back() == u'\'') + t.starts_with(plusQuote) + t.ends_with(quotePlus);
        csharp +=
            (t.front() == u'"') + (t.back() == u'"') + t.starts_with(plusDouble) + t.ends_with(doublePlus);
    }
    // At least 1: a text without a single quote mark is never taken for code.
    const long long lines = FCil.Count();
    const long long threshold = std::max(1LL, lines * 4 / 5);
    if (delphi >= threshold)
        return skDelphi2SQL;
    if (csharp >= threshold)
        return skCSharp2SQL;
    return skSQL2Language;
}

void TSqlManager::NormalizeQuotes()
{
    // Reading and re-assigning the text changes nothing when no line holds a typographic
    // quote (the lines hold no line break), so the patterns only run when one is there.
    bool any = false;
    for (const auto &line : FCil.Lines()) {
        for (const char16_t c : line) {
            if (c == u'\u2018' || c == u'\u2019' || c == u'\u201C' || c == u'\u201D' || c == u'\r' ||
                c == u'\n') {
                any = true;
                break;
            }
        }
        if (any)
            break;
    }
    if (!any)
        return;
    std::u16string text = FCil.Text();
    text = FSingleQuotes.ReplaceAll(std::move(text), u"'");
    text = FDoubleQuotes.ReplaceAll(std::move(text), u"\"");
    FCil.SetText(text);
}

void TSqlManager::RemoveTrailingBlankLines()
{
    while (FCil.Count() > 0 && Tamo::Trim(FCil[FCil.Count() - 1]).empty())
        FCil.Delete(FCil.Count() - 1);
}

TLineRole TSqlManager::LineRole(int aIndex, int aLastIndex)
{
    if (aIndex == 0)
        return lrFirst;
    if (aIndex == aLastIndex)
        return lrLast;
    return lrMiddle;
}

bool TSqlManager::ContainsSqlKeywords(const std::u16string &aText) const
{
    return FKeywordMatcher.CountHits(aText, 2) >= 2;
}

// ---- SQL to code ----

void TSqlManager::ConvertSqlToLanguage()
{
    // "--" becomes "//" line by line: no match can span a line break, so this is the
    // replacement over the whole text without another copy of it.
    std::u16string text = StashSqlComments(FCil.Text());

    // Assigning the text, converting every line and reading the text back, in one go.
    const int count = countLines(text);
    const int last = count - 1;
    std::u16string converted;
    converted.reserve(text.size() + text.size() / 4 + 16);
    forEachLine(text, [&](const std::u16string &aLine, int aIndex) {
        converted += SqlLineToCode(FDoubleDash.ReplaceAll(aLine, u"//"), LineRole(aIndex, last), count == 1);
        converted += u"\r\n";
    });
    text.clear();
    text.shrink_to_fit();

    FCil.SetText(RestoreCommentsToCode(converted));

    // The final semicolon; a text without lines gets none and stays empty.
    if (FCil.Count() > 0) {
        const int index = FCil.Count() - 1;
        const std::u16string trimmed = Tamo::Trim(FCil[index]);
        if (!endsWith(trimmed, u";"))
            FCil.Put(index, trimmed + u";");
    }

    // The lines hold no line break, so a copy equals assigning their text.
    TStringList &target = FProgramovaciJazyk == plPascal ? FCilDelphi : FCilCSharp;
    target.Assign(FCil);
}

std::u16string TSqlManager::StashSqlComments(const std::u16string &aText)
{
    return QuodraEngine::StashBetweenMarkers(aText, kSqlCommentStart, kSqlCommentEnd, FOdstranitKomentare,
                                             FKomentare);
}

std::u16string TSqlManager::SqlLineToCode(const std::u16string &aLine, TLineRole aRole,
                                          bool aSingleLine) const
{
    // Works on offsets into the line rather than on trimmed copies: this runs once per line.
    const bool pascal = FProgramovaciJazyk == plPascal;
    const std::size_t slashes = aLine.find(u"//");
    const std::size_t codeEnd = slashes == std::u16string::npos ? aLine.size() : slashes;
    std::size_t commentFrom = codeEnd;
    std::size_t commentTo = codeEnd;
    if (slashes != std::u16string::npos && !FOdstranitKomentare) {
        commentTo = aLine.size();
        while (commentTo > commentFrom && Tamo::IsTrimmable(aLine[commentTo - 1]))
            --commentTo; // the comment starts with "/", so only its end needs trimming
    }
    std::size_t codeRight = codeEnd;
    while (codeRight > 0 && Tamo::IsTrimmable(aLine[codeRight - 1]))
        --codeRight;
    const bool hasCode = codeRight > 0;

    std::u16string result;
    result.reserve(aLine.size() + 16);
    if (hasCode) {
        const char16_t quote = pascal ? u'\'' : u'"';
        if (FPridavatPlusNaZacatek && aRole != lrFirst)
            result += u"+ ";
        result += quote;
        for (std::size_t i = 0; i < codeRight; ++i) {
            if (aLine[i] == quote)
                result += pascal ? u'\'' : u'\\';
            result += aLine[i];
        }
        result += u' ';
        result += quote;
        if (!FPridavatPlusNaZacatek && aRole != lrLast && !aSingleLine)
            result += u" +";
        if (commentTo > commentFrom)
            result += u' ';
    } else {
        result.append(aLine, 0, codeEnd);
    }
    result.append(aLine, commentFrom, commentTo - commentFrom);
    return result;
}

std::u16string TSqlManager::RestoreCommentsToCode(const std::u16string &aText) const
{
    const bool pascal = FProgramovaciJazyk == plPascal;
    return QuodraEngine::RestorePlaceholders(
        aText, FKomentare, pascal ? kPascalCommentStart : kCSharpCommentStart,
        pascal ? kPascalCommentEnd : kCSharpCommentEnd, restoreLimit(aText));
}

// ---- code to SQL ----

void TSqlManager::ConvertLanguageToSql()
{
    const std::u16string text = StashCodeComments(FCil.Text());
    std::u16string converted;
    converted.reserve(text.size() + 16);
    forEachLine(text, [&](const std::u16string &aLine, int) {
        converted += CodeLineToSql(aLine);
        converted += u"\r\n";
    });
    FCil.SetText(RestoreCommentsToSql(converted));
    FCilSQL.Assign(FCil);
}

std::u16string TSqlManager::StashCodeComments(const std::u16string &aText)
{
    const bool pascal = FProgramovaciJazyk == plPascal;
    return QuodraEngine::StashBetweenMarkers(aText, pascal ? kPascalCommentStart : kCSharpCommentStart,
                                             pascal ? kPascalCommentEnd : kCSharpCommentEnd,
                                             FOdstranitKomentare, FKomentare);
}

std::u16string TSqlManager::CodeLineToSql(const std::u16string &aLine) const
{
    const bool pascal = FProgramovaciJazyk == plPascal;
    std::u16string line = pascal ? ReplaceAllText(aLine, kPascalEscapedQuote, kPascalQuote)
                                 : ReplaceAllText(aLine, kCSharpEscapedQuote, kCSharpQuote);
    line = (pascal ? FPascalLiteral : FCSharpLiteral).ReplaceAllByGroup(std::move(line), 1);
    if (FOdstranitKomentare)
        line = FLineComment.ReplaceAll(std::move(line), std::u16string());
    else
        line = FDoubleSlash.ReplaceAll(std::move(line), u"--");
    return line;
}

std::u16string TSqlManager::RestoreCommentsToSql(const std::u16string &aText) const
{
    return QuodraEngine::RestorePlaceholders(aText, FKomentare, kSqlCommentStart, kSqlCommentEnd,
                                             restoreLimit(aText));
}
