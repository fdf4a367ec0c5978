#include "CrashReporter.h"
#include "TamoMessages.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {

// A receiver whose event handler lets an error escape.
class Throwing : public QObject
{
public:
    bool event(QEvent *aEvent) override
    {
        if (aEvent->type() == QEvent::User)
            throw std::runtime_error("Soubor nelze otevřít");
        return QObject::event(aEvent);
    }
};

} // namespace

class CrashReporterTest : public QObject
{
    Q_OBJECT
private slots:
    void escapingErrorIsShownAndLogged();
};

void CrashReporterTest::escapingErrorIsShownAndLogged()
{
    QList<Tamo::MessageDialogRequest> shown;
    Tamo::SetDialogAnswerer([&](const Tamo::MessageDialogRequest &aRequest) {
        shown.append(aRequest);
        return Tamo::mrOk;
    });
    Throwing receiver;
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    Tamo::SetDialogAnswerer({});

    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].type, Tamo::mtError);
    QVERIFY(shown[0].text.startsWith(QStringLiteral("Soubor nelze otevřít\n\n")));
    QVERIFY(shown[0].text.size() > 30); // the stack trace follows the message
    QFile log(CrashReporter::LogFilePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(log.readAll()).contains(QStringLiteral("Soubor nelze otevřít")));
}

int main(int argc, char *argv[])
{
    QTemporaryDir home; // the crash log goes to a temporary data folder
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    TQuodraApplication application(argc, argv);
    CrashReporterTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "CrashReporterTest.moc"
