// DownloadFile against a local HTTP server, and StrToDateFormat.

#include "TamoDownload.h"
#include "TamoException.h"
#include "TestServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <thread>

class TestDownload : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir mRoot;   // served by the server
    QTemporaryDir mTarget; // where downloads land
    std::unique_ptr<TestServer> mServer;

    QString target(const QString &aName) const { return mTarget.filePath(aName); }
    void serve(const QString &aName, const QByteArray &aBody)
    {
        QFile file(mRoot.filePath(aName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(aBody);
    }
    static QByteArray readAll(const QString &aFileName)
    {
        QFile file(aFileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QByteArray requestLog() const
    {
        const QString log = mTarget.filePath(QStringLiteral("log.txt"));
        Tamo::DownloadFile(mServer->Url(QStringLiteral("log")), log, QString());
        return readAll(log);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(mRoot.isValid() && mTarget.isValid());
        mServer = std::make_unique<TestServer>(mRoot.path());
        QVERIFY(mServer->IsRunning());
    }
    void init() { Tamo::AbortDownload = false; }
    void cleanup()
    {
        Tamo::AbortDownload = false;
        Tamo::SetDownloadStallSeconds(60);
    }

    void body_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one byte") << 1;
        QTest::newRow("exactly 1024") << 1024;
        QTest::newRow("exactly 2048") << 2048;
        QTest::newRow("several pieces") << 70001;
    }
    void body()
    {
        QFETCH(int, size);
        QByteArray data(size, '\0');
        for (int i = 0; i < size; ++i)
            data[i] = static_cast<char>(i * 7 + 3);
        const QString name = QStringLiteral("body%1.bin").arg(size);
        serve(name, data);
        const QString file = target(name);
        QVERIFY(Tamo::DownloadFile(mServer->Url(name), file, QString()));
        QCOMPARE(readAll(file), data);
    }

    void overwritesExistingTarget()
    {
        serve(QStringLiteral("short.txt"), "new");
        const QString file = target(QStringLiteral("existing.txt"));
        {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("a much longer old content");
        }
        QVERIFY(Tamo::DownloadFile(mServer->Url(QStringLiteral("short.txt")), file, QString()));
        QCOMPARE(readAll(file), QByteArray("new"));
    }

    void sendsAgentAndNoCacheHeaders()
    {
        serve(QStringLiteral("headers.txt"), "x");
        QVERIFY(Tamo::DownloadFile(mServer->Url(QStringLiteral("headers.txt")),
                                   target(QStringLiteral("h.txt")), QString()));
        QVERIFY(requestLog().contains("GET /headers.txt ua=VorbixApp cache=no-cache pragma=no-cache"));
    }

    void followsRedirect()
    {
        serve(QStringLiteral("moved.txt"), "moved body");
        const QString file = target(QStringLiteral("moved.txt"));
        QVERIFY(Tamo::DownloadFile(mServer->Url(QStringLiteral("redirect/moved.txt")), file, QString()));
        QCOMPARE(readAll(file), QByteArray("moved body"));
    }

    // An error answer is a failed download and never replaces or creates the target.
    void errorStatus_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("existing");
        QTest::newRow("404 new") << "status/404" << false;
        QTest::newRow("404 existing") << "status/404" << true;
        QTest::newRow("missing file") << "no-such-file.txt" << false;
        QTest::newRow("500 existing") << "status/500" << true;
        QTest::newRow("403 new") << "status/403" << false;
        QTest::newRow("redirect to 404") << "redirect/status/404" << true;
    }
    void errorStatus()
    {
        QFETCH(QString, path);
        QFETCH(bool, existing);
        const QString file = target(QStringLiteral("error-target.txt"));
        QFile::remove(file);
        if (existing) {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("keep me");
        }
        QVERIFY(!Tamo::DownloadFile(mServer->Url(path), file, QString()));
        if (existing)
            QCOMPARE(readAll(file), QByteArray("keep me"));
        else
            QVERIFY(!QFile::exists(file));
    }

    void unreachableServerLeavesTargetUntouched()
    {
        const QString file = target(QStringLiteral("unreachable.txt"));
        QVERIFY(!Tamo::DownloadFile(TestServer::ClosedUrl(), file, QString()));
        QVERIFY(!QFile::exists(file));
        QVERIFY(!Tamo::DownloadFile(QString(), file, QString()));
        QVERIFY(!Tamo::DownloadFile(QStringLiteral("file:///etc/hostname"), file, QString()));
        QVERIFY(!QFile::exists(file));
    }

    void connectionTest()
    {
        serve(QStringLiteral("tested.txt"), "tested");
        const QString file = target(QStringLiteral("tested.txt"));
        {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
            old.write("old");
        }
        // Unreachable test URL: false at once, no request for the file, the target kept.
        QVERIFY(!Tamo::DownloadFile(mServer->Url(QStringLiteral("tested.txt?unreached")), file,
                                    TestServer::ClosedUrl()));
        QCOMPARE(readAll(file), QByteArray("old"));
        QVERIFY(!requestLog().contains("tested.txt?unreached"));

        // Reachable: a HEAD to the test URL, then the GET.
        QVERIFY(Tamo::DownloadFile(mServer->Url(QStringLiteral("tested.txt")), file,
                                   mServer->Url(QStringLiteral("probe"))));
        QCOMPARE(readAll(file), QByteArray("tested"));
        QVERIFY(requestLog().contains("HEAD /probe ua=VorbixApp"));
    }

    void abortAlreadySet()
    {
        const QByteArray data(5000, 'a');
        serve(QStringLiteral("abort.bin"), data);
        const QString file = target(QStringLiteral("abort.bin"));
        Tamo::AbortDownload = true;
        QVERIFY(!Tamo::DownloadFile(mServer->Url(QStringLiteral("abort.bin")), file, QString()));
        const QByteArray written = readAll(file);
        QVERIFY(written.size() > 0 && written.size() <= 1024);
        QVERIFY(data.startsWith(written));
    }

    void missingTargetFolderRaises()
    {
        serve(QStringLiteral("folder.txt"), "content");
        const QString file = target(QStringLiteral("no-such-folder/file.txt"));
        QVERIFY_THROWS_EXCEPTION(
            Tamo::EFileError,
            Tamo::DownloadFile(mServer->Url(QStringLiteral("folder.txt")), file, QString()));
        QVERIFY(!QFile::exists(file));
        // The handles were released: the next transfer works normally.
        QVERIFY(Tamo::DownloadFile(mServer->Url(QStringLiteral("folder.txt")),
                                   target(QStringLiteral("ok.txt")), QString()));
    }

    // A server that stops sending fails the transfer after the stall time.
    void stall_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("in the body") << "stall";
        QTest::newRow("before the answer") << "stall-headers";
    }
    void stall()
    {
        QFETCH(QString, path);
        Tamo::SetDownloadStallSeconds(1);
        QVERIFY(!Tamo::DownloadFile(mServer->Url(path), target(QStringLiteral("stall.bin")), QString()));
    }

    // An abort requested while nothing arrives ends the transfer without waiting for the stall time.
    void abortDuringStall()
    {
        std::thread aborter([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            Tamo::AbortDownload = true;
        });
        const bool result = Tamo::DownloadFile(mServer->Url(QStringLiteral("stall")),
                                               target(QStringLiteral("stall2.bin")), QString());
        aborter.join();
        QVERIFY(!result);
    }

    void strToDateFormat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        const double may17 = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2020, 5, 17)));
        QTest::newRow("date") << "2020-05-17" << may17;
        QTest::newRow("no leading zeros") << "2020-5-7" << may17 - 10;
        QTest::newRow("surrounding blanks") << "  2020-05-17 " << may17;
        QTest::newRow("with time") << "2020-05-17 12:00" << may17 + 0.5;
        QTest::newRow("with seconds") << "2020-05-17 06:00:00" << may17 + 0.25;
        QTest::newRow("epoch") << "1899-12-30" << 0.0;
        QTest::newRow("slashes") << "2020/05/17" << 0.0;
        QTest::newRow("dots") << "17.05.2020" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("text") << "yesterday" << 0.0;
        QTest::newRow("month 13") << "2020-13-01" << 0.0;
        QTest::newRow("30 February") << "2020-02-30" << 0.0;
        QTest::newRow("hour 24") << "2020-05-17 24:00" << 0.0;
        QTest::newRow("trailing text") << "2020-05-17x" << 0.0;
        QTest::newRow("day only two parts") << "2020-05" << 0.0;
    }
    void strToDateFormat()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Tamo::StrToDateFormat(QStringLiteral("yyyy/mm/dd"), QLatin1Char('-'), text), expected);
    }
};

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
