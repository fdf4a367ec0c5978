#include "Main.h"

#include "About.h"
#include "ClipboardSource.h"
#include "Editors.h"
#include "InfoLabel.h"
#include "QuodraConfig.h"
#include "Ribbon.h"
#include "TamoAppUpdate.h"
#include "TamoCxUtils.h"
#include "TamoException.h"
#include "TamoLocalization.h"
#include "TamoMessages.h"
#include "TamoPlacement.h"
#include "TamoSettings.h"
#include "TamoSystem.h"
#include "TamoUtils.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

// The icons live in this static library; its resources must be registered by hand.
static void InitAppResources()
{
    Q_INIT_RESOURCE(Quodra);
}

const QString RegistryKeyPath = QStringLiteral("Software\\VORBIX software\\VORBIX Quodra 2020");
const QString MainFormCaption = QStringLiteral("VORBIX Quodra 2020");

namespace {

const QString OptionsSection = QStringLiteral("MainForm");
constexpr int ClipboardAttempts = 6;
constexpr int ClipboardPauseMs = 500;
constexpr int FirstTimerInterval = 10000;
constexpr int LongTimerInterval = 43200000;
constexpr int ShowNormal = 5;

#ifdef _WIN32
const QString EditorLineBreak = QStringLiteral("\r\n");
#else
const QString EditorLineBreak = QStringLiteral("\n");
#endif

const QString TextNone =
    QStringLiteral("Ve schránce je zřejmě obecný text, transformace nebude provedena... ⚠");
const QString TextSql = QStringLiteral("Ve schránce je [b]SQL[/b]");
const QString TextDelphi = QStringLiteral("Ve schránce je [b]Delphi[/b]");
const QString TextCSharp = QStringLiteral("Ve schránce je [b]C#[/b]");
const QString TextNoText = QStringLiteral("(Schránka neobsahuje žádný text)");

// The editors show the lines joined by line breaks, without a break after the last.
QString LinesText(const TStringList &aLines)
{
    QStringList lines;
    lines.reserve(aLines.Count());
    for (const std::u16string &line : aLines.Lines())
        lines.append(QString::fromStdU16String(line));
    return lines.join(EditorLineBreak);
}

QString KindCaption(TSmerKonverze aKind)
{
    switch (aKind) {
    case skSQL2Language:
        return TextSql;
    case skDelphi2SQL:
        return TextDelphi;
    case skCSharp2SQL:
        return TextCSharp;
    default:
        return TextNone;
    }
}

QIcon Icon(const QString &aName)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(aName));
}

// The skin: light surfaces, a purple accent on the ribbon and the tabs.
const char *const StyleSheet = R"(
#MainRibbon { background: #f7f5fa; border-bottom: 1px solid #d9d2e3; }
#RibbonHeader { background: #6b2fa0; }
#RibbonApplicationButton { background: #4f1f7a; color: white; border: none; padding: 5px 16px; font-weight: bold; }
#RibbonApplicationButton:hover { background: #8a4cc2; }
#RibbonApplicationButton::menu-indicator { image: none; width: 0; }
#RibbonTabs::tab { background: transparent; color: #efe6f8; padding: 5px 16px; border: none; }
#RibbonTabs::tab:selected { background: #f7f5fa; color: #4f1f7a; }
#RibbonTabs::tab:hover:!selected { background: #8a4cc2; }
#RibbonGroup { border-right: 1px solid #ddd5e8; }
#RibbonGroupCaption { color: #6f6580; padding: 1px 0 3px 0; }
#RibbonSeparator { color: #ddd5e8; }
QToolButton[ribbonLarge="true"] { border: 1px solid transparent; border-radius: 3px; padding: 2px 2px; color: #262130; }
QToolButton[ribbonLarge="true"]:hover { background: #ebe0f5; border-color: #c9b1e0; }
QToolButton[ribbonLarge="true"]:pressed, QToolButton[ribbonLarge="true"]:checked { background: #dcc6ef; border-color: #a67dcc; }
QToolButton[ribbonLarge="true"]:disabled { color: #a9a3b2; }
QToolButton[ribbonLarge="true"]::menu-indicator { subcontrol-position: bottom center; bottom: -2px; }
#GBInfo { background: rgb(0, 132, 224); }
#LabInfo { color: white; background: transparent; }
#LanguagePageControl::pane { border: none; border-top: 2px solid #6b2fa0; }
#LanguagePageControl QTabBar::tab { padding: 4px 14px; background: #ece7f2; color: #3b3346; border: none; margin-right: 1px; }
#LanguagePageControl QTabBar::tab:selected { background: #6b2fa0; color: white; }
#StatusBar { background: #6b2fa0; color: white; }
#StatusBar QLabel { color: white; padding-left: 6px; }
#SplitterBottom::handle { background: #ece7f2; }
)";

} // namespace

TMainForm::TMainForm(TMainFormSetup aSetup, QWidget *aParent)
    : QMainWindow(aParent), FSetup(std::move(aSetup))
{
    if (!FSetup.OpenRegistry)
        FSetup.OpenRegistry = [](const QString &aKeyPath) {
            return std::make_unique<Tamo::SettingsStore>(aKeyPath);
        };
    if (!FSetup.Sleep)
        FSetup.Sleep = [](int aMilliseconds) {
            QThread::msleep(static_cast<unsigned long>(aMilliseconds));
        };
    if (!FSetup.CreateAppUpdate)
        FSetup.CreateAppUpdate = DefaultAppUpdateFactory();
    if (FSetup.ExePath.isEmpty())
        FSetup.ExePath = QString::fromUtf8(Tamo::ExecutablePath());
    if (FSetup.AppFolder.isEmpty())
        FSetup.AppFolder = QString::fromUtf8(Tamo::ExecutableFolder());
    if (FSetup.Clipboard) {
        FClipboard = FSetup.Clipboard;
    } else {
        FOwnClipboard = std::make_unique<QtClipboardSource>();
        FClipboard = FOwnClipboard.get();
    }
    FEngineReader = std::make_unique<EngineClipboardReader>(*FClipboard);

    InitAppResources();
    setObjectName(QStringLiteral("MainForm"));
    BuildActions();
    BuildLayout();
    BuildRibbon();
    FormCreate();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

QAction *TMainForm::MakeAction(const char *aName, const QString &aCaption, const QString &aHint,
                               const QString &aIcon)
{
    auto *action = new QAction(Icon(aIcon), aCaption, this);
    action->setObjectName(QString::fromLatin1(aName));
    if (!aHint.isEmpty()) {
        action->setToolTip(aHint);
        action->setStatusTip(aHint);
    }
    addAction(action); // shortcuts work wherever the focus is in the window
    return action;
}

void TMainForm::BuildActions()
{
    actChytraKonverze =
        MakeAction("actChytraKonverze", QStringLiteral("Chytrá transformace"),
                   QStringLiteral("Vezme text ze schránky a automaticky provede vhodnou transformaci"),
                   QStringLiteral("smart"));
    actChytraKonverze->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    actTransformaceSQL2DelphiCSharp =
        MakeAction("actTransformaceSQL2DelphiCSharp", QStringLiteral("SQL >> Delphi/C#"), {},
                   QStringLiteral("sql2code"));
    actTransformaceDelphi2SQL = MakeAction("actTransformaceDelphi2SQL", QStringLiteral("Delphi >> SQL"), {},
                                           QStringLiteral("delphi2sql"));
    actTransformaceCSharp2SQL = MakeAction("actTransformaceCSharp2SQL", QStringLiteral("C# >> SQL"), {},
                                           QStringLiteral("csharp2sql"));

    actNastaveniAutomatickaTransformace = MakeAction(
        "actNastaveniAutomatickaTransformace", QStringLiteral("Provádět automaticky"),
        QStringLiteral("Kdykoli je ve schránce text, tak ho aplikace pokusí korektně transformovat"),
        QStringLiteral("auto"));
    actNastaveniRozpoznavatSQL =
        MakeAction("actNastaveniRozpoznavatSQL", QStringLiteral("Rozpoznávat SQL"),
                   QStringLiteral("Pokud nebude rozpoznáno SQL, transformace nebude provedena"),
                   QStringLiteral("recognize"));
    actNastaveniOdstranovatKomentare =
        MakeAction("actNastaveniOdstranovatKomentare", QStringLiteral("Odstraňovat komentáře"),
                   QStringLiteral("Při práci s SQL odstraní komentáře"), QStringLiteral("nocomments"));
    actNastaveniPlusNaZacatek =
        MakeAction("actNastaveniPlusNaZacatek", QStringLiteral("Plus na začátek"),
                   QStringLiteral("Při generování kódu dává \"plus\" na začátek místo na konec řádky"),
                   QStringLiteral("plus"));
    actNastaveniZalamovatRadky =
        MakeAction("actNastaveniZalamovatRadky", QStringLiteral("Zalamovat řádky"),
                   QStringLiteral("Zda se ve všech editorech zalamují řádky"), QStringLiteral("wrap"));
    actNastaveniVzdyNahore =
        MakeAction("actNastaveniVzdyNahore", QStringLiteral("Vždy nahoře"),
                   QStringLiteral("Okno aplikace je vždy nad ostatními"), QStringLiteral("ontop"));

    actPodporaNaWebu =
        MakeAction("actPodporaNaWebu", QStringLiteral("Podpora na webu"),
                   QStringLiteral("Odkazuje na stránky autora s dalšími informacemi o této aplikaci"),
                   QStringLiteral("web"));
    actFacebook = MakeAction("actFacebook", QStringLiteral("Facebook"),
                             QStringLiteral("Odkazuje na Facebook autora"), QStringLiteral("social"));
    actPodporaVyvoje = MakeAction("actPodporaVyvoje", QStringLiteral("Podpořit další vývoj"),
                                  QStringLiteral("Umožní podpořit další vývoj příspěvkem přes PayPal"),
                                  QStringLiteral("donate"));
    actAktualizaceAplikace =
        MakeAction("actAktualizaceAplikace", QStringLiteral("Aktualizace aplikace"),
                   QStringLiteral("Ověří, zda je na internetu nová verze a nabídne její stažení/instalaci"),
                   QStringLiteral("update"));
    actHistorieZmen = MakeAction("actHistorieZmen", QStringLiteral("Historie změn"),
                                 QStringLiteral("Zobrazí soubor s historií změn"), QStringLiteral("history"));
    actOAplikaci = MakeAction("actOAplikaci", QStringLiteral("O aplikaci"),
                              QStringLiteral("Zobrazí dialog o aplikaci"), QStringLiteral("about"));
    actOAplikaci->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F1));
    actUkoncitAplikaci =
        MakeAction("actUkoncitAplikaci", QStringLiteral("Ukončit aplikaci"), {}, QStringLiteral("exit"));

    for (QAction *option :
         {actNastaveniAutomatickaTransformace, actNastaveniRozpoznavatSQL, actNastaveniOdstranovatKomentare,
          actNastaveniPlusNaZacatek, actNastaveniZalamovatRadky, actNastaveniVzdyNahore})
        option->setCheckable(true);
    // The designed defaults; the saved states replace them in FormCreate.
    actNastaveniAutomatickaTransformace->setChecked(true);
    actNastaveniRozpoznavatSQL->setChecked(true);

    const auto bind = [this](QAction *aAction, void (TMainForm::*aHandler)()) {
        connect(aAction, &QAction::triggered, this, [this, aHandler] { (this->*aHandler)(); });
    };
    bind(actChytraKonverze, &TMainForm::actChytraKonverzeExecute);
    bind(actTransformaceSQL2DelphiCSharp, &TMainForm::actTransformaceSQL2DelphiCSharpExecute);
    bind(actTransformaceDelphi2SQL, &TMainForm::actTransformaceDelphi2SQLExecute);
    bind(actTransformaceCSharp2SQL, &TMainForm::actTransformaceCSharp2SQLExecute);
    bind(actNastaveniAutomatickaTransformace, &TMainForm::actNastaveniAutomatickaTransformaceExecute);
    bind(actNastaveniRozpoznavatSQL, &TMainForm::actNastaveniRozpoznavatSQLExecute);
    bind(actNastaveniOdstranovatKomentare, &TMainForm::actNastaveniOdstranovatKomentareExecute);
    bind(actNastaveniPlusNaZacatek, &TMainForm::actNastaveniPlusNaZacatekExecute);
    bind(actNastaveniZalamovatRadky, &TMainForm::actNastaveniZalamovatRadkyExecute);
    bind(actNastaveniVzdyNahore, &TMainForm::actNastaveniVzdyNahoreExecute);
    bind(actPodporaNaWebu, &TMainForm::actPodporaNaWebuExecute);
    bind(actFacebook, &TMainForm::actFacebookExecute);
    bind(actPodporaVyvoje, &TMainForm::actPodporaVyvojeExecute);
    bind(actAktualizaceAplikace, &TMainForm::actAktualizaceAplikaceExecute);
    bind(actHistorieZmen, &TMainForm::actHistorieZmenExecute);
    bind(actOAplikaci, &TMainForm::actOAplikaciExecute);
    bind(actUkoncitAplikaci, &TMainForm::actUkoncitAplikaciExecute);
}

void TMainForm::BuildLayout()
{
    setFont(UiFontOr(QStringLiteral("Segoe UI"), 9));
    setWindowIcon(Icon(QStringLiteral("app")));
    setStyleSheet(QString::fromUtf8(StyleSheet));

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("Body"));
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *info = new QWidget(body);
    info->setObjectName(QStringLiteral("GBInfo"));
    info->setAttribute(Qt::WA_StyledBackground);
    info->setFixedHeight(40);
    auto *image = new QLabel(info);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(Icon(QStringLiteral("infostrip")).pixmap(24, 24));
    image->setGeometry(11, 9, 24, 24);
    LabInfo = new TInfoLabel(info);
    LabInfo->setObjectName(QStringLiteral("LabInfo"));
    LabInfo->setFont(UiFontOr(QStringLiteral("Segoe UI"), 11));
    LabInfo->move(46, 9);
    LabInfo->SetCaption(QStringLiteral("---"));
    LabInfo->setMinimumWidth(880);
    LabInfo->setFixedHeight(24);
    column->addWidget(info);

    SplitterBottom = new Tamo::CxSplitter(Tamo::salBottom, body);
    SplitterBottom->setObjectName(QStringLiteral("SplitterBottom"));
    SplitterBottom->setOrientation(Qt::Vertical);
    SplitterBottom->setHandleWidth(10);
    SplitterBottom->setChildrenCollapsible(true);
    EditorSQL = CreateSqlEditor(SplitterBottom);
    LanguagePageControl = new QTabWidget(SplitterBottom);
    LanguagePageControl->setObjectName(QStringLiteral("LanguagePageControl"));
    LanguagePageControl->setDocumentMode(true);
    auto *sheet1 = new QWidget;
    sheet1->setObjectName(QStringLiteral("cxTabSheet1"));
    auto *sheet2 = new QWidget;
    sheet2->setObjectName(QStringLiteral("cxTabSheet2"));
    for (QWidget *sheet : {sheet1, sheet2}) {
        auto *fill = new QVBoxLayout(sheet);
        fill->setContentsMargins(0, 0, 0, 0);
    }
    EditorDelphi = CreateDelphiEditor(sheet1);
    sheet1->layout()->addWidget(EditorDelphi);
    EditorCSharp = CreateCSharpEditor(sheet2);
    sheet2->layout()->addWidget(EditorCSharp);
    LanguagePageControl->addTab(sheet1, Icon(QStringLiteral("delphi")), QStringLiteral("Delphi/Pascal"));
    LanguagePageControl->addTab(sheet2, Icon(QStringLiteral("csharp")), QStringLiteral("Visual Studio/C#"));
    LanguagePageControl->setCurrentIndex(0);
    SplitterBottom->addWidget(EditorSQL);
    SplitterBottom->addWidget(LanguagePageControl);
    SplitterBottom->setStretchFactor(0, 1);
    SplitterBottom->setStretchFactor(1, 0);
    SplitterBottom->setSizes({629 - 124 - 40 - 23 - 10 - 206, 206});
    column->addWidget(SplitterBottom, 1);
    setCentralWidget(body);

    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(23);
    StatusBarPanel0 = new QLabel(bar);
    StatusBarPanel0->setObjectName(QStringLiteral("StatusBarPanel0"));
    StatusBarPanel0->setFixedWidth(100);
    StatusBarPanel0->installEventFilter(this);
    bar->addWidget(StatusBarPanel0);

    FTimer1 = new QTimer(this);
    FTimer1->setObjectName(QStringLiteral("Timer1"));
    FTimer1->setInterval(FirstTimerInterval);
    connect(FTimer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    // The design size of the client area.
    resize(952, 629);
}

void TMainForm::BuildRibbon()
{
    FRibbon = new TRibbon(this);
    setMenuWidget(FRibbon);
    FRibbon->ApplicationMenu()->addAction(actOAplikaci);
    FRibbon->ApplicationMenu()->addSeparator();
    FRibbon->ApplicationMenu()->addAction(actUkoncitAplikaci);

    const int home = FRibbon->AddTab(QStringLiteral("Domů"));
    const int help = FRibbon->AddTab(QStringLiteral("Nápověda"));

    TRibbonGroup *main = FRibbon->AddGroup(home, QStringLiteral("Hlavní"));
    main->AddLargeButton(actChytraKonverze);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("BarSubItemTransformaceMenu"));
    menu->addAction(actTransformaceSQL2DelphiCSharp);
    menu->addSeparator();
    menu->addAction(actTransformaceDelphi2SQL);
    menu->addAction(actTransformaceCSharp2SQL);
    BarSubItemTransformace =
        main->AddLargeSubItem(QStringLiteral("Transformace"), Icon(QStringLiteral("transform")), menu);
    BarSubItemTransformace->setObjectName(QStringLiteral("BarSubItemTransformace"));
    BarSubItemTransformace->setEnabled(false); // as designed; the watcher and the option enable it
    main->AddSeparator();
    main->AddLargeButton(actNastaveniAutomatickaTransformace);
    main->AddLargeButton(actNastaveniRozpoznavatSQL);

    TRibbonGroup *parameters = FRibbon->AddGroup(home, QStringLiteral("Parametry"));
    parameters->AddLargeButton(actNastaveniOdstranovatKomentare);
    parameters->AddLargeButton(actNastaveniPlusNaZacatek);

    TRibbonGroup *settings = FRibbon->AddGroup(home, QStringLiteral("Nastavení"));
    settings->AddLargeButton(actNastaveniZalamovatRadky);
    settings->AddLargeButton(actNastaveniVzdyNahore);

    TRibbonGroup *helpGroup = FRibbon->AddGroup(help, QStringLiteral("Nápověda"));
    helpGroup->AddLargeButton(actPodporaNaWebu);
    helpGroup->AddLargeButton(actFacebook);

    TRibbonGroup *application = FRibbon->AddGroup(help, QStringLiteral("Aplikace"));
    application->AddLargeButton(actAktualizaceAplikace);
    application->AddLargeButton(actHistorieZmen);
    application->AddLargeButton(actPodporaVyvoje);
    application->AddSeparator();
    application->AddLargeButton(actOAplikaci);

    FRibbon->SetActiveTab(home);
}

void TMainForm::FormCreate()
{
    FRegistrySettings = FSetup.OpenRegistry(RegistryKeyPath);
    setWindowTitle(MainFormCaption);
    const QString baseName =
        QString::fromStdU16String(Tamo::FileNameWithoutExt(FSetup.ExePath.toStdU16String()));
    FIniSettings = Tamo::SettingsStore::OpenIniFile(FSetup.AppFolder + baseName + QStringLiteral(".ini"));
    ShowVersionInfo();
    FAppUpdate = FSetup.CreateAppUpdate(baseName, this);
    LoadOptionStates();
    FPropertiesStoreActive = true;

    // The clipboard notification (Qt's counterpart of joining the viewer chain).
    auto *watcher = new ClipboardWatcher(this);
    connect(watcher, &ClipboardWatcher::changed, this, &TMainForm::ClipboardChanged);

    try {
        const QString keywordFile = FSetup.AppFolder + QStringLiteral("SQLkeywords.txt");
        FSqlEngine = std::make_unique<TSqlManager>(keywordFile.toStdString());
        FSqlEngine->SetClipboardReader(FEngineReader.get());
    } catch (const std::exception &e) {
        // Without its keyword list the engine cannot exist; the window runs on without it.
        FSqlEngine.reset();
        Tamo::ShowError(QString::fromUtf8(e.what()));
        DisableEngineCommands();
    }
    FTimer1->start();
}

void TMainForm::showEvent(QShowEvent *aEvent)
{
    QMainWindow::showEvent(aEvent);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    std::exception_ptr failure;
    try {
        Tamo::ActivateLocalizer();
        Tamo::RestoreFormPlacement(*FRegistrySettings, this, true, QString());
        Tamo::RestoreSplitterState(*FRegistrySettings, SplitterBottom);
        ApplyOptions();
    } catch (...) {
        failure = std::current_exception();
    }
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    QCoreApplication::postEvent(this, new QEvent(WM_UPDATECHECK));
    if (failure)
        std::rethrow_exception(failure);
}

void TMainForm::FormDestroy()
{
    FTimer1->stop();
    if (FRegistrySettings) {
        Tamo::SaveFormPlacement(*FRegistrySettings, this, true, QString());
        Tamo::SaveSplitterState(*FRegistrySettings, SplitterBottom);
    }
    // Leaving the chain: no clipboard notification may reach the engine from here on.
    if (auto *watcher = findChild<ClipboardWatcher *>())
        watcher->disconnect(this);
    FSqlEngine.reset();
    FAppUpdate.reset();
    FIniSettings.reset();
    // The property store writes the option states after the window's own clean-up.
    if (FPropertiesStoreActive && FRegistrySettings)
        SaveOptionStates();
    FRegistrySettings.reset();
}

void TMainForm::ShowVersionInfo()
{
    StatusBarPanel0->setText(QStringLiteral("Verze: ") + Tamo::FileVersionText(FSetup.ExePath, true));
    const QString plain = Tamo::FileVersionText(FSetup.ExePath, false);
    StatusBarPanel0->setFixedWidth(Tamo::IsBetaVersion(plain.toStdU16String()) ? 180 : 100);
}

void TMainForm::LoadOptionStates()
{
    for (QAction *option :
         {actNastaveniAutomatickaTransformace, actNastaveniOdstranovatKomentare, actNastaveniPlusNaZacatek,
          actNastaveniRozpoznavatSQL, actNastaveniVzdyNahore, actNastaveniZalamovatRadky})
        option->setChecked(
            FRegistrySettings->ReadBool(OptionsSection, option->objectName(), option->isChecked()));
}

void TMainForm::SaveOptionStates()
{
    FRegistrySettings->EraseSection(OptionsSection);
    for (QAction *option :
         {actNastaveniAutomatickaTransformace, actNastaveniOdstranovatKomentare, actNastaveniPlusNaZacatek,
          actNastaveniRozpoznavatSQL, actNastaveniVzdyNahore, actNastaveniZalamovatRadky})
        FRegistrySettings->WriteBool(OptionsSection, option->objectName(), option->isChecked());
    FRegistrySettings->Flush();
}

void TMainForm::DisableEngineCommands()
{
    for (QAction *action :
         {actChytraKonverze, actTransformaceSQL2DelphiCSharp, actTransformaceDelphi2SQL,
          actTransformaceCSharp2SQL, actNastaveniAutomatickaTransformace, actNastaveniRozpoznavatSQL,
          actNastaveniOdstranovatKomentare, actNastaveniPlusNaZacatek})
        action->setEnabled(false);
    BarSubItemTransformace->setEnabled(false);
}

void TMainForm::SetTransformCommandsEnabled(bool aEnabled)
{
    // Without the engine the commands stay off whatever the clipboard holds.
    const bool enabled = aEnabled && FSqlEngine;
    actChytraKonverze->setEnabled(enabled);
    BarSubItemTransformace->setEnabled(enabled);
}

void TMainForm::ClipboardChanged()
{
    if (QApplication::activeWindow() == this)
        return; // a copy from one of our own editors is not examined
    std::optional<QString> text;
    if (FClipboard->HasText())
        text = ReadClipboardWithRetry(*FClipboard, ClipboardAttempts, ClipboardPauseMs, FSetup.Sleep);
    const std::u16string trimmed = text ? Tamo::Trim(text->toStdU16String()) : std::u16string();
    if (trimmed.empty()) {
        SetTransformCommandsEnabled(false);
        LabInfo->SetCaption(TextNoText);
        return;
    }
    SetTransformCommandsEnabled(true);
    if (!FSqlEngine)
        return;
    const TSmerKonverze kind = FSqlEngine->AnalyzaTextu(trimmed);
    LabInfo->SetCaption(KindCaption(kind));
    if (actNastaveniAutomatickaTransformace->isChecked())
        ShowResult(FSqlEngine->Convert(kind, std::u16string()));
}

void TMainForm::ShowResult(TSmerKonverze aKind)
{
    // The text as it is on the clipboard now, untrimmed; a failed read is an error.
    const auto clipboardText = [this] {
        return QString::fromStdU16String(FEngineReader->ReadText());
    };
    switch (aKind) {
    case skSQL2Language:
        EditorSQL->setText(clipboardText());
        EditorDelphi->setText(LinesText(FSqlEngine->CilDelphi()));
        EditorCSharp->setText(LinesText(FSqlEngine->CilCSharp()));
        EditorDelphi->selectAll(true);
        EditorCSharp->selectAll(true);
        (LanguagePageControl->currentIndex() == 0 ? EditorDelphi : EditorCSharp)->setFocus();
        break;
    case skDelphi2SQL:
        LanguagePageControl->setCurrentIndex(0);
        EditorDelphi->setText(clipboardText());
        EditorSQL->setText(LinesText(FSqlEngine->CilSQL()));
        EditorSQL->selectAll(true);
        EditorSQL->setFocus();
        break;
    case skCSharp2SQL:
        LanguagePageControl->setCurrentIndex(1);
        EditorCSharp->setText(clipboardText());
        EditorSQL->setText(LinesText(FSqlEngine->CilSQL()));
        EditorSQL->selectAll(true);
        EditorSQL->setFocus();
        break;
    default:
        EditorSQL->clear();
        EditorDelphi->clear();
        EditorCSharp->clear();
        break;
    }
}

void TMainForm::actChytraKonverzeExecute()
{
    if (FSqlEngine)
        ShowResult(FSqlEngine->Convert(skAuto, std::u16string()));
}

void TMainForm::actTransformaceSQL2DelphiCSharpExecute()
{
    if (!FSqlEngine)
        return;
    FSqlEngine->Convert(skSQL2Language, std::u16string());
    ShowResult(skSQL2Language);
}

void TMainForm::actTransformaceDelphi2SQLExecute()
{
    if (!FSqlEngine)
        return;
    FSqlEngine->Convert(skDelphi2SQL, std::u16string());
    ShowResult(skDelphi2SQL);
}

void TMainForm::actTransformaceCSharp2SQLExecute()
{
    if (!FSqlEngine)
        return;
    FSqlEngine->Convert(skCSharp2SQL, std::u16string());
    ShowResult(skCSharp2SQL);
}

void TMainForm::actNastaveniAutomatickaTransformaceExecute()
{
    BarSubItemTransformace->setEnabled(!actNastaveniAutomatickaTransformace->isChecked() && FSqlEngine);
}

void TMainForm::actNastaveniRozpoznavatSQLExecute()
{
    if (FSqlEngine)
        FSqlEngine->SetRozpoznavatSQL(actNastaveniRozpoznavatSQL->isChecked());
}

void TMainForm::actNastaveniOdstranovatKomentareExecute()
{
    if (FSqlEngine)
        FSqlEngine->SetOdstranitKomentare(actNastaveniOdstranovatKomentare->isChecked());
}

void TMainForm::actNastaveniPlusNaZacatekExecute()
{
    if (FSqlEngine)
        FSqlEngine->SetPridavatPlusNaZacatek(actNastaveniPlusNaZacatek->isChecked());
}

void TMainForm::actNastaveniZalamovatRadkyExecute()
{
    EditorSQL->setWrapMode(actNastaveniZalamovatRadky->isChecked() ? QsciScintilla::WrapWord
                                                                   : QsciScintilla::WrapNone);
    EditorDelphi->setWrapMode(EditorSQL->wrapMode());
    EditorCSharp->setWrapMode(EditorSQL->wrapMode());
}

void TMainForm::actNastaveniVzdyNahoreExecute()
{
    SetStayOnTop(actNastaveniVzdyNahore->isChecked());
}

bool TMainForm::IsStayOnTop() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TMainForm::SetStayOnTop(bool aOnTop)
{
    if (IsStayOnTop() == aOnTop)
        return;
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, aOnTop);
    if (QWindow *window = windowHandle()) {
        // A native window takes the new flag in place; setWindowFlags would hide it.
        overrideWindowFlags(flags);
        window->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void TMainForm::ApplyOptions()
{
    if (FSqlEngine) {
        FSqlEngine->SetPridavatPlusNaZacatek(actNastaveniPlusNaZacatek->isChecked());
        FSqlEngine->SetOdstranitKomentare(actNastaveniOdstranovatKomentare->isChecked());
    }
    actNastaveniAutomatickaTransformaceExecute();
    actNastaveniRozpoznavatSQLExecute();
    actNastaveniZalamovatRadkyExecute();
    actNastaveniVzdyNahoreExecute();
}

void TMainForm::actPodporaNaWebuExecute()
{
    Tamo::ShellOpen(QStringLiteral(QUODRA_SUPPORT_URL), QString(), ShowNormal);
}

void TMainForm::actFacebookExecute()
{
    Tamo::ShellOpen(QStringLiteral(QUODRA_FACEBOOK_URL), QString(), ShowNormal);
}

void TMainForm::actPodporaVyvojeExecute()
{
    Tamo::ShellOpen(QStringLiteral(QUODRA_DONATE_URL), QString(), ShowNormal);
}

void TMainForm::actAktualizaceAplikaceExecute()
{
    if (FAppUpdate)
        FAppUpdate->Aktualizace();
}

void TMainForm::StatusBarPanels0DblClick()
{
    actAktualizaceAplikaceExecute();
}

void TMainForm::actHistorieZmenExecute()
{
    const QString path = FSetup.AppFolder + QStringLiteral("Historie.rtf");
    // QFileInfo::exists follows links, so a link counts only when its target exists.
    if (QFileInfo::exists(path))
        Tamo::ShellOpen(path, QString(), ShowNormal);
    else
        Tamo::ShowWarningFmt(QStringLiteral("Soubor s historií změn (%s) nebyl nalezen!"), {path});
}

TAboutForm *TMainForm::AboutForm()
{
    if (!FAboutForm) {
        FOwnAboutForm = std::make_unique<TAboutForm>(FIniSettings.get());
        FAboutForm = FOwnAboutForm.get();
    }
    return FAboutForm;
}

void TMainForm::actOAplikaciExecute()
{
    TAboutForm *about = AboutForm();
    about->SetIniSettings(FIniSettings.get());
    // The main window as the popup parent keeps the dialog above it and centred on it.
    about->setParent(this, about->windowFlags() | Qt::Dialog);
    about->setWindowModality(Qt::ApplicationModal);
    about->exec();
}

void TMainForm::actUkoncitAplikaciExecute()
{
    close();
}

void TMainForm::Timer1Timer()
{
    if (FTimer1->interval() == FirstTimerInterval) {
        FTimer1->setInterval(LongTimerInterval);
        return;
    }
    if (FAppUpdate && FAppUpdate->PocetDniOdNoveVerze() > 7)
        FAppUpdate->StahnoutASpustitAktualizaci(false, false);
}

bool TMainForm::event(QEvent *aEvent)
{
    if (aEvent->type() == WM_UPDATECHECK) {
        if (FAppUpdate)
            FAppUpdate->AktualizaceParalel(true);
        return true;
    }
    if (aEvent->type() == WM_UPDATEOFFER) {
        if (FAppUpdate)
            FAppUpdate->StahnoutASpustitAktualizaci(true, false);
        return true;
    }
    return QMainWindow::event(aEvent);
}

bool TMainForm::eventFilter(QObject *aWatched, QEvent *aEvent)
{
    if (aWatched == StatusBarPanel0 && aEvent->type() == QEvent::MouseButtonDblClick) {
        StatusBarPanels0DblClick();
        return true;
    }
    return QMainWindow::eventFilter(aWatched, aEvent);
}
