// TAppUpdate against a local server: the check, the day count, every dialog path,
// unpacking and starting, the background check and its lifetime.

#include "TamoAppUpdate.h"
#include "TamoDownload.h"
#include "TamoMessages.h"
#include "TamoSystem.h"
#include "TamoWaitWindow.h"
#include "TestServer.h"
#include "TestZip.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <thread>

namespace {

const QDate FixedToday(2024, 6, 15);

class TestableUpdate : public TAppUpdate
{
public:
    TestableUpdate(const QString &aUrl, const QString &aInstalled)
        : TAppUpdate(QStringLiteral("QuodraTest"), aUrl, QString())
    {
        SetInterniVerze(aInstalled);
        Today = [] {
            return FixedToday;
        };
    }
    using TAppUpdate::NacistVerziZWebu;
    using TAppUpdate::PorovnatVerze;
    using TAppUpdate::TempFolderPath;
    using TAppUpdate::ZkontrolovatNaPozadi;
};

// Records the offers the background check posts.
class Receiver : public QObject
{
public:
    QList<int> offers;

protected:
    void customEvent(QEvent *aEvent) override
    {
        if (aEvent->type() == WM_UPDATEOFFER)
            offers.append(static_cast<UpdateOfferEvent *>(aEvent)->WParam);
    }
};

struct Dialog
{
    Tamo::TMsgDlgType type;
    QString text;
    Tamo::TMsgDlgBtn defaultButton;
    bool waitCursor;
};

} // namespace

class TestAppUpdate : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir mHome;
    QTemporaryDir mRoot;
    std::unique_ptr<TestServer> mServer;
    QList<Dialog> mDialogs;
    int mAnswer = Tamo::mrYes;
    QList<QPair<QString, QString>> mStarted;

    QString descriptorUrl() const { return mServer->Url(QStringLiteral("verze.txt")); }
    void serve(const QString &aName, const QByteArray &aBody)
    {
        QFile file(mRoot.filePath(aName));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(aBody);
    }
    void serveDescriptor(const QString &aVersion, const QString &aDate,
                         const QString &aArchive = QStringLiteral("update.zip"))
    {
        QByteArray text = "; descriptor\r\n[settings]\r\nexternalversion=" + aVersion.toUtf8() + "\r\n";
        if (!aArchive.isEmpty())
            text += "HTTPEXTERNALFILE=" + mServer->Url(aArchive).toUtf8() + "\r\n";
        text += "Datum=" + aDate.toUtf8() + "\r\n[Other]\r\nExternalVersion=9.9.9.0\r\n";
        serve(QStringLiteral("verze.txt"), text);
    }
    void serveArchive(const QList<TestZipEntry> &aEntries)
    {
        QVERIFY(WriteTestZip(mRoot.filePath(QStringLiteral("update.zip")), aEntries));
    }
    static QString daysAgo(int aDays)
    {
        return FixedToday.addDays(-aDays).toString(QStringLiteral("yyyy-MM-dd"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(mHome.isValid() && mRoot.isValid());
        // Keep every file of the tests away from the user's folders.
        qputenv("HOME", mHome.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", mHome.filePath(QStringLiteral("config")).toUtf8());
        qputenv("TMPDIR", mHome.filePath(QStringLiteral("tmp")).toUtf8());
        QDir().mkpath(mHome.filePath(QStringLiteral("tmp")));
        mServer = std::make_unique<TestServer>(mRoot.path());
        QVERIFY(mServer->IsRunning());
        Tamo::SetDialogAnswerer([this](const Tamo::MessageDialogRequest &aRequest) {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            mDialogs.append({aRequest.type, aRequest.text, aRequest.defaultButton,
                             cursor && cursor->shape() == Qt::WaitCursor});
            return aRequest.type == Tamo::mtInformation ? Tamo::mrOk : mAnswer;
        });
    }
    void init()
    {
        mDialogs.clear();
        mStarted.clear();
        mAnswer = Tamo::mrYes;
        Tamo::SetShellOpenHook([this](const QString &aTarget, const QString &aParams, int) {
            mStarted.append({aTarget, aParams});
            return 42;
        });
        serveArchive({{QStringLiteral("setup.sh"), "installer"}});
    }
    void cleanupTestCase()
    {
        Tamo::SetDialogAnswerer({});
        Tamo::SetShellOpenHook({});
    }

    void folderLifetime()
    {
        const QString folder = QDir::toNativeSeparators(mHome.filePath(QStringLiteral("tmp"))) +
                               QDir::separator() + QStringLiteral("VORBIX software/AppUpdate/QuodraTest/");
        QDir().mkpath(folder + QStringLiteral("old/deeper"));
        QFile left(folder + QStringLiteral("old/deeper/left.txt"));
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.close();
        auto update = std::make_unique<TestableUpdate>(descriptorUrl(), QStringLiteral("3.0.0.0"));
        QCOMPARE(QDir::cleanPath(update->TempFolderPath()), QDir::cleanPath(folder));
        QVERIFY(QDir(folder).isEmpty());
        update.reset();
        QVERIFY(!QDir(folder).exists());
    }

    void installedVersionOfRunningProgram()
    {
        const TAppUpdate update(QStringLiteral("QuodraTest"), descriptorUrl(), QString());
        QCOMPARE(update.InterniVerze(), QStringLiteral("3.0.0.0"));
    }

    void updateDescriptorUrl()
    {
        qputenv("QUODRA_UPDATE_URL", "http://127.0.0.1:1/mirror.txt");
        QCOMPARE(UpdateDescriptorUrl(), QStringLiteral("http://127.0.0.1:1/mirror.txt"));
        qunsetenv("QUODRA_UPDATE_URL");
        QVERIFY(UpdateDescriptorUrl().endsWith(QStringLiteral("/Download/Quodra2020/verzeini30.txt")));
    }

    void porovnatVerze_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("web");
        QTest::addColumn<unsigned>("code");
        QTest::newRow("equal") << "1.2.3.0"
                               << "1.2.3.0" << 1u;
        QTest::newRow("numeric parts") << "1.2.3.0"
                                       << "1.2.10.0" << 0u;
        QTest::newRow("older") << "1.2.3.0"
                               << "1.2.2.0" << 2u;
        QTest::newRow("web part missing") << "1.2.3.0"
                                          << "1.2.3" << 4u;
        QTest::newRow("difference first") << "1.2.3.0"
                                          << "1.2.4" << 0u;
        QTest::newRow("installed empty") << ""
                                         << "1.2.3.0" << 3u;
    }
    void porovnatVerze()
    {
        QFETCH(QString, installed);
        QFETCH(QString, web);
        QFETCH(unsigned, code);
        serveDescriptor(web, daysAgo(1));
        TestableUpdate update(descriptorUrl(), installed);
        QVERIFY(update.NacistVerziZWebu());
        QCOMPARE(update.ExterniVerze(), web);
        QCOMPARE(update.PorovnatVerze(), code);
    }

    void errorPageDescriptor()
    {
        // 404: a failed fetch. A page that is not a descriptor: empty values, code 4.
        TestableUpdate update(mServer->Url(QStringLiteral("status/404")), QStringLiteral("1.2.3.0"));
        QVERIFY(!update.NacistVerziZWebu());
        TestableUpdate page(mServer->Url(QStringLiteral("update.zip")), QStringLiteral("1.2.3.0"));
        QVERIFY(page.NacistVerziZWebu());
        QCOMPARE(page.ExterniVerze(), QString());
        QCOMPARE(page.PorovnatVerze(), 4u);
    }

    void failedFetchEmptiesValues()
    {
        serveDescriptor(QStringLiteral("1.2.4.0"), daysAgo(3));
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        QVERIFY(update.NacistVerziZWebu());
        QCOMPARE(update.ExterniVerze(), QStringLiteral("1.2.4.0"));
        QFile::remove(mRoot.filePath(QStringLiteral("verze.txt")));
        QVERIFY(!update.NacistVerziZWebu());
        QCOMPARE(update.ExterniVerze(), QString());
    }

    void pocetDniOdNoveVerze_data()
    {
        QTest::addColumn<QString>("web");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("days");
        QTest::newRow("today") << "1.2.4.0" << daysAgo(0) << 0;
        QTest::newRow("eight days") << "1.2.4.0" << daysAgo(8) << 8;
        QTest::newRow("seven days") << "1.2.4.0" << daysAgo(7) << 7;
        QTest::newRow("time of day dropped") << "1.2.4.0" << daysAgo(2) + " 23:59" << 2;
        QTest::newRow("tomorrow") << "1.2.4.0" << daysAgo(-1) << -1;
        QTest::newRow("beta") << "1.2.4.1" << daysAgo(30) << -1;
        QTest::newRow("slashes") << "1.2.4.0"
                                 << "2020/05/17" << -1;
        QTest::newRow("no date") << "1.2.4.0"
                                 << "" << -1;
        QTest::newRow("not newer") << "1.2.3.0" << daysAgo(30) << -1;
    }
    void pocetDniOdNoveVerze()
    {
        QFETCH(QString, web);
        QFETCH(QString, date);
        QFETCH(int, days);
        serveDescriptor(web, date);
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        QCOMPARE(update.PocetDniOdNoveVerze(), days);
    }

    void aktualizace_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("web");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("started");
        const int yes = Tamo::mrYes, no = Tamo::mrNo;
        const QString congrats =
            QStringLiteral("Gratulujeme, používáte aktuální verzi (1.2.3.0)!\r\rChcete přesto "
                           "stáhnout aktuální verzi a znovu nainstalovat?");
        QTest::newRow("newer, yes")
            << "1.2.3.0"
            << "1.2.4.0" << yes << int(Tamo::mtConfirmation)
            << "Na webu je novější verze 1.2.4.0. Chcete ji nyní stáhnout a nainstalovat?" << int(Tamo::mbYes)
            << 1;
        QTest::newRow("newer, no")
            << "1.2.3.0"
            << "1.2.4.0" << no << int(Tamo::mtConfirmation)
            << "Na webu je novější verze 1.2.4.0. Chcete ji nyní stáhnout a nainstalovat?" << int(Tamo::mbYes)
            << 0;
        QTest::newRow("beta") << "1.2.3.0"
                              << "1.2.4.1" << yes << int(Tamo::mtWarning)
                              << "Na webu je novější BETA verze 1.2.4.1, která může obsahovat chyby nebo být "
                                 "nestabilní.\r\n\r\nOpravdu ji chcete nyní stáhnout a nainstalovat?"
                              << int(Tamo::mbNo) << 1;
        QTest::newRow("equal, yes") << "1.2.3.0"
                                    << "1.2.3.0" << yes << int(Tamo::mtConfirmation) << congrats
                                    << int(Tamo::mbNo) << 1;
        QTest::newRow("equal, no") << "1.2.3.0"
                                   << "1.2.3.0" << no << int(Tamo::mtConfirmation) << congrats
                                   << int(Tamo::mbNo) << 0;
        QTest::newRow("older") << "1.2.3.0"
                               << "1.2.2.0" << yes << int(Tamo::mtWarning)
                               << "Na webu je starší verze (1.2.2.0), než používáte (1.2.3.0)!"
                               << int(Tamo::mbOK) << 0;
        QTest::newRow("compare error") << "1.2.3.0"
                                       << "1.2.3" << yes << int(Tamo::mtError)
                                       << "Při porovnávání verzí došlo k chybě!" << int(Tamo::mbOK) << 0;
        QTest::newRow("no descriptor")
            << "1.2.3.0"
            << "" << yes << int(Tamo::mtWarning) << "Nepodařilo se zjistit, zda je na webu nová verze."
            << int(Tamo::mbOK) << 0;
        QTest::newRow("installed empty") << ""
                                         << "1.2.4.0" << yes << -1 << "" << 0 << 0;
    }
    void aktualizace()
    {
        QFETCH(QString, installed);
        QFETCH(QString, web);
        QFETCH(int, answer);
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(int, defaultButton);
        QFETCH(int, started);
        if (web.isEmpty())
            QFile::remove(mRoot.filePath(QStringLiteral("verze.txt")));
        else
            serveDescriptor(web, daysAgo(3));
        mAnswer = answer;
        TestableUpdate update(descriptorUrl(), installed);
        update.Aktualizace();
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        if (type < 0) {
            QVERIFY(mDialogs.isEmpty());
        } else {
            QCOMPARE(mDialogs.size(), 1);
            QCOMPARE(int(mDialogs.first().type), type);
            QCOMPARE(mDialogs.first().text, text);
            if (type == Tamo::mtConfirmation ||
                (type == Tamo::mtWarning && text.contains(QStringLiteral("BETA"))))
                QCOMPARE(int(mDialogs.first().defaultButton), defaultButton);
            QVERIFY(mDialogs.first().waitCursor);
        }
        QCOMPARE(mStarted.size(), started);
        if (started)
            QCOMPARE(mStarted.first().second, QStringLiteral("/silent"));
    }

    void stahnoutASpustit_data()
    {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("web");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("type"); // -1: no dialog
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("started");
        const int info = Tamo::mtInformation, confirm = Tamo::mtConfirmation, warn = Tamo::mtWarning;
        QTest::newRow("no question") << false << false << "1.2.4.0" << daysAgo(0) << -1 << 0 << 1;
        QTest::newRow("no question, beta") << false << true << "1.2.4.1" << daysAgo(9) << -1 << 0 << 1;
        QTest::newRow("forced, two days") << true << true << "1.2.4.0" << daysAgo(2) << info << 0 << 1;
        QTest::newRow("forced, yesterday")
            << true << true << "1.2.4.0" << daysAgo(1) << confirm << int(Tamo::mrNo) << 0;
        QTest::newRow("forced, no date") << true << true << "1.2.4.0"
                                         << "" << confirm << int(Tamo::mrYes) << 1;
        QTest::newRow("forced beta asks")
            << true << true << "1.2.4.1" << daysAgo(9) << warn << int(Tamo::mrNo) << 0;
        QTest::newRow("not forced") << true << false << "1.2.4.0" << daysAgo(9) << confirm << int(Tamo::mrYes)
                                    << 1;
    }
    void stahnoutASpustit()
    {
        QFETCH(bool, ask);
        QFETCH(bool, force);
        QFETCH(QString, web);
        QFETCH(QString, date);
        QFETCH(int, type);
        QFETCH(int, answer);
        QFETCH(int, started);
        serveDescriptor(web, date);
        mAnswer = answer;
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        QVERIFY(update.NacistVerziZWebu());
        update.StahnoutASpustitAktualizaci(ask, force);
        if (type < 0) {
            QVERIFY(mDialogs.isEmpty());
        } else {
            QCOMPARE(mDialogs.size(), 1);
            QCOMPARE(int(mDialogs.first().type), type);
            QVERIFY(mDialogs.first().text.contains(web));
        }
        QCOMPARE(mStarted.size(), started);
        // The wait window is gone again.
        const QWidgetList widgets = QApplication::topLevelWidgets();
        for (QWidget *widget : widgets)
            QVERIFY(!qobject_cast<Tamo::TWaitWindow *>(widget));
    }

    void unpacksAllStartsFirst()
    {
        serveDescriptor(QStringLiteral("1.2.4.0"), daysAgo(3));
        serveArchive({{QStringLiteral("bin/setup.sh"), "installer"},
                      {QStringLiteral("readme.txt"), "readme"},
                      {QStringLiteral("data/more.txt"), "more"}});
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        QVERIFY(update.NacistVerziZWebu());
        update.StahnoutASpustitAktualizaci(false, false);
        const QString folder = update.TempFolderPath();
        QVERIFY(QFile::exists(folder + QStringLiteral("readme.txt")));
        QVERIFY(QFile::exists(folder + QStringLiteral("data/more.txt")));
        QCOMPARE(mStarted.size(), 1);
        QCOMPARE(mStarted.first().first, QDir::toNativeSeparators(folder + QStringLiteral("bin/setup.sh")));
        QCOMPARE(mStarted.first().second, QStringLiteral("/silent"));
    }

    // Archives that start nothing and show nothing.
    void nothingStarted_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("climbs out") << "dotdot";
        QTest::newRow("absolute entry") << "absolute";
        QTest::newRow("no entry") << "empty";
        QTest::newRow("not a zip") << "page";
        QTest::newRow("archive missing") << "missing";
        QTest::newRow("no archive URL") << "nourl";
    }
    void nothingStarted()
    {
        QFETCH(QString, kind);
        serveDescriptor(QStringLiteral("1.2.4.0"), daysAgo(3),
                        kind == QLatin1String("nourl")     ? QString()
                        : kind == QLatin1String("missing") ? QStringLiteral("gone.zip")
                                                           : QStringLiteral("update.zip"));
        if (kind == QLatin1String("dotdot"))
            serveArchive({{QStringLiteral("setup.sh"), "x"}, {QStringLiteral("../../escaped.txt"), "evil"}});
        else if (kind == QLatin1String("absolute"))
            serveArchive(
                {{QStringLiteral("setup.sh"), "x"}, {mHome.filePath(QStringLiteral("abs.txt")), "evil"}});
        else if (kind == QLatin1String("empty"))
            serveArchive({});
        else if (kind == QLatin1String("page"))
            serve(QStringLiteral("update.zip"), "<html>Not the archive</html>");
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        QVERIFY(update.NacistVerziZWebu());
        update.StahnoutASpustitAktualizaci(false, false);
        QVERIFY(mStarted.isEmpty());
        QVERIFY(mDialogs.isEmpty());
        QVERIFY(!QFile::exists(update.TempFolderPath() + QStringLiteral("setup.sh")));
        QVERIFY(!QFile::exists(mHome.filePath(QStringLiteral("abs.txt"))));
        QVERIFY(!QFile::exists(mHome.filePath(QStringLiteral("tmp/VORBIX software/escaped.txt"))));
    }

#ifndef _WIN32
    // A real start: the script of the archive records its arguments.
    void startsInstallerScript()
    {
        Tamo::SetShellOpenHook({});
        const QString record = mHome.filePath(QStringLiteral("installer-args.txt"));
        QFile::remove(record);
        serveDescriptor(QStringLiteral("1.2.4.0"), daysAgo(3));
        serveArchive({{QStringLiteral("install.sh"),
                       "#!/bin/sh\necho \"$@\" > \"" + record.toUtf8() + ".part\"\nmv \"" + record.toUtf8() +
                           ".part\" \"" + record.toUtf8() + "\"\n",
                       0755}});
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        QVERIFY(update.NacistVerziZWebu());
        update.StahnoutASpustitAktualizaci(false, false);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().trimmed(), QByteArray("/silent"));
    }
#endif

    void backgroundCheck_data()
    {
        QTest::addColumn<QString>("web");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<int>("offer"); // -1: nothing posted
        QTest::newRow("newer") << "1.2.4.0" << true << 0;
        QTest::newRow("newer, not normal") << "1.2.4.0" << false << 999;
        QTest::newRow("beta") << "1.2.4.1" << true << -1;
        QTest::newRow("equal") << "1.2.3.0" << true << -1;
        QTest::newRow("older") << "1.2.2.0" << true << -1;
        QTest::newRow("fetch fails") << "" << true << -1;
    }
    void backgroundCheck()
    {
        QFETCH(QString, web);
        QFETCH(bool, normal);
        QFETCH(int, offer);
        if (web.isEmpty())
            QFile::remove(mRoot.filePath(QStringLiteral("verze.txt")));
        else
            serveDescriptor(web, daysAgo(3));
        // The body of the task, run here so that its outcome can be awaited.
        Receiver receiver;
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        QCOMPARE(update.ZkontrolovatNaPozadi(normal, false, &receiver),
                 web == QLatin1String("1.2.4.0") || web == QLatin1String("1.2.4.1"));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
        if (offer < 0)
            QVERIFY(receiver.offers.isEmpty());
        else
            QCOMPARE(receiver.offers, QList<int>({offer}));
        QVERIFY(mDialogs.isEmpty());
    }

    void backgroundTaskPosts()
    {
        serveDescriptor(QStringLiteral("1.2.4.0"), daysAgo(3));
        Receiver receiver;
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        update.FMainForm = &receiver;
        update.AktualizaceParalel(false);
        QTRY_COMPARE(receiver.offers, QList<int>({999}));
    }

    void backgroundPrefersMainWindow()
    {
        serveDescriptor(QStringLiteral("1.2.4.0"), daysAgo(3));
        Receiver fallback;
        struct Window : QMainWindow
        {
            QList<int> offers;
            void customEvent(QEvent *aEvent) override
            {
                if (aEvent->type() == WM_UPDATEOFFER)
                    offers.append(static_cast<UpdateOfferEvent *>(aEvent)->WParam);
            }
        } window;
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        update.FMainForm = &fallback;
        update.AktualizaceParalel(true);
        QTRY_COMPARE(window.offers, QList<int>({0}));
        QVERIFY(fallback.offers.isEmpty());
    }

    void backgroundTargetGone()
    {
        serveDescriptor(QStringLiteral("1.2.4.0"), daysAgo(3));
        auto receiver = std::make_unique<Receiver>();
        TestableUpdate update(descriptorUrl(), QStringLiteral("1.2.3.0"));
        QVERIFY(update.ZkontrolovatNaPozadi(true, false, receiver.get()));
        receiver.reset(); // before the GUI thread handles the notification
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();
    }

    // Destroying the object while its background check hangs on a silent server ends
    // the check at once and then removes the folder.
    void destroyDuringStall()
    {
        QString folder;
        {
            TestableUpdate update(mServer->Url(QStringLiteral("stall-headers")), QStringLiteral("1.2.3.0"));
            folder = update.TempFolderPath();
            Receiver receiver;
            update.FMainForm = &receiver;
            update.AktualizaceParalel(true);
            update.AktualizaceParalel(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        QVERIFY(!QDir(folder).exists());
        Tamo::AbortDownload = false;
    }

    void waitWindow()
    {
        Tamo::TWaitWindow window;
        window.ShowAndPaint();
        QCOMPARE(window.size(), QSize(233, 70));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window.Panel()->text(), QStringLiteral("Čekejte prosím..."));
        QCOMPARE(window.Panel()->alignment(), Qt::AlignCenter);
        QCOMPARE(window.Panel()->palette().color(QPalette::Window), QColor(254, 239, 152));
        QCOMPARE(window.Panel()->font().pointSize(), 12);
        QCOMPARE(window.Panel()->font().families().value(0), QStringLiteral("Segoe UI"));
        QCOMPARE(window.Panel()->geometry(), window.rect());
    }
};

QTEST_MAIN(TestAppUpdate)
#include "tst_appupdate.moc"
