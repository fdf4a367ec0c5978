#include "ClipboardSource.h"
#include "InfoLabel.h"
#include "Main.h"
#include "Ribbon.h"
#include "TamoAppUpdate.h"
#include "TamoMessages.h"
#include "TamoSettings.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString Sql = QStringLiteral("SELECT Name, Price\r\n  FROM Products\r\n WHERE Price > 10");
const QString Delphi =
    QStringLiteral("'SELECT Name, Price ' +\r\n'  FROM Products ' +\r\n' WHERE Price > 10';");
const QString CSharp =
    QStringLiteral("\"SELECT Name, Price \" +\r\n\"  FROM Products \" +\r\n\" WHERE Price > 10\";");
const QString Prose = QStringLiteral("Dear colleagues, the meeting moves to Friday afternoon.");

// A clipboard whose reads fail a given number of times first.
class FakeClipboard : public IClipboardSource
{
public:
    bool HasText() const override { return hasText; }
    std::optional<QString> TryReadText() override
    {
        ++reads;
        if (failures > 0) {
            --failures;
            return std::nullopt;
        }
        return text;
    }
    void Set(const QString &aText)
    {
        text = aText;
        hasText = true;
    }
    QString text;
    bool hasText = false;
    int failures = 0;
    int reads = 0;
};

class StubUpdate : public IAppUpdate
{
public:
    void Aktualizace() override { ++interactive; }
    int PocetDniOdNoveVerze() override { return days; }
    void AktualizaceParalel(bool aNormalne) override { background += aNormalne ? 1 : 100; }
    void StahnoutASpustitAktualizaci(bool aVcetneDotazu, bool aVynutit) override
    {
        installs.append({aVcetneDotazu, aVynutit});
    }
    int interactive = 0, background = 0, days = -1;
    QList<QPair<bool, bool>> installs;
};

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void clipboardKinds_data();
    void clipboardKinds();
    void readRetry_data();
    void readRetry();
    void crossProcessClipboard_data();
    void crossProcessClipboard();
    void activeWindowIgnoresChanges();
    void automaticOffLeavesEditorsAndEnablesSubmenu();
    void wrapAppliesToAllEditors();
    void stayOnTop();
    void ctrlTRunsSmartTransformation();
    void forcedDirections_data();
    void forcedDirections();
    void missingHistoryWarnsWithFullPath();
    void missingKeywordListDisablesEngineCommands();
    void firstAndSecondStart();
    void timerRule();
    void updateCheckPostedOnceAndOfferHandled();

private:
    std::unique_ptr<TMainForm> MakeForm(const QString &aAppFolder = {});
    QTemporaryDir *FDir = nullptr;
    FakeClipboard FClipboard;
    StubUpdate *FUpdate = nullptr;
    QList<Tamo::MessageDialogRequest> FDialogs;
};

void MainFormTest::init()
{
    FDir = new QTemporaryDir;
    qputenv("XDG_CONFIG_HOME", FDir->filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("QUODRA_UPDATE_URL", "http://127.0.0.1:1/verzeini30.txt");
    FClipboard = FakeClipboard();
    FDialogs.clear();
    Tamo::SetDialogAnswerer([this](const Tamo::MessageDialogRequest &aRequest) {
        FDialogs.append(aRequest);
        return Tamo::mrOk;
    });
}

void MainFormTest::cleanup()
{
    Tamo::SetDialogAnswerer({});
    delete FDir;
    FDir = nullptr;
}

std::unique_ptr<TMainForm> MainFormTest::MakeForm(const QString &aAppFolder)
{
    TMainFormSetup setup;
    const QString registry = FDir->filePath(QStringLiteral("registry.ini"));
    setup.OpenRegistry = [registry](const QString &) {
        return std::make_unique<Tamo::SettingsStore>(
            std::make_unique<QSettings>(registry, QSettings::IniFormat));
    };
    setup.Clipboard = &FClipboard;
    setup.Sleep = [](int) {
    };
    setup.CreateAppUpdate = [this](const QString &, QObject *) {
        auto update = std::make_unique<StubUpdate>();
        FUpdate = update.get();
        return std::unique_ptr<IAppUpdate>(std::move(update));
    };
    setup.AppFolder =
        aAppFolder.isEmpty() ? QCoreApplication::applicationDirPath() + QLatin1Char('/') : aAppFolder;
    return std::make_unique<TMainForm>(std::move(setup));
}

void MainFormTest::clipboardKinds_data()
{
    QTest::addColumn<bool>("hasText");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("sqlEditor");
    QTest::addColumn<int>("page");
    QTest::newRow("SQL") << true << Sql << "Ve schránce je [b]SQL[/b]" << true << Sql << 0;
    QTest::newRow("Delphi") << true << Delphi << "Ve schránce je [b]Delphi[/b]" << true << "*" << 0;
    QTest::newRow("C#") << true << CSharp << "Ve schránce je [b]C#[/b]" << true << "*" << 1;
    QTest::newRow("prose") << true << Prose
                           << "Ve schránce je zřejmě obecný text, transformace nebude provedena... ⚠" << true
                           << "" << 0;
    QTest::newRow("blank") << true << " \r\n\t \n"
                           << "(Schránka neobsahuje žádný text)" << false << "before" << 0;
    QTest::newRow("picture") << false << ""
                             << "(Schránka neobsahuje žádný text)" << false << "before" << 0;
}

void MainFormTest::clipboardKinds()
{
    QFETCH(bool, hasText);
    QFETCH(QString, text);
    QFETCH(QString, label);
    QFETCH(bool, enabled);
    QFETCH(QString, sqlEditor);
    QFETCH(int, page);
    auto form = MakeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->EditorSQL->setText(QStringLiteral("before"));

    FClipboard.text = text;
    FClipboard.hasText = hasText;
    form->ClipboardChanged();
    QCOMPARE(form->LabInfo->Caption(), label);
    QCOMPARE(form->actChytraKonverze->isEnabled(), enabled);
    QCOMPARE(form->BarSubItemTransformace->isEnabled(), enabled);
    QCOMPARE(form->LanguagePageControl->currentIndex(), page);
    if (sqlEditor == QLatin1String("*")) {
        // Code came back as SQL, selected and focused.
        QVERIFY(form->EditorSQL->text().contains(QLatin1String("FROM Products")));
        QVERIFY(!form->EditorSQL->text().contains(QLatin1Char('+')));
        QVERIFY(form->EditorSQL->hasSelectedText());
        QCOMPARE(form->EditorSQL->selectedText(), form->EditorSQL->text());
    } else {
        QCOMPARE(form->EditorSQL->text(), sqlEditor);
    }
    if (text == Sql) {
        QVERIFY(form->EditorDelphi->text().startsWith(QLatin1String("'SELECT")));
        QVERIFY(form->EditorCSharp->text().startsWith(QLatin1String("\"SELECT")));
        QCOMPARE(form->EditorDelphi->selectedText(), form->EditorDelphi->text());
        QCOMPARE(form->EditorCSharp->selectedText(), form->EditorCSharp->text());
    }
}

void MainFormTest::readRetry_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<int>("pauses");
    QTest::addColumn<QString>("label");
    QTest::newRow("3 failures") << 3 << 3 << "Ve schránce je [b]SQL[/b]";
    QTest::newRow("6 failures") << 6 << 6 << "(Schránka neobsahuje žádný text)";
}

void MainFormTest::readRetry()
{
    QFETCH(int, failures);
    QFETCH(int, pauses);
    QFETCH(QString, label);
    QList<int> slept;
    FakeClipboard clipboard;
    clipboard.Set(Sql);
    clipboard.failures = failures;
    const std::optional<QString> text =
        ReadClipboardWithRetry(clipboard, 6, 500, [&](int aMs) { slept.append(aMs); });
    QCOMPARE(slept, QList<int>(pauses, 500));
    QCOMPARE(text.has_value(), failures < 6);

    auto form = MakeForm();
    FClipboard.Set(Sql);
    FClipboard.failures = failures;
    form->ClipboardChanged();
    QCOMPARE(form->LabInfo->Caption(), label);
}

void MainFormTest::crossProcessClipboard_data()
{
    QTest::addColumn<QString>("mime");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("label");
    QTest::newRow("SQL") << "text/plain" << Sql.toUtf8() << "Ve schránce je [b]SQL[/b]";
    QTest::newRow("C#") << "text/plain" << CSharp.toUtf8() << "Ve schránce je [b]C#[/b]";
    QTest::newRow("blank") << "text/plain" << QByteArray("  \n ") << "(Schránka neobsahuje žádný text)";
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QTest::newRow("picture") << "image/png" << png << "(Schránka neobsahuje žádný text)";
}

void MainFormTest::crossProcessClipboard()
{
    QFETCH(QString, mime);
    QFETCH(QByteArray, data);
    QFETCH(QString, label);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    TMainFormSetup setup;
    const QString registry = FDir->filePath(QStringLiteral("registry.ini"));
    setup.OpenRegistry = [registry](const QString &) {
        return std::make_unique<Tamo::SettingsStore>(
            std::make_unique<QSettings>(registry, QSettings::IniFormat));
    };
    setup.CreateAppUpdate = [](const QString &, QObject *) {
        return std::make_unique<StubUpdate>();
    };
    TMainForm form(std::move(setup));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // xclip keeps serving the selection until another owner takes it.
    QSignalSpy spy(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), mime, QStringLiteral("-i")});
    QVERIFY(xclip.waitForStarted());
    xclip.write(data);
    xclip.closeWriteChannel();
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() > 0, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(form.LabInfo->Caption(), label, 5000);
    QGuiApplication::clipboard()->clear(); // takes the selection back, so xclip ends
    xclip.waitForFinished(3000);
    if (xclip.state() != QProcess::NotRunning)
        xclip.kill();
}

void MainFormTest::activeWindowIgnoresChanges()
{
    auto form = MakeForm();
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get(), 2000))
        QSKIP("the X server gives no focus without a window manager");
    QCoreApplication::processEvents();
    const QString before = form->LabInfo->Caption();
    FClipboard.Set(Sql);
    form->ClipboardChanged();
    QCOMPARE(form->LabInfo->Caption(), before);
    QVERIFY(form->EditorSQL->text().isEmpty());
}

void MainFormTest::automaticOffLeavesEditorsAndEnablesSubmenu()
{
    auto form = MakeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(!form->BarSubItemTransformace->isEnabled());
    form->actNastaveniAutomatickaTransformace->trigger(); // off
    QVERIFY(form->BarSubItemTransformace->isEnabled());
    FClipboard.Set(Sql);
    form->ClipboardChanged();
    QCOMPARE(form->LabInfo->Caption(), QStringLiteral("Ve schránce je [b]SQL[/b]"));
    QVERIFY(form->EditorSQL->text().isEmpty());
    form->actNastaveniAutomatickaTransformace->trigger(); // on again
    QVERIFY(!form->BarSubItemTransformace->isEnabled());
    form->ClipboardChanged(); // a change with text enables it again: the later event wins
    QVERIFY(form->BarSubItemTransformace->isEnabled());
}

void MainFormTest::wrapAppliesToAllEditors()
{
    auto form = MakeForm();
    form->actNastaveniZalamovatRadky->trigger();
    for (QsciScintilla *editor : {form->EditorSQL, form->EditorDelphi, form->EditorCSharp})
        QCOMPARE(editor->wrapMode(), QsciScintilla::WrapWord);
    form->actNastaveniZalamovatRadky->trigger();
    for (QsciScintilla *editor : {form->EditorSQL, form->EditorDelphi, form->EditorCSharp})
        QCOMPARE(editor->wrapMode(), QsciScintilla::WrapNone);
}

void MainFormTest::stayOnTop()
{
    {
        auto form = MakeForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->actNastaveniVzdyNahore->trigger();
        QVERIFY(form->IsStayOnTop());
        QVERIFY(form->isVisible());
    }
    auto again = MakeForm(); // comes back after a restart
    again->show();
    QVERIFY(QTest::qWaitForWindowExposed(again.get()));
    QVERIFY(again->IsStayOnTop());
    again->actNastaveniVzdyNahore->trigger();
    QVERIFY(!again->IsStayOnTop());
}

void MainFormTest::ctrlTRunsSmartTransformation()
{
    auto form = MakeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->actChytraKonverze->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    QCOMPARE(form->actOAplikaci->shortcut(), QKeySequence(QStringLiteral("Alt+F1")));
    form->actNastaveniAutomatickaTransformace->trigger(); // off: only the command fills the editors
    FClipboard.Set(Sql);
    form->ClipboardChanged();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get(), 2000))
        QSKIP("shortcuts need an active window, which needs focus from the X server");
    QTest::keyClick(form.get(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(form->EditorSQL->text(), Sql);
    QVERIFY(form->EditorDelphi->text().startsWith(QLatin1String("'SELECT")));
}

void MainFormTest::forcedDirections_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("page");
    QTest::newRow("SQL >> Delphi/C#") << "actTransformaceSQL2DelphiCSharp" << 0;
    QTest::newRow("Delphi >> SQL") << "actTransformaceDelphi2SQL" << 0;
    QTest::newRow("C# >> SQL") << "actTransformaceCSharp2SQL" << 1;
}

void MainFormTest::forcedDirections()
{
    QFETCH(QString, action);
    QFETCH(int, page);
    auto form = MakeForm();
    form->LanguagePageControl->setCurrentIndex(1 - page);
    FClipboard.Set(Prose); // the classifier would refuse it; the command does not ask
    form->findChild<QAction *>(action)->trigger();
    if (action == QLatin1String("actTransformaceSQL2DelphiCSharp")) {
        QCOMPARE(form->EditorSQL->text(), Prose);
        QVERIFY(form->EditorDelphi->text().contains(QLatin1String("'Dear colleagues")));
        QCOMPARE(form->LanguagePageControl->currentIndex(), 1 - page); // the page is kept
    } else {
        QCOMPARE(form->LanguagePageControl->currentIndex(), page);
        QCOMPARE((page == 0 ? form->EditorDelphi : form->EditorCSharp)->text(), Prose);
        QCOMPARE(form->EditorSQL->selectedText(), form->EditorSQL->text());
    }
}

void MainFormTest::missingHistoryWarnsWithFullPath()
{
    QTemporaryDir folder;
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/SQLkeywords.txt"),
                        folder.filePath(QStringLiteral("SQLkeywords.txt"))));
    auto form = MakeForm(folder.path() + QLatin1Char('/'));
    form->actHistorieZmen->trigger();
    QCOMPARE(FDialogs.size(), 1);
    QCOMPARE(FDialogs[0].type, Tamo::mtWarning);
    QCOMPARE(FDialogs[0].text, QStringLiteral("Soubor s historií změn (%1) nebyl nalezen!")
                                   .arg(folder.filePath(QStringLiteral("Historie.rtf"))));
}

void MainFormTest::missingKeywordListDisablesEngineCommands()
{
    QTemporaryDir folder;
    auto form = MakeForm(folder.path() + QLatin1Char('/'));
    QVERIFY(!form->SqlEngine());
    QCOMPARE(FDialogs.size(), 1);
    QCOMPARE(FDialogs[0].type, Tamo::mtError);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    FClipboard.Set(Sql);
    form->ClipboardChanged(); // must not touch the missing engine
    for (QAction *action : {form->actChytraKonverze, form->actNastaveniAutomatickaTransformace,
                            form->actNastaveniRozpoznavatSQL, form->actNastaveniOdstranovatKomentare,
                            form->actNastaveniPlusNaZacatek})
        QVERIFY(!action->isEnabled());
    QVERIFY(!form->BarSubItemTransformace->isEnabled());
}

void MainFormTest::firstAndSecondStart()
{
    QRect placed;
    {
        auto form = MakeForm();
        QCOMPARE(form->windowTitle(), QStringLiteral("VORBIX Quodra 2020"));
        QVERIFY(form->actNastaveniAutomatickaTransformace->isChecked());
        QVERIFY(form->actNastaveniRozpoznavatSQL->isChecked());
        for (QAction *off : {form->actNastaveniOdstranovatKomentare, form->actNastaveniPlusNaZacatek,
                             form->actNastaveniZalamovatRadky, form->actNastaveniVzdyNahore})
            QVERIFY(!off->isChecked());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(form->frameGeometry().center().x() - screen.center().x()) <= 2);
        QVERIFY(qAbs(form->frameGeometry().center().y() - screen.center().y()) <= 2);
        QCOMPARE(form->size(), QSize(952, 629));
        form->actNastaveniPlusNaZacatek->trigger();
        form->actNastaveniRozpoznavatSQL->trigger();
        QVERIFY(form->SqlEngine()->PridavatPlusNaZacatek());
        QVERIFY(!form->SqlEngine()->RozpoznavatSQL());
        form->setGeometry(100, 80, 800, 500);
        QTest::qWait(50);
        placed = form->geometry();
    }
    auto form = MakeForm();
    QVERIFY(form->actNastaveniPlusNaZacatek->isChecked());
    QVERIFY(!form->actNastaveniRozpoznavatSQL->isChecked());
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->geometry().size(), placed.size());
    QVERIFY(form->SqlEngine()->PridavatPlusNaZacatek()); // ApplyOptions pushed it into the engine
    QVERIFY(!form->SqlEngine()->RozpoznavatSQL());
}

void MainFormTest::timerRule()
{
    auto form = MakeForm();
    QVERIFY(form->Timer1()->isActive());
    QCOMPARE(form->Timer1()->interval(), 10000);
    FUpdate->days = 30;
    form->Timer1Timer(); // the first tick only switches to 12 hours
    QCOMPARE(form->Timer1()->interval(), 43200000);
    QVERIFY(FUpdate->installs.isEmpty());
    FUpdate->days = 7;
    form->Timer1Timer();
    QVERIFY(FUpdate->installs.isEmpty());
    FUpdate->days = 8;
    form->Timer1Timer();
    QCOMPARE(FUpdate->installs, (QList<QPair<bool, bool>>{{false, false}}));
}

void MainFormTest::updateCheckPostedOnceAndOfferHandled()
{
    auto form = MakeForm();
    QCoreApplication::processEvents();
    QCOMPARE(FUpdate->background, 0); // nothing before the window is shown
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QTRY_COMPARE(FUpdate->background, 1);
    form->hide();
    form->show();
    QTest::qWait(50);
    QCOMPARE(FUpdate->background, 1);

    for (int wParam : {0, 999}) { // any parameters give the same offer
        UpdateOfferEvent offer(wParam);
        QCoreApplication::sendEvent(form.get(), &offer);
    }
    QCOMPARE(FUpdate->installs, (QList<QPair<bool, bool>>{{true, false}, {true, false}}));

    form->actAktualizaceAplikace->trigger();
    QTest::mouseDClick(form->StatusBarPanel0, Qt::LeftButton);
    QCOMPARE(FUpdate->interactive, 2);
}

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
