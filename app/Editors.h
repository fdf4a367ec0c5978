#pragma once

// The three read-only result editors with their highlighting, colours and fonts.

#include <QFont>

class QsciScintilla;
class QWidget;

/// A font of the family at aPointSize, or the platform's fixed-pitch font when the
/// family is not installed.
QFont FixedFontOr(const QString &aFamily, int aPointSize);
/// A font of the family at aPointSize, or the platform's general UI font.
QFont UiFontOr(const QString &aFamily, int aPointSize);

QsciScintilla *CreateSqlEditor(QWidget *aParent);
QsciScintilla *CreateDelphiEditor(QWidget *aParent);
QsciScintilla *CreateCSharpEditor(QWidget *aParent);
