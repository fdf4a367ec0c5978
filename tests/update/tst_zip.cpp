// TZipFile over libzip: validity, directory order, extraction, unsafe paths.

#include "TamoException.h"
#include "TamoZip.h"
#include "TestZip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestZip : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir mDir;

    QString path(const QString &aName) const { return mDir.filePath(aName); }
    static QByteArray readAll(const QString &aFileName)
    {
        QFile file(aFileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QString freshFolder(const QString &aName) const
    {
        QDir(path(aName)).removeRecursively();
        QDir().mkpath(path(aName));
        return path(aName) + QLatin1Char('/');
    }

private slots:
    void isValid()
    {
        QVERIFY(WriteTestZip(path(QStringLiteral("good.zip")), {{QStringLiteral("a.txt"), "a"}}));
        QVERIFY(Tamo::TZipFile::IsValid(path(QStringLiteral("good.zip"))));
        QVERIFY(WriteTestZip(path(QStringLiteral("empty.zip")), {}));
        QVERIFY(Tamo::TZipFile::IsValid(path(QStringLiteral("empty.zip"))));

        QFile page(path(QStringLiteral("page.zip")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body>not found</body></html>");
        page.close();
        QVERIFY(!Tamo::TZipFile::IsValid(path(QStringLiteral("page.zip"))));
        QFile zeroBytes(path(QStringLiteral("zero.zip")));
        QVERIFY(zeroBytes.open(QIODevice::WriteOnly));
        zeroBytes.close();
        QVERIFY(!Tamo::TZipFile::IsValid(path(QStringLiteral("zero.zip"))));
        QVERIFY(!Tamo::TZipFile::IsValid(path(QStringLiteral("missing.zip"))));

        // A truncated archive is not valid either.
        QByteArray whole = readAll(path(QStringLiteral("good.zip")));
        QFile cut(path(QStringLiteral("cut.zip")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(whole.left(whole.size() - 10));
        cut.close();
        QVERIFY(!Tamo::TZipFile::IsValid(path(QStringLiteral("cut.zip"))));
    }

    void openMissingRaises()
    {
        Tamo::TZipFile zip;
        QVERIFY_THROWS_EXCEPTION(Tamo::EFileError, zip.Open(path(QStringLiteral("missing.zip"))));
    }

    void extractsAllInDirectoryOrder()
    {
        const QString archive = path(QStringLiteral("several.zip"));
        QVERIFY(WriteTestZip(archive, {{QStringLiteral("setup.sh"), "first"},
                                       {QStringLiteral("docs/readme.txt"), "readme"},
                                       {QStringLiteral("docs/deep/more.txt"), "deeper"},
                                       {QStringLiteral("a.txt"), "last"}}));
        const QString folder = freshFolder(QStringLiteral("out"));
        {
            QFile old(folder + QStringLiteral("a.txt"));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("to be overwritten, longer than the entry");
        }
        Tamo::TZipFile zip;
        zip.Open(archive);
        QCOMPARE(zip.FileNames(),
                 QStringList({QStringLiteral("setup.sh"), QStringLiteral("docs/readme.txt"),
                              QStringLiteral("docs/deep/more.txt"), QStringLiteral("a.txt")}));
        zip.ExtractAll(folder);
        QCOMPARE(readAll(folder + QStringLiteral("setup.sh")), QByteArray("first"));
        QCOMPARE(readAll(folder + QStringLiteral("docs/readme.txt")), QByteArray("readme"));
        QCOMPARE(readAll(folder + QStringLiteral("docs/deep/more.txt")), QByteArray("deeper"));
        QCOMPARE(readAll(folder + QStringLiteral("a.txt")), QByteArray("last"));
    }

    void safeEntryName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "setup.exe" << true;
        QTest::newRow("sub-folder") << "bin/setup.exe" << true;
        QTest::newRow("folder entry") << "bin/" << true;
        QTest::newRow("dots in a name") << "a..b/c..txt" << true;
        QTest::newRow("current folder") << "./a.txt" << true;
        QTest::newRow("parent") << "../evil.txt" << false;
        QTest::newRow("parent inside") << "a/../../evil.txt" << false;
        QTest::newRow("parent at end") << "a/.." << false;
        QTest::newRow("backslash parent") << "a\\..\\..\\evil.txt" << false;
        QTest::newRow("absolute") << "/etc/evil" << false;
        QTest::newRow("absolute backslash") << "\\evil.txt" << false;
        QTest::newRow("drive") << "C:evil.txt" << false;
        QTest::newRow("drive root") << "C:/evil.txt" << false;
        QTest::newRow("empty") << "" << false;
    }
    void safeEntryName()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(Tamo::TZipFile::IsSafeEntryName(name), safe);
    }

    // One bad entry refuses the archive before anything is written.
    void unsafeArchiveWritesNothing_data()
    {
        QTest::addColumn<QString>("badName");
        QTest::newRow("climbs out") << "../escaped.txt";
        QTest::newRow("absolute") << "/tmp/quodra-absolute-entry.txt";
    }
    void unsafeArchiveWritesNothing()
    {
        QFETCH(QString, badName);
        const QString archive = path(QStringLiteral("bad.zip"));
        QVERIFY(WriteTestZip(archive, {{QStringLiteral("setup.sh"), "first"}, {badName, "evil"}}));
        const QString folder = freshFolder(QStringLiteral("bad/inner"));
        Tamo::TZipFile zip;
        zip.Open(archive);
        QVERIFY(!zip.HasSafePaths());
        QVERIFY_THROWS_EXCEPTION(Tamo::Exception, zip.ExtractAll(folder));
        QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(!QFile::exists(path(QStringLiteral("bad/escaped.txt"))));
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/quodra-absolute-entry.txt")));
    }

    void damagedEntryRaises()
    {
        const QString archive = path(QStringLiteral("damaged.zip"));
        const QByteArray content(4000, 'z');
        QVERIFY(WriteTestZip(archive, {{QStringLiteral("data.bin"), content}}));
        // Flip a byte of the compressed data (after the 30-byte local header and the name).
        QByteArray bytes = readAll(archive);
        bytes[30 + 8 + 2] = static_cast<char>(bytes[30 + 8 + 2] ^ 0x55);
        QFile out(archive);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        out.close();
        Tamo::TZipFile zip;
        zip.Open(archive);
        QVERIFY_THROWS_EXCEPTION(Tamo::EFileError, zip.ExtractAll(freshFolder(QStringLiteral("damaged"))));
    }

#ifndef _WIN32
    void executableBit()
    {
        const QString archive = path(QStringLiteral("modes.zip"));
        QVERIFY(WriteTestZip(archive, {{QStringLiteral("run.sh"), "#!/bin/sh\n", 0755},
                                       {QStringLiteral("plain.txt"), "text", 0644},
                                       {QStringLiteral("dos.txt"), "text", 0}}));
        const QString folder = freshFolder(QStringLiteral("modes"));
        Tamo::TZipFile zip;
        zip.Open(archive);
        zip.ExtractAll(folder);
        QVERIFY(QFileInfo(folder + QStringLiteral("run.sh")).isExecutable());
        QVERIFY(!QFileInfo(folder + QStringLiteral("plain.txt")).isExecutable());
        QVERIFY(!QFileInfo(folder + QStringLiteral("dos.txt")).isExecutable());
    }
#endif
};

QTEST_GUILESS_MAIN(TestZip)
#include "tst_zip.moc"
