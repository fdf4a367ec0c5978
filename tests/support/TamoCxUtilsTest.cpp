#include "TamoCxUtils.h"
#include "TamoSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Tamo;

namespace {

const QString kSection = QStringLiteral("Settings\\SplitterBottom");

// A shown splitter of two panes, 600 high or wide, optionally bound to its aligned pane.
struct SplitterFixture
{
    QWidget window;
    CxSplitter *splitter;
    QWidget *first;
    QWidget *second;

    SplitterFixture(TcxSplitterAlign aAlign, bool aBound)
    {
        splitter = new CxSplitter(aAlign, &window);
        splitter->setObjectName(QStringLiteral("SplitterBottom"));
        first = new QWidget;
        second = new QWidget;
        splitter->addWidget(first);
        splitter->addWidget(second);
        splitter->setHandleWidth(6);
        splitter->setGeometry(0, 0, 600, 600);
        window.resize(600, 600);
        window.show();
        splitter->setSizes({400, 194});
        if (aBound)
            splitter->SetControl(aAlign == salBottom || aAlign == salRight ? second : first);
    }
};

} // namespace

class TamoCxUtilsTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir FDir;
    std::unique_ptr<SettingsStore> FStore;

    int Stored(const QString &aName) { return FStore->ReadInteger(kSection, aName, -999); }

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
    }
    void cleanup() { FStore.reset(); }

    void closeAndReopenKeepsThePosition()
    {
        SplitterFixture f(salBottom, false);
        QCOMPARE(f.splitter->State(), 0);
        f.splitter->SetState(1);
        QCOMPARE(f.splitter->State(), 1);
        QVERIFY(f.second->isHidden());
        QCOMPARE(f.splitter->PositionBeforeClose, 194);
        f.splitter->SetState(0);
        QCOMPARE(f.splitter->State(), 0);
        QVERIFY(!f.second->isHidden());
        QCOMPARE(f.splitter->sizes().value(1), 194);
    }

    void saveWritesPositionByAlignment_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<bool>("bound");
        QTest::addColumn<int>("position");
        QTest::newRow("bottom, bound: control's height") << int(salBottom) << true << 194;
        QTest::newRow("bottom, unbound: own top") << int(salBottom) << false << 400;
        QTest::newRow("top: own top") << int(salTop) << true << 400;
        QTest::newRow("left: own left") << int(salLeft) << false << 400;
        QTest::newRow("right, bound: control's width") << int(salRight) << true << 194;
        QTest::newRow("right, unbound: own top") << int(salRight) << false << 0;
    }
    void saveWritesPositionByAlignment()
    {
        QFETCH(int, align);
        QFETCH(bool, bound);
        QFETCH(int, position);
        SplitterFixture f(TcxSplitterAlign(align), bound);
        f.splitter->PositionBeforeClose = 77;
        SaveSplitterState(*FStore, f.splitter);
        QCOMPARE(Stored(QStringLiteral("State")), 0);
        QCOMPARE(Stored(QStringLiteral("Position")), position);
        QCOMPARE(Stored(QStringLiteral("PositionBeforeClose")), 77);
        QVERIFY(FStore->Settings().contains(QStringLiteral("Settings/SplitterBottom/Position")));
    }

    void restoreWithBoundControlSizesIt()
    {
        FStore->WriteInteger(kSection, QStringLiteral("State"), 0);
        FStore->WriteInteger(kSection, QStringLiteral("Position"), 250);
        FStore->WriteInteger(kSection, QStringLiteral("PositionBeforeClose"), 120);
        SplitterFixture f(salBottom, true);
        RestoreSplitterState(*FStore, f.splitter);
        QCOMPARE(f.second->height(), 250);
        QCOMPARE(f.splitter->PositionBeforeClose, 120);
        QCOMPARE(f.splitter->State(), 0);
    }

    void restoreWithoutControlBringsStateOnly()
    {
        FStore->WriteInteger(kSection, QStringLiteral("State"), 1);
        FStore->WriteInteger(kSection, QStringLiteral("Position"), 250);
        FStore->WriteInteger(kSection, QStringLiteral("PositionBeforeClose"), 120);
        SplitterFixture f(salBottom, false);
        RestoreSplitterState(*FStore, f.splitter);
        QCOMPARE(f.splitter->State(), 1);
        QVERIFY(f.second->isHidden());
        // Set directly after closing, so it is the stored value and not the pane's size.
        QCOMPARE(f.splitter->PositionBeforeClose, 120);
        f.splitter->SetState(0);
        QCOMPARE(f.splitter->sizes().value(1), 120);
    }

    void restoreWithoutSectionChangesNothing()
    {
        FStore->WriteInteger(QStringLiteral("Settings\\Other"), QStringLiteral("State"), 1);
        SplitterFixture f(salBottom, true);
        f.splitter->PositionBeforeClose = 55;
        RestoreSplitterState(*FStore, f.splitter);
        QCOMPARE(f.splitter->State(), 0);
        QCOMPARE(f.splitter->PositionBeforeClose, 55);
        QCOMPARE(f.splitter->sizes(), QList<int>({400, 194}));
    }

    void roundTripOfAClosedSplitter()
    {
        {
            SplitterFixture f(salBottom, false);
            f.splitter->SetState(1);
            SaveSplitterState(*FStore, f.splitter);
        }
        QCOMPARE(Stored(QStringLiteral("State")), 1);
        QCOMPARE(Stored(QStringLiteral("PositionBeforeClose")), 194);
        SplitterFixture g(salBottom, false);
        RestoreSplitterState(*FStore, g.splitter);
        QCOMPARE(g.splitter->State(), 1);
        QCOMPARE(g.splitter->PositionBeforeClose, 194);
    }
};

QTEST_MAIN(TamoCxUtilsTest)
#include "TamoCxUtilsTest.moc"
