#pragma once

// The main window: settings stores, the engine and the update object, the clipboard
// watcher, the commands and options on the ribbon, the editors and the status bar.

#include "AppUpdateLink.h"
#include "SqlManager.h"

#include <QMainWindow>

#include <exception>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QTabWidget;
class QTimer;
class QToolButton;
class QsciScintilla;
class IClipboardSource;
class EngineClipboardReader;
class TAboutForm;
class TInfoLabel;
class TRibbon;

namespace Tamo {
class CxSplitter;
class SettingsStore;
} // namespace Tamo

/// The registry key (on Linux: the settings file) of the program, below the current user.
extern const QString RegistryKeyPath;
/// The window's and the application's title.
extern const QString MainFormCaption;

/// What the window takes from outside; every empty member gets the real thing.
struct TMainFormSetup
{
    /// Opens RegistrySettings on the key path; default: the native store.
    std::function<std::unique_ptr<Tamo::SettingsStore>(const QString &aKeyPath)> OpenRegistry;
    /// The clipboard; not owned. Default: the system clipboard.
    IClipboardSource *Clipboard = nullptr;
    /// Pauses between clipboard read attempts; default: sleeps the GUI thread.
    std::function<void(int aMilliseconds)> Sleep;
    /// Creates AppUpdate; default: the real update object on the descriptor URL.
    AppUpdateFactory CreateAppUpdate;
    /// The folder of SQLkeywords.txt, the ini file and Historie.rtf, ending with a
    /// separator; default: the executable's folder.
    QString AppFolder;
    /// The executable's path the names derive from; default: the running executable.
    QString ExePath;
};

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(TMainFormSetup aSetup = {}, QWidget *aParent = nullptr);
    ~TMainForm() override;

    /// The About dialog the program block created; without one a dialog is made on demand.
    void SetAboutForm(TAboutForm *aAboutForm) { FAboutForm = aAboutForm; }
    TAboutForm *AboutForm();

    Tamo::SettingsStore *RegistrySettings() const { return FRegistrySettings.get(); }
    Tamo::SettingsStore *IniSettings() const { return FIniSettings.get(); }
    TSqlManager *SqlEngine() const { return FSqlEngine.get(); }
    IAppUpdate *AppUpdate() const { return FAppUpdate.get(); }
    TRibbon *MainRibbon() const { return FRibbon; }
    QTimer *Timer1() const { return FTimer1; }

    /// The clipboard changed (the handler of the clipboard notification).
    void ClipboardChanged();
    /// Shows a conversion result in the editors.
    void ShowResult(TSmerKonverze aKind);
    /// The timer's tick: the first switches to the 12-hour period, later ones install
    /// a release that has been on the web for more than 7 days.
    void Timer1Timer();

    void actChytraKonverzeExecute();
    void actTransformaceSQL2DelphiCSharpExecute();
    void actTransformaceDelphi2SQLExecute();
    void actTransformaceCSharp2SQLExecute();
    void actNastaveniAutomatickaTransformaceExecute();
    void actNastaveniRozpoznavatSQLExecute();
    void actNastaveniOdstranovatKomentareExecute();
    void actNastaveniPlusNaZacatekExecute();
    void actNastaveniZalamovatRadkyExecute();
    void actNastaveniVzdyNahoreExecute();
    void actPodporaNaWebuExecute();
    void actFacebookExecute();
    void actPodporaVyvojeExecute();
    void actAktualizaceAplikaceExecute();
    void actHistorieZmenExecute();
    void actOAplikaciExecute();
    void actUkoncitAplikaciExecute();
    void StatusBarPanels0DblClick();

    /// True when the window is kept above other windows.
    bool IsStayOnTop() const;

    QAction *actChytraKonverze = nullptr;
    QAction *actTransformaceSQL2DelphiCSharp = nullptr;
    QAction *actTransformaceDelphi2SQL = nullptr;
    QAction *actTransformaceCSharp2SQL = nullptr;
    QAction *actNastaveniAutomatickaTransformace = nullptr;
    QAction *actNastaveniRozpoznavatSQL = nullptr;
    QAction *actNastaveniOdstranovatKomentare = nullptr;
    QAction *actNastaveniPlusNaZacatek = nullptr;
    QAction *actNastaveniZalamovatRadky = nullptr;
    QAction *actNastaveniVzdyNahore = nullptr;
    QAction *actPodporaNaWebu = nullptr;
    QAction *actFacebook = nullptr;
    QAction *actPodporaVyvoje = nullptr;
    QAction *actAktualizaceAplikace = nullptr;
    QAction *actHistorieZmen = nullptr;
    QAction *actOAplikaci = nullptr;
    QAction *actUkoncitAplikaci = nullptr;

    QToolButton *BarSubItemTransformace = nullptr;
    TInfoLabel *LabInfo = nullptr;
    QsciScintilla *EditorSQL = nullptr;
    QsciScintilla *EditorDelphi = nullptr;
    QsciScintilla *EditorCSharp = nullptr;
    QTabWidget *LanguagePageControl = nullptr;
    Tamo::CxSplitter *SplitterBottom = nullptr;
    QLabel *StatusBarPanel0 = nullptr;

protected:
    bool event(QEvent *aEvent) override;
    void showEvent(QShowEvent *aEvent) override;
    bool eventFilter(QObject *aWatched, QEvent *aEvent) override;

private:
    void BuildActions();
    void BuildLayout();
    void BuildRibbon();
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void ShowVersionInfo();
    void ApplyOptions();
    void LoadOptionStates();
    void SaveOptionStates();
    /// Disables what needs the engine, for a run without one.
    void DisableEngineCommands();
    void SetTransformCommandsEnabled(bool aEnabled);
    void SetStayOnTop(bool aOnTop);
    QAction *MakeAction(const char *aName, const QString &aCaption, const QString &aHint,
                        const QString &aIcon);

    TMainFormSetup FSetup;
    std::unique_ptr<IClipboardSource> FOwnClipboard;
    IClipboardSource *FClipboard = nullptr;
    std::unique_ptr<EngineClipboardReader> FEngineReader;

    std::unique_ptr<Tamo::SettingsStore> FRegistrySettings;
    std::unique_ptr<Tamo::SettingsStore> FIniSettings;
    std::unique_ptr<IAppUpdate> FAppUpdate;
    std::unique_ptr<TSqlManager> FSqlEngine;
    bool FPropertiesStoreActive = false;

    TRibbon *FRibbon = nullptr;
    QTimer *FTimer1 = nullptr;
    TAboutForm *FAboutForm = nullptr;
    std::unique_ptr<TAboutForm> FOwnAboutForm;
    bool FShown = false;
};
