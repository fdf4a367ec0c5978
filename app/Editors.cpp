#include "Editors.h"

#include <Qsci/qscilexercsharp.h>
#include <Qsci/qscilexerpascal.h>
#include <Qsci/qscilexersql.h>
#include <Qsci/qsciscintilla.h>

#include <QColor>
#include <QFontDatabase>

namespace {

const QColor clGreen(0, 128, 0);
const QColor clMaroon(128, 0, 0);
const QColor clNavy(0, 0, 128);
const QColor clBlue(0, 0, 255);
const QColor clNumber(128, 0, 255);

// SQL with the Microsoft SQL Server built-in functions in their own keyword set, so
// that they can take their own colour.
class SqlLexer : public QsciLexerSQL
{
public:
    using QsciLexerSQL::QsciLexerSQL;
    const char *keywords(int aSet) const override
    {
        if (aSet == 5)
            return "abs ascii avg cast ceiling char charindex coalesce convert count current_timestamp "
                   "dateadd datediff datename datepart day floor getdate getutcdate isnull isnumeric "
                   "left len lower ltrim max min month newid nullif patindex power replace replicate "
                   "reverse right round rtrim sign space sqrt str stuff substring sum upper year";
        return QsciLexerSQL::keywords(aSet);
    }
};

bool HasFamily(const QString &aFamily)
{
    return QFontDatabase::families().contains(aFamily, Qt::CaseInsensitive);
}

// Settings all three editors share: read-only, no right margin, no folding, a
// line-number gutter in a small fixed font.
void SetupEditor(QsciScintilla *aEditor, QsciLexer *aLexer, const QFont &aFont)
{
    aLexer->setDefaultFont(aFont);
    aLexer->setFont(aFont, -1);
    aEditor->setLexer(aLexer);
    aEditor->setReadOnly(true);
    aEditor->setEdgeMode(QsciScintilla::EdgeNone);
    aEditor->setFolding(QsciScintilla::NoFoldStyle);
    aEditor->setUtf8(true);
    aEditor->setEolMode(QsciScintilla::EolWindows);
    aEditor->setWrapMode(QsciScintilla::WrapNone);
    aEditor->setMarginType(0, QsciScintilla::NumberMargin);
    aEditor->setMarginsFont(FixedFontOr(QStringLiteral("Courier New"), 8));
    aEditor->setMarginWidth(0, QStringLiteral("00000"));
    aEditor->setMarginLineNumbers(0, true);
    aEditor->setCaretLineVisible(false);
    aEditor->setFrameShape(QFrame::NoFrame);
}

} // namespace

QFont FixedFontOr(const QString &aFamily, int aPointSize)
{
    QFont font = HasFamily(aFamily) ? QFont(aFamily) : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(aPointSize);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont UiFontOr(const QString &aFamily, int aPointSize)
{
    QFont font = HasFamily(aFamily) ? QFont(aFamily) : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(aPointSize);
    return font;
}

QsciScintilla *CreateSqlEditor(QWidget *aParent)
{
    auto *editor = new QsciScintilla(aParent);
    editor->setObjectName(QStringLiteral("EditorSQL"));
    auto *lexer = new SqlLexer(editor);
    SetupEditor(editor, lexer, FixedFontOr(QStringLiteral("Consolas"), 11));
    for (int style : {QsciLexerSQL::Comment, QsciLexerSQL::CommentLine, QsciLexerSQL::CommentDoc,
                      QsciLexerSQL::CommentLineHash, QsciLexerSQL::CommentDocKeyword})
        lexer->setColor(clGreen, style);
    lexer->setColor(clNavy, QsciLexerSQL::Keyword);
    lexer->setColor(clMaroon, QsciLexerSQL::KeywordSet5);
    lexer->setColor(clNumber, QsciLexerSQL::Number);
    lexer->setColor(clBlue, QsciLexerSQL::SingleQuotedString);
    lexer->setColor(clBlue, QsciLexerSQL::DoubleQuotedString);
    return editor;
}

QsciScintilla *CreateDelphiEditor(QWidget *aParent)
{
    auto *editor = new QsciScintilla(aParent);
    editor->setObjectName(QStringLiteral("EditorDelphi"));
    auto *lexer = new QsciLexerPascal(editor);
    SetupEditor(editor, lexer, FixedFontOr(QStringLiteral("Courier New"), 10));
    for (int style :
         {QsciLexerPascal::Comment, QsciLexerPascal::CommentParenthesis, QsciLexerPascal::CommentLine})
        lexer->setColor(clGreen, style);
    lexer->setColor(clBlue, QsciLexerPascal::SingleQuotedString);
    lexer->setColor(clBlue, QsciLexerPascal::UnclosedString);
    return editor;
}

QsciScintilla *CreateCSharpEditor(QWidget *aParent)
{
    auto *editor = new QsciScintilla(aParent);
    editor->setObjectName(QStringLiteral("EditorCSharp"));
    auto *lexer = new QsciLexerCSharp(editor);
    SetupEditor(editor, lexer, FixedFontOr(QStringLiteral("Courier New"), 10));
    for (int style : {QsciLexerCPP::Comment, QsciLexerCPP::CommentLine, QsciLexerCPP::CommentDoc,
                      QsciLexerCPP::CommentLineDoc, QsciLexerCPP::CommentDocKeyword})
        lexer->setColor(clGreen, style);
    for (int style : {QsciLexerCPP::DoubleQuotedString, QsciLexerCPP::SingleQuotedString,
                      QsciLexerCPP::VerbatimString, QsciLexerCPP::UnclosedString})
        lexer->setColor(clMaroon, style);
    return editor;
}
