#include "TamoAppUpdate.h"

#include "QuodraConfig.h"
#include "TamoDownload.h"
#include "TamoIniValues.h"
#include "TamoMessages.h"
#include "TamoSystem.h"
#include "TamoUtils.h"
#include "TamoWaitWindow.h"
#include "TamoZip.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMainWindow>
#include <QMetaObject>
#include <QWidget>

#include <chrono>
#include <cmath>

namespace {

const QString DateFormat = QStringLiteral("yyyy/mm/dd");
constexpr QChar DateSeparator = QLatin1Char('-');
constexpr int ShowNormal = 5;

// The application's main window: the first top-level QMainWindow. GUI thread only.
QWidget *applicationMainWindow()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets)
        if (qobject_cast<QMainWindow *>(widget))
            return widget;
    return nullptr;
}

// The hourglass for the lifetime of the guard, whichever way the scope is left.
class WaitCursor
{
public:
    WaitCursor() : mActive(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (mActive)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (mActive)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool mActive;
};

double todayValue(const QDate &aToday)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(aToday));
}

bool isBeta(const QString &aVersion)
{
    return Tamo::IsBetaVersion(aVersion.toStdU16String());
}

// From any thread: the GUI thread posts the offer to the main window, or to the
// fallback while it still exists. The worker itself never touches a widget.
void postOffer(const QPointer<QObject> &aFallback, int aWParam)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(
        app,
        [aFallback, aWParam] {
            QObject *target = applicationMainWindow();
            if (!target)
                target = aFallback.data();
            if (target)
                QCoreApplication::postEvent(target, new UpdateOfferEvent(aWParam));
        },
        Qt::QueuedConnection);
}

} // namespace

QString UpdateDescriptorUrl()
{
    const QString fromEnvironment = qEnvironmentVariable("QUODRA_UPDATE_URL");
    return fromEnvironment.isEmpty() ? QStringLiteral(QUODRA_UPDATE_URL) : fromEnvironment;
}

TAppUpdate::TAppUpdate(const QString &aAppName, const QString &aHttpIniPath, const QString &aDllPath)
{
    const QChar sep = QDir::separator();
    FTemp = Tamo::TempFolder(true) + QStringLiteral("VORBIX software") + sep + QStringLiteral("AppUpdate") +
            sep + aAppName + sep;
    QDir().mkpath(FTemp);
    Tamo::DeleteFolderContents(FTemp, true);
    FHttpIniPath = aHttpIniPath;
    FInternalVersion = Tamo::FileVersionText(aDllPath, false);
}

TAppUpdate::~TAppUpdate()
{
    FDestroying = true;
    // A background check may clear the flag as its fetch begins, so it is raised
    // again until every task has ended.
    for (;;) {
        Tamo::AbortDownload = true;
        bool running = false;
        for (const BackgroundTask &task : FTasks)
            running = running || !task.finished->load();
        if (!running)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (BackgroundTask &task : FTasks)
        task.thread.join();
    Tamo::DeleteFolderContents(FTemp, true);
    QDir().rmdir(FTemp);
}

void TAppUpdate::SetInterniVerze(const QString &aVersion)
{
    std::lock_guard lock(FLock);
    FInternalVersion = aVersion;
}

QString TAppUpdate::ExterniVerze() const
{
    std::lock_guard lock(FLock);
    return FExternalVersion;
}

QString TAppUpdate::InterniVerze() const
{
    std::lock_guard lock(FLock);
    return FInternalVersion;
}

bool TAppUpdate::NacistVerziZWebu()
{
    std::lock_guard lock(FLock);
    FTempIniFileName = FTemp + QStringLiteral("WebAppUdate.ini");
    bool downloaded = false;
    if (!FDestroying) {
        Tamo::AbortDownload = false;
        downloaded = Tamo::DownloadFile(FHttpIniPath, FTempIniFileName, FKontrolniWeb);
    }
    if (!downloaded) {
        FExternalVersion.clear();
        FHttpExternalFile.clear();
        return false;
    }
    const Tamo::TIniReader ini(FTempIniFileName);
    const QString section = QStringLiteral("Settings");
    FExternalVersion = ini.ReadString(section, QStringLiteral("ExternalVersion"), QString());
    FHttpExternalFile = ini.ReadString(section, QStringLiteral("HttpExternalFile"), QString());
    FExternalDateStr = ini.ReadString(section, QStringLiteral("Datum"), QString());
    return true;
}

unsigned TAppUpdate::PorovnatVerze() const
{
    std::lock_guard lock(FLock);
    return Tamo::CompareVersions(FInternalVersion.toStdU16String(), FExternalVersion.toStdU16String());
}

int TAppUpdate::PocetDniOdNoveVerze()
{
    std::lock_guard lock(FLock);
    if (!NacistVerziZWebu() || PorovnatVerze() != 0 || isBeta(FExternalVersion))
        return -1;
    const double released = Tamo::StrToDateFormat(DateFormat, DateSeparator, FExternalDateStr);
    if (released == 0)
        return -1;
    return static_cast<int>(todayValue(Today()) - std::trunc(released));
}

void TAppUpdate::Aktualizace()
{
    const WaitCursor hourglass;
    if (!NacistVerziZWebu()) {
        Tamo::ShowWarning(QStringLiteral("Nepodařilo se zjistit, zda je na webu nová verze."));
        return;
    }
    switch (PorovnatVerze()) {
    case 0:
        StahnoutASpustitAktualizaci(true, false);
        break;
    case 1:
        if (Tamo::AskConfirmationFmt(
                QStringLiteral("Gratulujeme, používáte aktuální verzi (%s)!\r\rChcete přesto "
                               "stáhnout aktuální verzi a znovu nainstalovat?"),
                {InterniVerze()}, Tamo::mbNo))
            StahnoutASpustitAktualizaci(false, false);
        break;
    case 2:
        Tamo::ShowWarningFmt(QStringLiteral("Na webu je starší verze (%s), než používáte (%s)!"),
                             {ExterniVerze(), InterniVerze()});
        break;
    case 3:
        break;
    default:
        Tamo::ShowError(QStringLiteral("Při porovnávání verzí došlo k chybě!"));
        break;
    }
}

void TAppUpdate::StahnoutASpustitAktualizaci(bool aVcetneDotazu, bool aVynutit)
{
    bool proceed = true;
    if (aVcetneDotazu) {
        if (QWidget *window = applicationMainWindow()) {
            window->raise();
            window->activateWindow();
        }
        QString version, dateText;
        {
            std::lock_guard lock(FLock);
            version = FExternalVersion;
            dateText = FExternalDateStr;
        }
        if (isBeta(version)) {
            proceed = Tamo::AskWarningFmt(
                QStringLiteral("Na webu je novější BETA verze %s, která může obsahovat chyby nebo být "
                               "nestabilní.\r\n\r\nOpravdu ji chcete nyní stáhnout a nainstalovat?"),
                {version}, Tamo::mbNo);
        } else {
            const double d = Tamo::StrToDateFormat(DateFormat, DateSeparator, dateText);
            const bool released = d != 0 && todayValue(Today()) - d > 1;
            if (aVynutit && released) {
                Tamo::ShowInfoFmt(
                    QStringLiteral("Na webu je novější verze %s, která bude nyní nainstalována."), {version});
                proceed = true;
            } else {
                proceed = Tamo::AskConfirmationFmt(
                    QStringLiteral("Na webu je novější verze %s. Chcete ji nyní stáhnout a nainstalovat?"),
                    {version}, Tamo::mbYes);
            }
        }
    }
    if (proceed && !StahnoutInstalaci().isEmpty())
        RozbalitASpustit();
}

QString TAppUpdate::StahnoutInstalaci()
{
    std::unique_ptr<Tamo::TWaitWindow> waitWindow;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        waitWindow = std::make_unique<Tamo::TWaitWindow>();
        waitWindow->ShowAndPaint();
    }
    QString url;
    {
        std::lock_guard lock(FLock);
        url = FHttpExternalFile;
    }
    FTempExternalFile = FTemp + QStringLiteral("WebAppUdate.zip");
    return Tamo::DownloadFile(url, FTempExternalFile, QString()) ? FTempExternalFile : QString();
}

void TAppUpdate::RozbalitASpustit()
{
    Tamo::TZipFile zip;
    if (!Tamo::TZipFile::IsValid(FTempExternalFile))
        return;
    zip.Open(FTempExternalFile);
    const QStringList names = zip.FileNames();
    // An entry that would land outside the folder makes the whole archive unusable;
    // one without entries has nothing to start. Both end quietly like a non-archive.
    if (names.isEmpty() || !zip.HasSafePaths())
        return;
    zip.ExtractAll(FTemp);
    zip.Close();
    const QString installer = QDir::toNativeSeparators(FTemp + names.first());
    Tamo::ShellOpen(installer, QStringLiteral("/silent"), ShowNormal);
}

bool TAppUpdate::ZkontrolovatNaPozadi(bool aNormalne, bool aBezOznameni, const QPointer<QObject> &aFallback)
{
    bool result = false;
    try {
        std::lock_guard lock(FLock);
        if (!NacistVerziZWebu() || PorovnatVerze() != 0)
            return result;
        const int wParam = aNormalne ? 0 : 999;
        result = true;
        if (!aBezOznameni && !isBeta(FExternalVersion))
            postOffer(aFallback, wParam);
    } catch (...) {
        // The background check stays silent whatever goes wrong.
    }
    return result;
}

void TAppUpdate::joinFinishedTasks()
{
    for (auto it = FTasks.begin(); it != FTasks.end();) {
        if (it->finished->load()) {
            it->thread.join();
            it = FTasks.erase(it);
        } else {
            ++it;
        }
    }
}

void TAppUpdate::AktualizaceParalel(bool aNormalne)
{
    joinFinishedTasks();
    const QPointer<QObject> fallback = FMainForm;
    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, aNormalne, fallback, finished] {
        ZkontrolovatNaPozadi(aNormalne, false, fallback);
        *finished = true;
    });
    FTasks.push_back({std::move(thread), std::move(finished)});
}
