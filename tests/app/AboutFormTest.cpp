#include "About.h"
#include "QuodraConfig.h"
#include "TamoSettings.h"
#include "TamoSystem.h"

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class AboutFormTest : public QObject
{
    Q_OBJECT
private slots:
    void textsAreFilledAndIniIsReadAtEveryShowing();
    void enterAndEscClose_data();
    void enterAndEscClose();

private:
    static void WriteIni(const QString &aPath, const QByteArray &aName)
    {
        QFile file(aPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nUserName=" + aName + "\nCompany=ACME\n");
    }
};

void AboutFormTest::textsAreFilledAndIniIsReadAtEveryShowing()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Quodra.ini"));
    WriteIni(ini, "Jan");
    std::unique_ptr<Tamo::SettingsStore> store = Tamo::SettingsStore::OpenIniFile(ini);
    TAboutForm form(store.get());
    QCOMPARE(form.windowTitle(), QStringLiteral("O aplikaci..."));
    QCOMPARE(form.size(), QSize(572, 350));
    QCOMPARE(form.LabMainTitle->text(), QStringLiteral("VORBIX Quodra 2020"));

    form.show();
    QCOMPARE(form.LabJmeno->text(), QStringLiteral("Jan"));
    QCOMPARE(form.LabSpolecnost->text(), QStringLiteral("ACME"));
    QCOMPARE(form.LabVerzeAplikace->text(), Tamo::FileVersionText(QString(), true));
    QCOMPARE(form.LabOperacniSystem->text(), Tamo::OperatingSystemText());
    const int year = QDate::currentDate().year();
    const QString years = year == 2015 ? QStringLiteral("2015") : QStringLiteral("2015-%1").arg(year);
    QCOMPARE(form.LabCopyright->text(),
             QStringLiteral("Copyright © %1 %2").arg(years, QStringLiteral(QUODRA_COPYRIGHT_HOLDER)));
    QVERIFY(!form.cxGroupBox1->isVisible()); // filled in, yet hidden
    form.hide();

    WriteIni(ini, "Petr");
    store = Tamo::SettingsStore::OpenIniFile(ini);
    form.SetIniSettings(store.get());
    form.show();
    QCOMPARE(form.LabJmeno->text(), QStringLiteral("Petr"));
}

void AboutFormTest::enterAndEscClose_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void AboutFormTest::enterAndEscClose()
{
    QFETCH(int, key);
    TAboutForm form(nullptr);
    QTimer::singleShot(100, &form, [&] { QTest::keyClick(&form, Qt::Key(key)); });
    QTimer::singleShot(5000, &form, [&] { form.done(-1); }); // never hang the run
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QVERIFY(form.LabJmeno->text().isEmpty()); // no ini: empty values, nothing reported
}

QTEST_MAIN(AboutFormTest)
#include "AboutFormTest.moc"
