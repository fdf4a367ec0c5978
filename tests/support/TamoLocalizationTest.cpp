#include "TamoLocalization.h"

#include <QApplication>
#include <QTest>
#include <QTranslator>

using namespace Tamo;

class TamoLocalizationTest : public QObject
{
    Q_OBJECT
private slots:
    void czechToolkitTexts()
    {
        QVERIFY(ActivateLocalizer());
        // A standard text of the toolkit now comes in Czech.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
    }
    void secondCallInstallsNothingMore()
    {
        const qsizetype before = qApp->findChildren<QTranslator *>().size();
        QVERIFY(ActivateLocalizer(QStringLiteral("cs")));
        QCOMPARE(qApp->findChildren<QTranslator *>().size(), before);
    }
    void unknownLanguageIsReported() { QVERIFY(!ActivateLocalizer(QStringLiteral("xx"))); }
};

QTEST_MAIN(TamoLocalizationTest)
#include "TamoLocalizationTest.moc"
