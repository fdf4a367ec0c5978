#include "TamoSettings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using Tamo::SettingsStore;

class TamoSettingsTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir FHome;
    const QString FKeyPath = QStringLiteral("Software\\VORBIX software\\VORBIX Quodra 2020");

    // A file of its own per case: the toolkit caches a file's contents while its
    // size and modification second stay the same.
    QString WriteIni(const QByteArray &aBytes, const QString &aName = QString())
    {
        static int counter = 0;
        const QString path =
            FHome.filePath(aName.isEmpty() ? QStringLiteral("test%1.ini").arg(++counter) : aName);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(aBytes);
        return path;
    }

private slots:
    void initTestCase()
    {
        // Never the user's real settings: the native store lives below this folder.
        QVERIFY(FHome.isValid());
        qputenv("XDG_CONFIG_HOME", FHome.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("HOME", FHome.path().toLocal8Bit());
    }

    void nativeStoreWritesDecimalTextBelowKeyPath()
    {
        {
            SettingsStore store(FKeyPath);
            store.WriteInteger(QStringLiteral("Settings\\SplitterBottom"), QStringLiteral("Position"), -42);
            store.WriteBool(QStringLiteral("Settings"), QStringLiteral("MainForm_FirstTime"), true);
        }
#ifndef _WIN32
        const QString file = FHome.filePath(QStringLiteral("config/VORBIX software/VORBIX Quodra 2020.conf"));
        QVERIFY2(QFile::exists(file), qPrintable(file));
        QSettings raw(file, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("Settings/SplitterBottom/Position")).metaType().id(),
                 QMetaType::QString);
        QCOMPARE(raw.value(QStringLiteral("Settings/SplitterBottom/Position")).toString(),
                 QStringLiteral("-42"));
        QCOMPARE(raw.value(QStringLiteral("Settings/MainForm_FirstTime")).toString(), QStringLiteral("1"));
#endif
        SettingsStore again(FKeyPath);
        QCOMPARE(again.ReadInteger(QStringLiteral("Settings\\SplitterBottom"), QStringLiteral("Position"), 0),
                 -42);
        QVERIFY(again.ReadBool(QStringLiteral("Settings"), QStringLiteral("MainForm_FirstTime"), false));
        QVERIFY(again.SectionExists(QStringLiteral("Settings\\SplitterBottom")));
        QVERIFY(again.SectionExists(QStringLiteral("settings\\splitterbottom")));
        QVERIFY(!again.SectionExists(QStringLiteral("Settings\\Other")));
        again.EraseSection(QStringLiteral("Settings\\SplitterBottom"));
        QVERIFY(!again.SectionExists(QStringLiteral("Settings\\SplitterBottom")));
        QVERIFY(again.SectionExists(QStringLiteral("Settings")));
    }

    void readIntegerFallsBackToDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "17" << 17;
        QTest::newRow("negative") << "-8" << -8;
        QTest::newRow("blanks around") << " 12 " << 12;
        QTest::newRow("letters") << "abc" << 99;
        QTest::newRow("empty") << "" << 99;
        QTest::newRow("beyond 32 bits") << "4294967296" << 99;
        QTest::newRow("fraction") << "1.5" << 99;
    }
    void readIntegerFallsBackToDefault()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        SettingsStore store(FKeyPath);
        store.WriteString(QStringLiteral("Test"), QStringLiteral("Value"), stored);
        QCOMPARE(store.ReadInteger(QStringLiteral("Test"), QStringLiteral("Value"), 99), expected);
        QCOMPARE(store.ReadInteger(QStringLiteral("Test"), QStringLiteral("Missing"), 99), 99);
        QCOMPARE(store.ReadInteger(QStringLiteral("NoSection"), QStringLiteral("Value"), 99), 99);
    }

    void readBoolIsNonZero_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << "1" << false << true;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("5") << "5" << false << true;
        QTest::newRow("garbage, default true") << "x" << true << true;
        QTest::newRow("garbage, default false") << "x" << false << false;
    }
    void readBoolIsNonZero()
    {
        QFETCH(QString, stored);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        SettingsStore store(FKeyPath);
        store.WriteString(QStringLiteral("Test"), QStringLiteral("Flag"), stored);
        QCOMPARE(store.ReadBool(QStringLiteral("Test"), QStringLiteral("Flag"), defaultValue), expected);
    }

    void iniFileReadsLeniently_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("[Settings]\r\nUserName=Jan\r\n") << "Settings"
                               << "UserName"
                               << "Jan";
        QTest::newRow("case of section and name") << QByteArray("[SETTINGS]\nusername=Jan\n") << "Settings"
                                                  << "UserName"
                                                  << "Jan";
        QTest::newRow("comma stays") << QByteArray("[Settings]\nCompany=Firma, s.r.o.\n") << "Settings"
                                     << "Company"
                                     << "Firma, s.r.o.";
        QTest::newRow("semicolon stays") << QByteArray("[Settings]\nCompany=A;B\n") << "Settings"
                                         << "Company"
                                         << "A;B";
        QTest::newRow("blanks and quotes")
            << QByteArray("[Settings]\n  UserName =  \" Jan \" \n") << "Settings"
            << "UserName"
            << " Jan ";
        QTest::newRow("comment line") << QByteArray("[Settings]\n;UserName=X\nUserName=Y\n") << "Settings"
                                      << "UserName"
                                      << "Y";
        QTest::newRow("utf-8 with bom")
            << QByteArray("\xEF\xBB\xBF[Settings]\nUserName=Novák\n") << "Settings"
            << "UserName" << QStringLiteral("Novák");
        QTest::newRow("utf-8 without bom") << QByteArray("[Settings]\nUserName=Nov\xC3\xA1k\n") << "Settings"
                                           << "UserName" << QStringLiteral("Novák");
        QTest::newRow("other section") << QByteArray("[Other]\nUserName=X\n") << "Settings"
                                       << "UserName"
                                       << "";
        QTest::newRow("backslash and percent") << QByteArray("[Settings]\nPath=C:\\Temp\\%1\n") << "Settings"
                                               << "Path"
                                               << "C:\\Temp\\%1";
        QTest::newRow("url") << QByteArray("[Settings]\nHttpExternalFile=http://x.example/a.zip?b=1&c=2\n")
                             << "Settings"
                             << "HttpExternalFile"
                             << "http://x.example/a.zip?b=1&c=2";
    }
    void iniFileReadsLeniently()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        auto ini = SettingsStore::OpenIniFile(WriteIni(bytes));
        QCOMPARE(ini->ReadString(section, name, QString()), expected);
    }

    void missingIniFileReadsEmpty()
    {
        auto ini = SettingsStore::OpenIniFile(FHome.filePath(QStringLiteral("none.ini")));
        QCOMPARE(ini->ReadString(QStringLiteral("Settings"), QStringLiteral("UserName"), QString()),
                 QString());
        QVERIFY(!ini->SectionExists(QStringLiteral("Settings")));
        QVERIFY(!QFile::exists(FHome.filePath(QStringLiteral("none.ini"))));
    }

    void iniFileChangeShowsOnNextRead()
    {
        const QString path = WriteIni("[Settings]\nUserName=First\n", QStringLiteral("changing.ini"));
        auto ini = SettingsStore::OpenIniFile(path);
        QCOMPARE(ini->ReadString(QStringLiteral("Settings"), QStringLiteral("UserName"), QString()),
                 QStringLiteral("First"));
        QTest::qWait(1100); // a later modification time than the first read saw
        WriteIni("[Settings]\nUserName=Second\n", QStringLiteral("changing.ini"));
        QCOMPARE(ini->ReadString(QStringLiteral("Settings"), QStringLiteral("UserName"), QString()),
                 QStringLiteral("Second"));
    }
};

QTEST_GUILESS_MAIN(TamoSettingsTest)
#include "TamoSettingsTest.moc"
