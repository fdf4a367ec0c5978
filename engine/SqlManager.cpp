#include "SqlManager.h"

#include "CommentStash.h"
#include "TamoUtils.h"

#include <filesystem>
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

bool startsWith(const std::u16string &aText, const std::u16string &aStart)
{
    return aText.size() >= aStart.size() && aText.compare(0, aStart.size(), aStart) == 0;
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
    FCil.SetText(FZdroj.Text());
    if (FCil.IsEmpty())
        return skNone;

    // Classification sees the text before the quotes are normalised and the
    // trailing blank lines dropped.
    const TSmerKonverze kind = aSmerKonverze == skAuto ? AnalyzaTextu(std::u16string()) : aSmerKonverze;
    NormalizeQuotes();
    RemoveTrailingBlankLines();
    const std::u16string kept = FCil.Text();

    switch (kind) {
    case skSQL2Language:
        FFromSQL = true;
        FProgramovaciJazyk = plPascal;
        ConvertSqlToLanguage();
        FCil.SetText(kept);
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

    const std::u16string plusQuote = u"+ '";
    const std::u16string quotePlus = u"' +";
    const std::u16string plusDouble = u"+ \"";
    const std::u16string doublePlus = u"\" +";
    long long delphi = 0;
    long long csharp = 0;
    for (const auto &line : FCil.Lines()) {
        const std::u16string t = Tamo::Trim(line);
        if (t.empty())
            continue;
        delphi +=
            (t.front() == u'\'') + (t.back() == u'\'') + startsWith(t, plusQuote) + endsWith(t, quotePlus);
        csharp +=
            (t.front() == u'"') + (t.back() == u'"') + startsWith(t, plusDouble) + endsWith(t, doublePlus);
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
    std::u16string text = FCil.Text();
    text = FSingleQuotes.ReplaceAll(text, u"'");
    text = FDoubleQuotes.ReplaceAll(text, u"\"");
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
    std::u16string text = StashSqlComments(FCil.Text());
    text = FDoubleDash.ReplaceAll(text, u"//");
    FCil.SetText(text);

    const int last = FCil.Count() - 1;
    const bool single = FCil.Count() == 1;
    for (int i = 0; i <= last; ++i)
        FCil.Put(i, SqlLineToCode(FCil[i], LineRole(i, last), single));

    FCil.SetText(RestoreCommentsToCode(FCil.Text()));

    // The final semicolon; a text without lines gets none and stays empty.
    if (FCil.Count() > 0) {
        const int index = FCil.Count() - 1;
        const std::u16string trimmed = Tamo::Trim(FCil[index]);
        if (!endsWith(trimmed, u";"))
            FCil.Put(index, trimmed + u";");
    }

    TStringList &target = FProgramovaciJazyk == plPascal ? FCilDelphi : FCilCSharp;
    target.SetText(FCil.Text());
}

std::u16string TSqlManager::StashSqlComments(const std::u16string &aText)
{
    return QuodraEngine::StashBetweenMarkers(aText, kSqlCommentStart, kSqlCommentEnd, FOdstranitKomentare,
                                             FKomentare);
}

std::u16string TSqlManager::SqlLineToCode(const std::u16string &aLine, TLineRole aRole,
                                          bool aSingleLine) const
{
    const bool pascal = FProgramovaciJazyk == plPascal;
    std::u16string code;
    std::u16string comment;
    const std::size_t slashes = aLine.find(u"//");
    if (slashes != std::u16string::npos) {
        code = aLine.substr(0, slashes);
        if (!FOdstranitKomentare)
            comment = Tamo::Trim(aLine.substr(slashes));
    } else {
        code = aLine;
    }

    const bool hasCode = !Tamo::Trim(code).empty();
    if (hasCode) {
        const std::u16string &quote = pascal ? kPascalQuote : kCSharpQuote;
        const std::u16string escaped =
            ReplaceAllText(code, quote, pascal ? kPascalEscapedQuote : kCSharpEscapedQuote);
        code = quote + Tamo::TrimRight(escaped) + u" " + quote;
        if (FPridavatPlusNaZacatek) {
            if (aRole != lrFirst)
                code = u"+ " + code;
        } else if (aRole != lrLast && !aSingleLine) {
            code += u" +";
        }
    }
    if (!comment.empty() && hasCode)
        code += u" ";
    return code + comment;
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
    FCil.SetText(StashCodeComments(FCil.Text()));
    for (int i = 0; i < FCil.Count(); ++i)
        FCil.Put(i, CodeLineToSql(FCil[i]));
    FCil.SetText(RestoreCommentsToSql(FCil.Text()));
    FCilSQL.SetText(FCil.Text());
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
    line = (pascal ? FPascalLiteral : FCSharpLiteral).ReplaceAllByGroup(line, 1);
    if (FOdstranitKomentare)
        line = FLineComment.ReplaceAll(line, std::u16string());
    else
        line = FDoubleSlash.ReplaceAll(line, u"--");
    return line;
}

std::u16string TSqlManager::RestoreCommentsToSql(const std::u16string &aText) const
{
    return QuodraEngine::RestorePlaceholders(aText, FKomentare, kSqlCommentStart, kSqlCommentEnd,
                                             restoreLimit(aText));
}
