#pragma once

// What the main window asks of the update object, so that tests can put a stand-in
// in its place; the real one forwards to TAppUpdate.

#include <QString>

#include <functional>
#include <memory>

class QObject;
class TAppUpdate;

class IAppUpdate
{
public:
    virtual ~IAppUpdate() = default;
    /// The interactive check.
    virtual void Aktualizace() = 0;
    /// Days since a newer release appeared on the web, or -1.
    virtual int PocetDniOdNoveVerze() = 0;
    /// Starts the background check that posts WM_UPDATEOFFER to the main window.
    virtual void AktualizaceParalel(bool aNormalne) = 0;
    virtual void StahnoutASpustitAktualizaci(bool aVcetneDotazu, bool aVynutit) = 0;
};

/// The real update object behind the interface.
class TAppUpdateLink : public IAppUpdate
{
public:
    /// Creates TAppUpdate(aAppName, aHttpIniPath, empty DLL path) notifying aMainForm.
    TAppUpdateLink(const QString &aAppName, const QString &aHttpIniPath, QObject *aMainForm);
    ~TAppUpdateLink() override;

    void Aktualizace() override;
    int PocetDniOdNoveVerze() override;
    void AktualizaceParalel(bool aNormalne) override;
    void StahnoutASpustitAktualizaci(bool aVcetneDotazu, bool aVynutit) override;

private:
    std::unique_ptr<TAppUpdate> FUpdate;
};

/// Creates the update object for the main window; the default makes a TAppUpdateLink.
using AppUpdateFactory =
    std::function<std::unique_ptr<IAppUpdate>(const QString &aAppName, QObject *aMainForm)>;
AppUpdateFactory DefaultAppUpdateFactory();
