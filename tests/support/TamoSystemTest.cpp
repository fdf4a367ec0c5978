#include "TamoSystem.h"
#include "QuodraConfig.h"
#include "TamoException.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Tamo;

namespace {

void WriteFile(const QString &aPath, const QByteArray &aBytes = "x")
{
    QFile file(aPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(aBytes);
}

QStringList Tree(const QString &aFolder)
{
    QStringList names;
    QDir dir(aFolder);
    const auto filters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo &info : dir.entryInfoList(filters, QDir::Name)) {
        names << info.fileName();
        if (info.isDir() && !info.isSymLink())
            for (const QString &inner : Tree(info.filePath()))
                names << info.fileName() + QLatin1Char('/') + inner;
    }
    return names;
}

} // namespace

class TamoSystemTest : public QObject
{
    Q_OBJECT
private:
    QString FStartDir;

private slots:
    void initTestCase() { FStartDir = QDir::currentPath(); }
    void cleanup()
    {
        SetShellOpenHook({});
        QDir::setCurrent(FStartDir);
    }

    void shellOpenPassesParameters_data()
    {
        QTest::addColumn<QString>("params");
        QTest::addColumn<QString>("passed");
        QTest::newRow("none") << ""
                              << "";
        QTest::newRow("only blanks") << "  \t "
                                     << "";
        QTest::newRow("blanks kept around text") << " /silent "
                                                 << " /silent ";
        QTest::newRow("plain") << "/silent"
                               << "/silent";
    }
    void shellOpenPassesParameters()
    {
        QFETCH(QString, params);
        QFETCH(QString, passed);
        QString seenTarget, seenParams;
        int seenShow = -1;
        SetShellOpenHook([&](const QString &aTarget, const QString &aParams, int aShow) {
            seenTarget = aTarget;
            seenParams = aParams;
            seenShow = aShow;
            return 42;
        });
        ShellOpen(QStringLiteral("https://www.vorbix.example/quodra"), params, 5);
        QCOMPARE(seenTarget, QStringLiteral("https://www.vorbix.example/quodra"));
        QCOMPARE(seenParams, passed);
        QCOMPARE(seenShow, 5);
        QCOMPARE(QDir::currentPath(), FStartDir); // a web address has no folder
    }

    void shellOpenRaisesOnSmallResults_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("raises");
        QTest::newRow("33 succeeds") << 33 << false;
        QTest::newRow("42 succeeds") << 42 << false;
        QTest::newRow("32 fails") << 32 << true;
        QTest::newRow("2 fails") << 2 << true;
        QTest::newRow("0 fails") << 0 << true;
        QTest::newRow("negative fails") << -5 << true;
    }
    void shellOpenRaisesOnSmallResults()
    {
        QFETCH(int, result);
        QFETCH(bool, raises);
        SetShellOpenHook([&](const QString &, const QString &, int) { return result; });
        try {
            ShellOpen(QStringLiteral("mailto:a@b.example"), QString(), 5);
            QVERIFY(!raises);
        } catch (const Tamo::Exception &e) {
            QVERIFY(raises);
            QCOMPARE(QString::fromStdString(e.what()),
                     QStringLiteral("ShellExecute result = %1").arg(result));
        }
    }

    void shellOpenMakesTheTargetsFolderCurrent()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath(QStringLiteral("app"));
        QString seenTarget;
        SetShellOpenHook([&](const QString &aTarget, const QString &, int) {
            seenTarget = aTarget;
            return 42;
        });
        QDir::setCurrent(dir.path());
        // A relative target is resolved from where the caller stood.
        ShellOpen(QStringLiteral("app/Historie.rtf"), QString(), 5);
        QCOMPARE(QDir::currentPath(), QDir(dir.filePath(QStringLiteral("app"))).canonicalPath());
        QCOMPARE(seenTarget, QDir(dir.path()).absoluteFilePath(QStringLiteral("app/Historie.rtf")));
    }

#ifndef _WIN32
    void shellOpenMissingFileFails()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(Tamo::Exception,
                                 ShellOpen(dir.filePath(QStringLiteral("none.rtf")), QString(), 5));
        try {
            ShellOpen(dir.filePath(QStringLiteral("none.rtf")), QString(), 5);
        } catch (const Tamo::Exception &e) {
            QCOMPARE(QByteArray(e.what()), QByteArray("ShellExecute result = 2"));
        }
    }

    void shellOpenStartsAProgramDetached()
    {
        QTemporaryDir dir;
        const QString script = dir.filePath(QStringLiteral("setup.sh"));
        const QString marker = dir.filePath(QStringLiteral("marker"));
        WriteFile(script, QByteArray("#!/bin/sh\necho \"$@\" > \"") + QFile::encodeName(marker) + "\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ShellOpen(script, QStringLiteral("/silent \"two words\""), 5);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker) && QFileInfo(marker).size() > 0, 10000);
        QFile file(marker);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("/silent two words\n"));
    }
#endif

    void operatingSystemText()
    {
        const QString text = OperatingSystemText();
        QVERIFY2(QRegularExpression(QStringLiteral("^.+ \\(build \\d+\\)$")).match(text).hasMatch(),
                 qPrintable(text));
        QVERIFY(text.startsWith(QSysInfo::prettyProductName().left(3)));
        QCOMPARE(text.contains(QStringLiteral(" x64 (build ")),
                 QSysInfo::currentCpuArchitecture() == QLatin1String("x86_64"));
    }

    void fileVersionText()
    {
        const QString own = QStringLiteral(QUODRA_VERSION_TEXT);
        QCOMPARE(FileVersionText(QString(), false), own);
        QCOMPARE(FileVersionText(QCoreApplication::applicationFilePath(), false), own);
        QTemporaryDir dir;
        QCOMPARE(FileVersionText(dir.filePath(QStringLiteral("missing.exe")), true), QString());
#ifndef _WIN32
        const QString other = dir.filePath(QStringLiteral("other"));
        WriteFile(other);
        QCOMPARE(FileVersionText(other, true), QString());
#endif
    }

    void versionWithBeta_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("withBeta");
        QTest::addColumn<QString>("expected");
        QTest::newRow("release") << "3.0.0.0" << true << "3.0.0.0";
        QTest::newRow("beta") << "3.0.0.7" << true << "3.0.0.7 - BETA";
        QTest::newRow("beta without flag") << "3.0.0.7" << false << "3.0.0.7";
        QTest::newRow("empty") << "" << true << "";
    }
    void versionWithBeta()
    {
        QFETCH(QString, version);
        QFETCH(bool, withBeta);
        QFETCH(QString, expected);
        QCOMPARE(VersionWithBeta(version, withBeta), expected);
    }

    void notUnderDebugger()
    {
        QVERIFY(!RunningUnderDebugger());
    }

    void tempFolder()
    {
        QTemporaryDir dir;
        const QString wanted = dir.filePath(QStringLiteral("a/b"));
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(wanted));
        const QString notCreated = TempFolder(false);
        const bool existedBefore = QFileInfo::exists(wanted);
        const QString created = TempFolder(true);
        qputenv("TMPDIR", saved);
        QCOMPARE(notCreated, QDir::toNativeSeparators(wanted) + QDir::separator());
        QVERIFY(!existedBefore);
        QCOMPARE(created, notCreated);
        QVERIFY(QFileInfo(wanted).isDir());
    }

    void deleteFolderContents_data()
    {
        QTest::addColumn<bool>("recursive");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("not recursive")
            << false << QStringList{"linkToOutside", "readOnlyFolder", "readOnlyFolder/inner", "sub",
                                    "sub/.hidden",   "sub/deeper",     "sub/deeper/file"};
        QTest::newRow("recursive") << true << QStringList{};
    }
    void deleteFolderContents()
    {
        QFETCH(bool, recursive);
        QFETCH(QStringList, left);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("clean"));
        const QString outside = root.filePath(QStringLiteral("outside"));
        QDir(root.path()).mkpath(QStringLiteral("clean/sub/deeper"));
        QDir(root.path()).mkpath(QStringLiteral("clean/readOnlyFolder"));
        QDir(root.path()).mkpath(QStringLiteral("outside"));
        WriteFile(folder + QStringLiteral("/plain.txt"));
        WriteFile(folder + QStringLiteral("/.hidden"));
        WriteFile(folder + QStringLiteral("/readOnly.txt"));
        QFile::setPermissions(folder + QStringLiteral("/readOnly.txt"), QFile::ReadOwner);
        WriteFile(folder + QStringLiteral("/sub/.hidden"));
        WriteFile(folder + QStringLiteral("/sub/deeper/file"));
        WriteFile(folder + QStringLiteral("/readOnlyFolder/inner"));
        QFile::setPermissions(folder + QStringLiteral("/readOnlyFolder"), QFile::ReadOwner | QFile::ExeOwner);
        WriteFile(outside + QStringLiteral("/keep.txt"));
        QVERIFY(QFile::link(outside, folder + QStringLiteral("/linkToOutside")));
        QVERIFY(QFile::link(outside + QStringLiteral("/keep.txt"), folder + QStringLiteral("/linkToFile")));
        QVERIFY(QFile::link(outside + QStringLiteral("/gone"), folder + QStringLiteral("/dangling")));

        DeleteFolderContents(folder + QDir::separator(), recursive);

        const QStringList remaining = Tree(folder);
        QFile::setPermissions(folder + QStringLiteral("/readOnlyFolder"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); // for the clean-up
        QCOMPARE(remaining, left);
        QVERIFY(QFileInfo(folder).isDir());
        // What the links pointed to is never touched.
        QCOMPARE(Tree(outside), QStringList{QStringLiteral("keep.txt")});
    }

    void deleteFolderContentsIgnoresNoFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("backslash") << "\\";
        QTest::newRow("missing") << "/nonexistent/quodra/folder/";
    }
    void deleteFolderContentsIgnoresNoFolder()
    {
        QFETCH(QString, folder);
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("stays")));
        QDir::setCurrent(dir.path());
        DeleteFolderContents(folder, true);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("stays"))));
    }
};

QTEST_GUILESS_MAIN(TamoSystemTest)
#include "TamoSystemTest.moc"
