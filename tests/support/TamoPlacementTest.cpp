#include "TamoPlacement.h"
#include "TamoSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace Tamo;

namespace {

// Monitors as a test lays them out; the window is "nearest" to FNearest.
class FakeScreens : public IScreenInfo
{
public:
    explicit FakeScreens(QList<QRect> aMonitors, int aNearest = 0) : FMonitors(aMonitors), FNearest(aNearest)
    {}
    QRect PrimaryGeometry() const override { return FMonitors.value(0); }
    int MonitorCount() const override { return static_cast<int>(FMonitors.size()); }
    QRect MonitorGeometry(int aIndex) const override { return FMonitors.value(aIndex); }
    int MonitorOf(const QWidget *) const override { return FNearest; }

private:
    QList<QRect> FMonitors;
    int FNearest;
};

const QRect kFullHd(0, 0, 1920, 1080);
const QString kSettings = QStringLiteral("Settings");

} // namespace

class TamoPlacementTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir FDir;
    std::unique_ptr<SettingsStore> FStore;
    std::unique_ptr<QWidget> FForm;

    QString Value(const QString &aName)
    {
        return FStore->ReadString(kSettings, aName, QStringLiteral("<none>"));
    }
    void Store(const QString &aName, int aValue) { FStore->WriteInteger(kSettings, aName, aValue); }
    // A designed window as the main window is before its placement comes back.
    std::unique_ptr<QWidget> NewForm()
    {
        auto form = std::make_unique<QWidget>();
        form->setObjectName(QStringLiteral("MainForm"));
        form->resize(640, 480);
        form->move(7, 9);
        return form;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FDir.isValid());
        qputenv("XDG_CONFIG_HOME", FDir.filePath(QStringLiteral("config")).toLocal8Bit());
    }
    void init()
    {
        QFile::remove(FDir.filePath(QStringLiteral("store.ini")));
        FStore = std::make_unique<SettingsStore>(
            std::make_unique<QSettings>(FDir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat));
        FForm = NewForm();
    }
    void cleanup()
    {
        FForm.reset();
        FStore.reset();
    }

    void firstRunCentresAndWritesNothing()
    {
        QVERIFY(!RestoreFormPlacement(*FStore, FForm.get(), true, QString(), FakeScreens({kFullHd})));
        QCOMPARE(FForm->pos(), QPoint((1920 - 640) / 2, (1080 - 480) / 2));
        QCOMPARE(FForm->size(), QSize(640, 480));
        QVERIFY(FStore->Settings().allKeys().isEmpty());
    }

    void normalWindowRoundTrip()
    {
        FForm->setGeometry(200, 150, 1000, 700);
        SaveFormPlacement(*FStore, FForm.get(), true, QString(), FakeScreens({kFullHd}));
        QCOMPARE(Value(QStringLiteral("MainForm_Monitor")), QStringLiteral("0"));
        QCOMPARE(Value(QStringLiteral("MainForm_WindowState")), QStringLiteral("0"));
        QCOMPARE(Value(QStringLiteral("MainForm_Left")), QStringLiteral("200"));
        QCOMPARE(Value(QStringLiteral("MainForm_Top")), QStringLiteral("150"));
        QCOMPARE(Value(QStringLiteral("MainForm_Width")), QStringLiteral("1000"));
        QCOMPARE(Value(QStringLiteral("MainForm_Height")), QStringLiteral("700"));
        QCOMPARE(Value(QStringLiteral("MainForm_FirstTime")), QStringLiteral("1"));

        auto next = NewForm();
        QVERIFY(RestoreFormPlacement(*FStore, next.get(), true, QString(), FakeScreens({kFullHd})));
        QCOMPARE(next->frameGeometry(), QRect(200, 150, 1000, 700));
        QCOMPARE(next->windowState(), Qt::WindowNoState);
    }

    void withoutSizeLeavesSizeAlone()
    {
        FForm->setGeometry(200, 150, 1000, 700);
        SaveFormPlacement(*FStore, FForm.get(), false, QString(), FakeScreens({kFullHd}));
        QCOMPARE(Value(QStringLiteral("MainForm_Width")), QStringLiteral("<none>"));
        Store(QStringLiteral("MainForm_Width"), 1500);
        auto next = NewForm();
        QVERIFY(RestoreFormPlacement(*FStore, next.get(), false, QString(), FakeScreens({kFullHd})));
        QCOMPARE(next->frameGeometry(), QRect(200, 150, 640, 480));
    }

    void maximisedOrMinimisedSaveKeepsNormalBounds_data()
    {
        QTest::addColumn<int>("qtState");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("restored");
        QTest::newRow("maximised") << int(Qt::WindowMaximized) << "2" << int(Qt::WindowMaximized);
        QTest::newRow("minimised") << int(Qt::WindowMinimized) << "1" << int(Qt::WindowNoState);
    }
    void maximisedOrMinimisedSaveKeepsNormalBounds()
    {
        QFETCH(int, qtState);
        QFETCH(QString, stored);
        QFETCH(int, restored);
        Store(QStringLiteral("MainForm_Left"), 300);
        Store(QStringLiteral("MainForm_Top"), 200);
        Store(QStringLiteral("MainForm_Width"), 900);
        Store(QStringLiteral("MainForm_Height"), 650);
        FForm->setGeometry(0, 0, 1920, 1080);
        FForm->setWindowState(Qt::WindowStates(qtState));
        SaveFormPlacement(*FStore, FForm.get(), true, QString(), FakeScreens({kFullHd}));
        QCOMPARE(Value(QStringLiteral("MainForm_WindowState")), stored);
        QCOMPARE(Value(QStringLiteral("MainForm_FirstTime")), QStringLiteral("1"));
        QCOMPARE(Value(QStringLiteral("MainForm_Left")), QStringLiteral("300"));
        QCOMPARE(Value(QStringLiteral("MainForm_Width")), QStringLiteral("900"));

        auto next = NewForm();
        QVERIFY(RestoreFormPlacement(*FStore, next.get(), true, QString(), FakeScreens({kFullHd})));
        // Once maximised, the toolkit adds a frame strut around the normal bounds.
        QCOMPARE(next->geometry(), QRect(300, 200, 900, 650));
        QCOMPARE(int(next->windowState()), restored);
    }

    void edgeOverhangKeepsStoredValues()
    {
        Store(QStringLiteral("MainForm_Left"), 300);
        Store(QStringLiteral("MainForm_Top"), 200);
        FForm->setGeometry(-8, 1080, 800, 600);
        SaveFormPlacement(*FStore, FForm.get(), true, QString(), FakeScreens({kFullHd}));
        QCOMPARE(Value(QStringLiteral("MainForm_Left")), QStringLiteral("300"));
        QCOMPARE(Value(QStringLiteral("MainForm_Top")), QStringLiteral("200"));
        QCOMPARE(Value(QStringLiteral("MainForm_Width")), QStringLiteral("800"));
    }

    void secondMonitorSavesAbsoluteCoordinates()
    {
        const FakeScreens screens({kFullHd, QRect(1920, -200, 1280, 1024)}, 1);
        FForm->setGeometry(2000, -150, 700, 500);
        SaveFormPlacement(*FStore, FForm.get(), true, QString(), screens);
        QCOMPARE(Value(QStringLiteral("MainForm_Monitor")), QStringLiteral("1"));
        QCOMPARE(Value(QStringLiteral("MainForm_Left")), QStringLiteral("2000"));
        QCOMPARE(Value(QStringLiteral("MainForm_Top")), QStringLiteral("-150"));
        auto next = NewForm();
        QVERIFY(RestoreFormPlacement(*FStore, next.get(), true, QString(), screens));
        QCOMPARE(next->frameGeometry(), QRect(2000, -150, 700, 500));
    }

    void restoreClampsToTheMonitor_data()
    {
        QTest::addColumn<QList<QRect>>("monitors");
        // monitor, width, height, left, top, state; INT_MIN leaves a value unstored
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("state");
        const QList<QRect> one = {kFullHd};
        const QList<QRect> two = {kFullHd, QRect(1920, 0, 1280, 1024)};
        const QList<QRect> leftOfPrimary = {kFullHd, QRect(-1280, -200, 1280, 1024)};
        const int none = INT_MIN;
        const int max = int(Qt::WindowMaximized), normal = int(Qt::WindowNoState);
        QTest::newRow("width 3000 on 1920")
            << one << QList<int>{0, 3000, 600, 10, 10, 0} << QRect(10, 10, 1152, 600) << normal;
        QTest::newRow("height 2000 on 1080")
            << one << QList<int>{0, 800, 2000, 10, 10, 0} << QRect(10, 10, 800, 648) << normal;
        QTest::newRow("monitor 2 of one")
            << one << QList<int>{2, 800, 600, 50, 60, 0} << QRect(50, 60, 800, 600) << normal;
        QTest::newRow("negative monitor")
            << two << QList<int>{-1, 800, 600, 50, 60, 0} << QRect(50, 60, 800, 600) << normal;
        QTest::newRow("left 5000 on 1920")
            << one << QList<int>{0, 800, 600, 5000, 60, 0} << QRect(100, 60, 800, 600) << normal;
        QTest::newRow("top 5000 on 1080")
            << one << QList<int>{0, 800, 600, 50, 5000, 0} << QRect(50, 100, 800, 600) << normal;
        QTest::newRow("left at the right edge")
            << one << QList<int>{0, 800, 600, 1920, 60, 0} << QRect(100, 60, 800, 600) << normal;
        QTest::newRow("second monitor")
            << two << QList<int>{1, 800, 600, 2000, 60, 0} << QRect(2000, 60, 800, 600) << normal;
        QTest::newRow("second monitor, left outside it")
            << two << QList<int>{1, 800, 600, 500, 60, 0} << QRect(2020, 60, 800, 600) << normal;
        QTest::newRow("second monitor, width 1500 on 1280")
            << two << QList<int>{1, 1500, 600, 2000, 60, 0} << QRect(2000, 60, 768, 600) << normal;
        QTest::newRow("monitor at negative origin")
            << leftOfPrimary << QList<int>{1, 800, 600, -1000, -100, 0} << QRect(-1000, -100, 800, 600)
            << normal;
        QTest::newRow("monitor at negative origin, top beyond")
            << leftOfPrimary << QList<int>{1, 800, 600, -1000, 900, 0} << QRect(-1000, -100, 800, 600)
            << normal;
        QTest::newRow("maximised") << one << QList<int>{0, 800, 600, 50, 60, 2} << QRect(50, 60, 800, 600)
                                   << max;
        QTest::newRow("unknown state")
            << one << QList<int>{0, 800, 600, 50, 60, 7} << QRect(50, 60, 800, 600) << normal;
        QTest::newRow("no size stored")
            << one << QList<int>{0, none, none, 50, 60, 0} << QRect(50, 60, 800, 600) << normal;
        QTest::newRow("no position stored")
            << one << QList<int>{0, 1000, 500, none, none, 0} << QRect(460, 290, 1000, 500) << normal;
        QTest::newRow("nonsense size")
            << one << QList<int>{0, -5, 0, 50, 60, 0} << QRect(50, 60, 800, 600) << normal;
    }
    void restoreClampsToTheMonitor()
    {
        QFETCH(QList<QRect>, monitors);
        QFETCH(QList<int>, stored);
        QFETCH(QRect, geometry);
        QFETCH(int, state);
        const QStringList names = {"_Monitor", "_Width", "_Height", "_Left", "_Top", "_WindowState"};
        for (int i = 0; i < names.size(); ++i)
            if (stored[i] != INT_MIN)
                Store(QStringLiteral("MainForm") + names[i], stored[i]);
        Store(QStringLiteral("MainForm_FirstTime"), 1);
        QVERIFY(RestoreFormPlacement(*FStore, FForm.get(), true, QString(), FakeScreens(monitors)));
        // Once maximised, the toolkit adds a frame strut around the normal bounds.
        QCOMPARE(state == int(Qt::WindowMaximized) ? FForm->geometry() : FForm->frameGeometry(), geometry);
        QCOMPARE(int(FForm->windowState()), state);
    }

    void prefixIsTrimmed_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << ""
                               << "MainForm_Left";
        QTest::newRow("blank") << "   "
                               << "MainForm_Left";
        QTest::newRow("padded word") << "  W  "
                                     << "W_MainForm_Left";
        QTest::newRow("word") << "Druhe"
                              << "Druhe_MainForm_Left";
    }
    void prefixIsTrimmed()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, name);
        FForm->setGeometry(123, 45, 800, 600);
        SaveFormPlacement(*FStore, FForm.get(), true, prefix, FakeScreens({kFullHd}));
        QCOMPARE(Value(name), QStringLiteral("123"));
        QCOMPARE(FStore->Settings().allKeys().size(), 7);
        auto next = NewForm();
        QVERIFY(RestoreFormPlacement(*FStore, next.get(), true, prefix, FakeScreens({kFullHd})));
        QCOMPARE(next->pos(), QPoint(123, 45));
    }

    void realScreensDescribeTheDisplay()
    {
        const IScreenInfo &screens = QtScreenInfo();
        QVERIFY(screens.MonitorCount() >= 1);
        QCOMPARE(screens.MonitorGeometry(0), screens.PrimaryGeometry());
        QCOMPARE(screens.MonitorOf(FForm.get()), 0);
    }
};

QTEST_MAIN(TamoPlacementTest)
#include "TamoPlacementTest.moc"
