#include "TamoMessages.h"
#include "TamoException.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Tamo;

namespace {

QStringList AllTexts(const DialogTexts &t)
{
    return {t.warningCaption,
            t.errorCaption,
            t.informationCaption,
            t.confirmationCaption,
            t.yes,
            t.no,
            t.cancel,
            t.abort,
            t.retry,
            t.ignore,
            t.noToAll,
            t.yesToAll,
            t.close,
            t.help,
            t.noHelpMessage,
            t.noHelpCaption};
}

const QStringList kCzech = {
    QStringLiteral("Upozornění"), QStringLiteral("Chyba"),     QStringLiteral("Informace"),
    QStringLiteral("Potvrzení"),  QStringLiteral("&Ano"),      QStringLiteral("&Ne"),
    QStringLiteral("Storno"),     QStringLiteral("&Přerušit"), QStringLiteral("&Opakovat"),
    QStringLiteral("Přes&kočit"), QStringLiteral("Ne všem"),   QStringLiteral("Ano všem"),
    QStringLiteral("Zavřít"),     QStringLiteral("Nápově&da"), QStringLiteral("Nápověda není dostupná"),
    QStringLiteral("Nápověda")};
const QStringList kGerman = {QStringLiteral("Warnung"),
                             QStringLiteral("Fehler"),
                             QStringLiteral("Information"),
                             QStringLiteral("Bestätigung"),
                             QStringLiteral("&Ja"),
                             QStringLiteral("&Nein"),
                             QStringLiteral("Abbrechen"),
                             QStringLiteral("&Abbrechen"),
                             QStringLiteral("&Wiederholen"),
                             QStringLiteral("&Ignorieren"),
                             QStringLiteral("N&ein für alle"),
                             QStringLiteral("Ja für alle"),
                             QStringLiteral("&Schließen"),
                             QStringLiteral("&Hilfe"),
                             QStringLiteral("Keine Hilfe verfügbar"),
                             QStringLiteral("Hilfe")};
const QStringList kEnglish = {
    QStringLiteral("Warning"), QStringLiteral("Error"),      QStringLiteral("Information"),
    QStringLiteral("Confirm"), QStringLiteral("&Yes"),       QStringLiteral("&No"),
    QStringLiteral("Cancel"),  QStringLiteral("&Abort"),     QStringLiteral("&Retry"),
    QStringLiteral("&Ignore"), QStringLiteral("N&o to All"), QStringLiteral("Yes to &All"),
    QStringLiteral("&Close"),  QStringLiteral("&Help"),      QStringLiteral("No help available"),
    QStringLiteral("Help")};

// Waits in the event loop for the modal message box, hands it to aCheck and, should
// the check leave it open, closes it so the test can never block.
void WhenBoxShows(std::function<void(QMessageBox *)> aCheck, int aAttempts = 200)
{
    QTimer::singleShot(10, [aCheck, aAttempts]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (aAttempts > 0) {
                WhenBoxShows(aCheck, aAttempts - 1);
                return;
            }
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *b = qobject_cast<QMessageBox *>(w))
                    b->reject();
            return;
        }
        aCheck(box);
        if (box->isVisible())
            box->reject();
    });
}

QPushButton *ButtonWithText(QMessageBox *aBox, const QString &aText)
{
    for (QAbstractButton *b : aBox->buttons())
        if (b->text() == aText)
            return qobject_cast<QPushButton *>(b);
    return nullptr;
}

} // namespace

class TamoMessagesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { LocalizeDialogTexts(); }
    void cleanup() { SetDialogAnswerer({}); }

    void dialogTable_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("cz") << "cz" << kCzech;
        QTest::newRow("de") << "de" << kGerman;
        QTest::newRow("en") << "en" << kEnglish;
        QTest::newRow("CZ differs in case") << "CZ" << kEnglish;
        QTest::newRow("cs is not cz") << "cs" << kEnglish;
        QTest::newRow("empty") << "" << kEnglish;
    }
    void dialogTable()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        QCOMPARE(AllTexts(DialogTextsFor(language)), expected);
    }

    void programUsesCzech()
    {
        QCOMPARE(DialogLanguage, QStringLiteral("cz"));
        QCOMPARE(AllTexts(CurrentDialogTexts()), kCzech);
    }

    void operationsBuildTheirRequest_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<bool>("result");
        const QStringList ok = {QStringLiteral("OK")};
        const QStringList yesNo = {QStringLiteral("&Ano"), QStringLiteral("&Ne")};
        QTest::newRow("info") << "info" << int(mbOK) << mrOk << "Informace" << int(mtInformation) << ok
                              << false;
        QTest::newRow("warning") << "warning" << int(mbOK) << mrOk << "Upozornění" << int(mtWarning) << ok
                                 << false;
        QTest::newRow("error") << "error" << int(mbOK) << mrOk << "Chyba" << int(mtError) << ok << false;
        QTest::newRow("confirm yes") << "confirm" << int(mbNo) << mrYes << "Potvrzení" << int(mtConfirmation)
                                     << yesNo << true;
        QTest::newRow("confirm no") << "confirm" << int(mbYes) << mrNo << "Potvrzení" << int(mtConfirmation)
                                    << yesNo << false;
        QTest::newRow("confirm esc") << "confirm" << int(mbYes) << mrCancel << "Potvrzení"
                                     << int(mtConfirmation) << yesNo << false;
        QTest::newRow("confirm closed")
            << "confirm" << int(mbYes) << mrNone << "Potvrzení" << int(mtConfirmation) << yesNo << false;
        QTest::newRow("ask warning yes")
            << "askWarning" << int(mbNo) << mrYes << "Upozornění" << int(mtWarning) << yesNo << true;
        QTest::newRow("ask warning no")
            << "askWarning" << int(mbYes) << mrNo << "Upozornění" << int(mtWarning) << yesNo << false;
        QTest::newRow("confirm fmt") << "confirmFmt" << int(mbNo) << mrYes << "Potvrzení"
                                     << int(mtConfirmation) << yesNo << true;
        QTest::newRow("ask warning fmt")
            << "askWarningFmt" << int(mbNo) << mrOk << "Upozornění" << int(mtWarning) << yesNo << false;
        QTest::newRow("info fmt") << "infoFmt" << int(mbOK) << mrOk << "Informace" << int(mtInformation) << ok
                                  << false;
        QTest::newRow("warning fmt") << "warningFmt" << int(mbOK) << mrOk << "Upozornění" << int(mtWarning)
                                     << ok << false;
    }
    void operationsBuildTheirRequest()
    {
        QFETCH(QString, operation);
        QFETCH(int, defaultButton);
        QFETCH(int, answer);
        QFETCH(QString, caption);
        QFETCH(int, type);
        QFETCH(QStringList, buttons);
        QFETCH(bool, result);
        int calls = 0;
        MessageDialogRequest seen;
        SetDialogAnswerer([&](const MessageDialogRequest &aRequest) {
            ++calls;
            seen = aRequest;
            return answer;
        });
        const auto dflt = TMsgDlgBtn(defaultButton);
        const QString text = QStringLiteral("Verze 1.2.3.4");
        const QVariantList args = {QStringLiteral("1.2.3.4")};
        const QString fmt = QStringLiteral("Verze %s");
        bool got = false;
        if (operation == QLatin1String("info"))
            ShowInfo(text);
        else if (operation == QLatin1String("warning"))
            ShowWarning(text);
        else if (operation == QLatin1String("error"))
            ShowError(text);
        else if (operation == QLatin1String("confirm"))
            got = AskConfirmation(text, dflt);
        else if (operation == QLatin1String("askWarning"))
            got = AskWarning(text, dflt);
        else if (operation == QLatin1String("confirmFmt"))
            got = AskConfirmationFmt(fmt, args, dflt);
        else if (operation == QLatin1String("askWarningFmt"))
            got = AskWarningFmt(fmt, args, dflt);
        else if (operation == QLatin1String("infoFmt"))
            ShowInfoFmt(fmt, args);
        else if (operation == QLatin1String("warningFmt"))
            ShowWarningFmt(fmt, args);
        QCOMPARE(calls, 1);
        QCOMPARE(seen.caption, caption);
        QCOMPARE(seen.text, text);
        QCOMPARE(int(seen.type), type);
        QStringList texts;
        for (const auto &button : seen.buttons)
            texts << button.second;
        QCOMPARE(texts, buttons);
        QCOMPARE(int(seen.defaultButton), defaultButton);
        QCOMPARE(got, result);
    }

    void allButtonsInDisplayOrder()
    {
        MessageDialogRequest seen;
        SetDialogAnswerer([&](const MessageDialogRequest &aRequest) {
            seen = aRequest;
            return mrAll;
        });
        const int result =
            ShowMessageDialog(QStringLiteral("x"), mtWarning, {mbClose, mbAll, mbOK, mbYes}, mbAll);
        QCOMPARE(result, mrAll);
        QCOMPARE(seen.buttons.size(), 4);
        QCOMPARE(seen.buttons[0], qMakePair(mbYes, QStringLiteral("&Ano")));
        QCOMPARE(seen.buttons[1], qMakePair(mbOK, QStringLiteral("OK")));
        QCOMPARE(seen.buttons[2], qMakePair(mbAll, QStringLiteral("&All")));
        QCOMPARE(seen.buttons[3], qMakePair(mbClose, QStringLiteral("Zavřít")));
    }

    void format_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one text") << "%s" << QVariantList{QStringLiteral("a %d b")} << "a %d b";
        QTest::newRow("in order") << "Verze %s z %d dnů" << QVariantList{QStringLiteral("1.0"), 7}
                                  << "Verze 1.0 z 7 dnů";
        QTest::newRow("percent") << "100%% %s" << QVariantList{QStringLiteral("ok")} << "100% ok";
        QTest::newRow("width and left")
            << "[%5d|%-4s]" << QVariantList{42, QStringLiteral("ab")} << "[   42|ab  ]";
        QTest::newRow("precision") << "%.3d %.2s %.1f" << QVariantList{7, QStringLiteral("abc"), 3.14159}
                                   << "007 ab 3.1";
        QTest::newRow("index") << "%1:s %0:s %s" << QVariantList{QStringLiteral("a"), QStringLiteral("b")}
                               << "b a b";
        QTest::newRow("negative") << "%d" << QVariantList{-5} << "-5";
        QTest::newRow("hex") << "%x" << QVariantList{255} << "FF";
        QTest::newRow("extra values ignored") << "%s" << QVariantList{QStringLiteral("a"), 1} << "a";
    }
    void format()
    {
        QFETCH(QString, format);
        QFETCH(QVariantList, args);
        QFETCH(QString, expected);
        QCOMPARE(Format(format, args), expected);
    }

    void formatErrors_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("too few") << "%s %s" << QVariantList{QStringLiteral("a")};
        QTest::newRow("text for %d") << "%d" << QVariantList{QStringLiteral("7")};
        QTest::newRow("number for %s") << "%s" << QVariantList{7};
        QTest::newRow("unknown type") << "%q" << QVariantList{7};
        QTest::newRow("lone percent at end") << "50%" << QVariantList{};
        QTest::newRow("index beyond") << "%3:s" << QVariantList{QStringLiteral("a")};
    }
    void formatErrors()
    {
        QFETCH(QString, format);
        QFETCH(QVariantList, args);
        bool shown = false;
        SetDialogAnswerer([&](const MessageDialogRequest &) {
            shown = true;
            return mrOk;
        });
        QVERIFY_THROWS_EXCEPTION(Tamo::Exception, Format(format, args));
        // The formatting variants raise before any dialog is shown.
        QVERIFY_THROWS_EXCEPTION(Tamo::Exception, ShowInfoFmt(format, args));
        QVERIFY_THROWS_EXCEPTION(Tamo::Exception, AskConfirmationFmt(format, args, mbYes));
        QVERIFY(!shown);
    }

    void realBoxIsBuiltAndAnswered_data()
    {
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("result");
        QTest::newRow("click yes") << int(mbNo) << "&Ano" << true;
        QTest::newRow("click no") << int(mbYes) << "&Ne" << false;
        QTest::newRow("enter on default no") << int(mbNo) << "enter" << false;
        QTest::newRow("enter on default yes") << int(mbYes) << "enter" << true;
        QTest::newRow("escape") << int(mbYes) << "escape" << false;
    }
    void realBoxIsBuiltAndAnswered()
    {
        QFETCH(int, defaultButton);
        QFETCH(QString, action);
        QFETCH(bool, result);
        bool checked = false;
        WhenBoxShows([&](QMessageBox *box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("Potvrzení"));
            QCOMPARE(box->text(), QStringLiteral("Přeinstalovat?"));
            QCOMPARE(box->icon(), QMessageBox::Question);
            QCOMPARE(box->buttons().size(), 2);
            QPushButton *yes = ButtonWithText(box, QStringLiteral("&Ano"));
            QPushButton *no = ButtonWithText(box, QStringLiteral("&Ne"));
            QVERIFY(yes && no);
            QCOMPARE(box->defaultButton(), defaultButton == mbYes ? yes : no);
            checked = true;
            if (action == QLatin1String("enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (action == QLatin1String("escape"))
                QTest::keyClick(box, Qt::Key_Escape);
            else
                ButtonWithText(box, action)->click();
        });
        QCOMPARE(AskConfirmation(QStringLiteral("Přeinstalovat?"), TMsgDlgBtn(defaultButton)), result);
        QVERIFY(checked);
    }

    void boxStaysAboveStayOnTopWindows()
    {
        QWidget topmost;
        topmost.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        topmost.show();
        bool onTop = false;
        QString okText;
        WhenBoxShows([&](QMessageBox *box) {
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            okText = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
            box->accept();
        });
        ShowWarning(QStringLiteral("Soubor chybí"));
        QVERIFY(onTop);
        QCOMPARE(okText, QStringLiteral("OK"));
        // The stay-on-top window itself is left as it was.
        QVERIFY(topmost.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
};

QTEST_MAIN(TamoMessagesTest)
#include "TamoMessagesTest.moc"
