#include "TamoLocalization.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace Tamo {

namespace {

// Qt's translations folder first, then the folders where distributions put the
// editor component's translations.
QStringList TranslationFolders()
{
    QStringList folders = {QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
#ifndef _WIN32
    for (const QString &folder :
         {QStringLiteral("/usr/share/qt6/translations"), QStringLiteral("/usr/local/share/qt6/translations")})
        if (!folders.contains(folder))
            folders << folder;
#endif
    folders << QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
    return folders;
}

// Loads <name>_<language>.qm from the first folder that has it and installs it,
// once per name and language for the life of the application.
bool InstallTranslation(const QString &aName, const QString &aLanguage)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    const QString objectName = QStringLiteral("TamoLocalizer_") + aName + QLatin1Char('_') + aLanguage;
    if (app->findChild<QTranslator *>(objectName, Qt::FindDirectChildrenOnly))
        return true;
    auto *translator = new QTranslator(app);
    translator->setObjectName(objectName);
    for (const QString &folder : TranslationFolders()) {
        if (translator->load(aName + QLatin1Char('_') + aLanguage, folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

} // namespace

bool ActivateLocalizer(const QString &aLanguage)
{
    const bool qtbase = InstallTranslation(QStringLiteral("qtbase"), aLanguage);
    InstallTranslation(QStringLiteral("qscintilla"), aLanguage); // optional: the editor's own menus
    return qtbase;
}

} // namespace Tamo
