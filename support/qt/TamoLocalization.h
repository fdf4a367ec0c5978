#pragma once

// Switches the toolkit's own texts (standard dialogs, context menus, editor
// component) to a language by loading Qt's and QScintilla's translations.

#include <QString>

namespace Tamo {

/// Loads qtbase_<lang>.qm and qscintilla_<lang>.qm from Qt's translations folder and
/// installs them in the application; true when qtbase was found. Idempotent.
bool ActivateLocalizer(const QString &aLanguage = QStringLiteral("cs"));

} // namespace Tamo
