#pragma once

// The transformation engine: classifies a text as SQL, Delphi or C# string-building
// code, and converts SQL into such code and back. It knows nothing of windows; the
// clipboard reaches it through IClipboardReader.

#include "KeywordMatcher.h"
#include "Pcre16Regex.h"
#include "TStringList.h"

#include <string>

enum TSmerKonverze
{
    skNone,
    skAuto,
    skSQL2Language,
    skDelphi2SQL,
    skCSharp2SQL
};
enum TProgramovaciJazyk
{
    plPascal,
    plCSharp
};
enum TLineRole
{
    lrFirst,
    lrMiddle,
    lrLast
};

/// Where the engine reads the clipboard text from when Convert gets no existing file.
class IClipboardReader
{
public:
    virtual ~IClipboardReader() = default;
    /// The clipboard's current Unicode text; the empty text when it holds none.
    /// Throws when the clipboard cannot be read.
    virtual std::u16string ReadText() = 0;
};

class TSqlManager
{
public:
    /// Loads "SQLkeywords.txt" from the running executable's folder; throws Tamo::EFileError when it cannot.
    TSqlManager();
    /// Loads the keyword list from aKeywordFile; throws Tamo::EFileError when it cannot.
    explicit TSqlManager(const std::string &aKeywordFile);
    virtual ~TSqlManager() = default;

    TSqlManager(const TSqlManager &) = delete;
    TSqlManager &operator=(const TSqlManager &) = delete;

    /// The reader Convert takes the clipboard text from; not owned, may be null (then the clipboard is
    /// empty).
    void SetClipboardReader(IClipboardReader *aReader) { FClipboard = aReader; }

    /// Converts the file aSoubor, or the clipboard text when aSoubor names no existing
    /// file; returns the kind actually performed (never skAuto).
    TSmerKonverze Convert(TSmerKonverze aSmerKonverze, const std::u16string &aSoubor);
    /// Classifies aText (or the working text when aText is empty).
    TSmerKonverze AnalyzaTextu(const std::u16string &aText);

    TStringList &Zdroj() { return FZdroj; }
    TStringList &Cil() { return FCil; }
    TStringList &CilDelphi() { return FCilDelphi; }
    TStringList &CilCSharp() { return FCilCSharp; }
    TStringList &CilSQL() { return FCilSQL; }
    const TStringList &Zdroj() const { return FZdroj; }
    const TStringList &Cil() const { return FCil; }
    const TStringList &CilDelphi() const { return FCilDelphi; }
    const TStringList &CilCSharp() const { return FCilCSharp; }
    const TStringList &CilSQL() const { return FCilSQL; }

    bool FromSQL() const { return FFromSQL; }
    void SetFromSQL(bool aValue) { FFromSQL = aValue; }
    bool OdstranitKomentare() const { return FOdstranitKomentare; }
    void SetOdstranitKomentare(bool aValue) { FOdstranitKomentare = aValue; }
    bool PridavatPlusNaZacatek() const { return FPridavatPlusNaZacatek; }
    void SetPridavatPlusNaZacatek(bool aValue) { FPridavatPlusNaZacatek = aValue; }
    bool RozpoznavatSQL() const { return FRozpoznavatSQL; }
    void SetRozpoznavatSQL(bool aValue) { FRozpoznavatSQL = aValue; }
    TProgramovaciJazyk ProgramovaciJazyk() const { return FProgramovaciJazyk; }
    void SetProgramovaciJazyk(TProgramovaciJazyk aValue) { FProgramovaciJazyk = aValue; }

private:
    // Private operations; the engine's .cpp defines them (further helpers may be added there).
    void NormalizeQuotes();
    void RemoveTrailingBlankLines();
    static TLineRole LineRole(int aIndex, int aLastIndex);
    bool ContainsSqlKeywords(const std::u16string &aText) const;

    void ConvertSqlToLanguage();
    std::u16string StashSqlComments(const std::u16string &aText);
    std::u16string SqlLineToCode(const std::u16string &aLine, TLineRole aRole, bool aSingleLine) const;
    std::u16string RestoreCommentsToCode(const std::u16string &aText) const;

    void ConvertLanguageToSql();
    std::u16string StashCodeComments(const std::u16string &aText);
    std::u16string CodeLineToSql(const std::u16string &aLine) const;
    std::u16string RestoreCommentsToSql(const std::u16string &aText) const;

    TStringList FZdroj;
    TStringList FCil;
    TStringList FKomentare;
    TStringList FSqlKeywords;
    bool FFromSQL = false;
    bool FOdstranitKomentare = false;
    bool FPridavatPlusNaZacatek = false;
    bool FRozpoznavatSQL = false;
    TProgramovaciJazyk FProgramovaciJazyk = plPascal;
    TStringList FCilDelphi;
    TStringList FCilCSharp;
    TStringList FCilSQL;

    IClipboardReader *FClipboard = nullptr;

    // Compiled once per engine; every conversion reuses them.
    void LoadKeywords(const std::string &aKeywordFile);
    QuodraEngine::KeywordMatcher FKeywordMatcher;
    Pcre16Regex FSingleQuotes{u"[\u2018\u2019]"};
    Pcre16Regex FDoubleQuotes{u"[\u201C\u201D]"};
    Pcre16Regex FDoubleDash{u"--"};
    Pcre16Regex FPascalLiteral{u"\\+? ?'(.{0,})' ?\\+?"};
    Pcre16Regex FCSharpLiteral{u"\\+? ?\"(.{0,})\" ?\\+?"};
    Pcre16Regex FLineComment{u"\\/\\/.{0,}"};
    Pcre16Regex FDoubleSlash{u"//"};
};
