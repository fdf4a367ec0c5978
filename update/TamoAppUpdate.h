#pragma once

// The application update: fetches the version descriptor, compares versions, asks
// the user, downloads the archive, unpacks it into a private temporary folder and
// starts the installer; a background check notifies the main window by an event.

#include <QDate>
#include <QEvent>
#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QObject;

/// Posted by the main window to itself once it has been shown: start the background check.
constexpr QEvent::Type WM_UPDATECHECK = static_cast<QEvent::Type>(4025);
/// Posted by the background check to the main window: a newer release is on offer.
/// The event is an UpdateOfferEvent carrying WParam.
constexpr QEvent::Type WM_UPDATEOFFER = static_cast<QEvent::Type>(4026);

class UpdateOfferEvent : public QEvent
{
public:
    explicit UpdateOfferEvent(int aWParam) : QEvent(WM_UPDATEOFFER), WParam(aWParam) {}
    const int WParam;
};

class TAppUpdate
{
public:
    /// Prepares and empties the private temporary folder; does not touch the network.
    TAppUpdate(const QString &aAppName, const QString &aHttpIniPath, const QString &aDllPath);
    /// Aborts running downloads, waits for a running background check, removes the folder.
    virtual ~TAppUpdate();

    TAppUpdate(const TAppUpdate &) = delete;
    TAppUpdate &operator=(const TAppUpdate &) = delete;

    /// The interactive check (GUI thread): fetch, compare, tell or ask, install.
    void Aktualizace();
    /// Days since a newer non-beta release appeared on the web, or -1.
    int PocetDniOdNoveVerze();
    /// Starts the background check and returns at once.
    void AktualizaceParalel(bool aNormalne);
    /// Asks (or informs, or nothing), then downloads, unpacks and starts the installer.
    void StahnoutASpustitAktualizaci(bool aVcetneDotazu, bool aVynutit);

    QString ExterniVerze() const;
    QString InterniVerze() const;

    /// The window the background check notifies; not owned. Set it on the GUI thread.
    QPointer<QObject> FMainForm;
    /// URL tested before the descriptor is fetched; empty means no test.
    QString FKontrolniWeb;

    /// Today's local date; tests replace it.
    std::function<QDate()> Today = [] {
        return QDate::currentDate();
    };

protected:
    // The steps of the check and the installation; protected so that tests can reach them.

    /// Downloads and reads the descriptor; true when the download succeeded.
    bool NacistVerziZWebu();
    /// CompareVersions of the installed and the web version (0 web newer ... 4 error).
    unsigned PorovnatVerze() const;
    /// Downloads the archive under the wait window; its path, or "" when it failed.
    QString StahnoutInstalaci();
    /// Tests and unpacks the archive and starts its first entry with "/silent".
    void RozbalitASpustit();
    /// The body of the background check; aFallback is notified when there is no main window.
    bool ZkontrolovatNaPozadi(bool aNormalne, bool aBezOznameni, const QPointer<QObject> &aFallback);

    /// Replaces the installed version fixed at creation (tests; call before any check).
    void SetInterniVerze(const QString &aVersion);
    /// The private temporary folder, ending with a separator.
    QString TempFolderPath() const { return FTemp; }

private:
    QString FTemp;
    QString FHttpIniPath;
    QString FTempIniFileName;
    QString FExternalVersion;
    QString FHttpExternalFile;
    QString FExternalDateStr;
    QString FTempExternalFile;
    QString FInternalVersion;

    // Serialises the fetches of this object and guards the descriptor fields, which
    // the background check writes while the GUI thread may read them.
    mutable std::recursive_mutex FLock;

    struct BackgroundTask
    {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    std::vector<BackgroundTask> FTasks; // touched on the GUI thread only
    std::atomic<bool> FDestroying{false};

    void joinFinishedTasks();
};

/// The descriptor URL: the environment variable QUODRA_UPDATE_URL when set, otherwise
/// the compiled-in configuration value.
QString UpdateDescriptorUrl();
