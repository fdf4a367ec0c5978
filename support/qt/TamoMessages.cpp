#include "TamoMessages.h"

#include "TamoException.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <array>

namespace Tamo {

const QString DialogLanguage = QStringLiteral("cz");

namespace {

// The texts in force before LocalizeDialogTexts runs are the English ones, which
// are also the toolkit's own.
DialogTexts &CurrentTexts()
{
    static DialogTexts texts = DialogTextsFor(QString());
    return texts;
}

DialogAnswerer &Answerer()
{
    static DialogAnswerer answerer;
    return answerer;
}

constexpr std::array<TMsgDlgBtn, 12> kButtonOrder = {
    mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose};

QString ButtonText(const DialogTexts &aTexts, TMsgDlgBtn aButton)
{
    switch (aButton) {
    case mbYes:
        return aTexts.yes;
    case mbNo:
        return aTexts.no;
    case mbOK:
        return QStringLiteral("OK"); // never localised
    case mbCancel:
        return aTexts.cancel;
    case mbAbort:
        return aTexts.abort;
    case mbRetry:
        return aTexts.retry;
    case mbIgnore:
        return aTexts.ignore;
    case mbAll:
        return QStringLiteral("&All"); // never localised
    case mbNoToAll:
        return aTexts.noToAll;
    case mbYesToAll:
        return aTexts.yesToAll;
    case mbHelp:
        return aTexts.help;
    case mbClose:
        return aTexts.close;
    }
    return QString();
}

int ModalResultOf(TMsgDlgBtn aButton)
{
    switch (aButton) {
    case mbYes:
        return mrYes;
    case mbNo:
        return mrNo;
    case mbOK:
        return mrOk;
    case mbCancel:
        return mrCancel;
    case mbAbort:
        return mrAbort;
    case mbRetry:
        return mrRetry;
    case mbIgnore:
        return mrIgnore;
    case mbAll:
        return mrAll;
    case mbNoToAll:
        return mrNoToAll;
    case mbYesToAll:
        return mrYesToAll;
    case mbHelp:
        return mrHelp;
    case mbClose:
        return mrClose;
    }
    return mrNone;
}

QMessageBox::StandardButton StandardButtonOf(TMsgDlgBtn aButton)
{
    switch (aButton) {
    case mbYes:
        return QMessageBox::Yes;
    case mbNo:
        return QMessageBox::No;
    case mbOK:
        return QMessageBox::Ok;
    case mbCancel:
        return QMessageBox::Cancel;
    case mbAbort:
        return QMessageBox::Abort;
    case mbRetry:
        return QMessageBox::Retry;
    case mbIgnore:
        return QMessageBox::Ignore;
    case mbAll:
        return QMessageBox::NoButton; // the toolkit has no "All"; added as our own button
    case mbNoToAll:
        return QMessageBox::NoToAll;
    case mbYesToAll:
        return QMessageBox::YesToAll;
    case mbHelp:
        return QMessageBox::Help;
    case mbClose:
        return QMessageBox::Close;
    }
    return QMessageBox::NoButton;
}

QString CaptionOf(const DialogTexts &aTexts, TMsgDlgType aType)
{
    switch (aType) {
    case mtWarning:
        return aTexts.warningCaption;
    case mtError:
        return aTexts.errorCaption;
    case mtInformation:
        return aTexts.informationCaption;
    case mtConfirmation:
        return aTexts.confirmationCaption;
    }
    return QString();
}

QMessageBox::Icon IconOf(TMsgDlgType aType)
{
    switch (aType) {
    case mtWarning:
        return QMessageBox::Warning;
    case mtError:
        return QMessageBox::Critical;
    case mtInformation:
        return QMessageBox::Information;
    case mtConfirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Esc and the close box press Cancel when there is one, else No, else OK - the
// buttons that decline.
int EscapeResult(const TMsgDlgButtons &aButtons)
{
    if (aButtons.contains(mbCancel))
        return mrCancel;
    if (aButtons.contains(mbNo))
        return mrNo;
    if (aButtons.contains(mbOK))
        return mrOk;
    return mrCancel;
}

// True when one of the application's visible windows stays on top of the others.
bool AnyStayOnTopWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return true;
    return false;
}

int ShowMessageBox(const MessageDialogRequest &aRequest, const TMsgDlgButtons &aButtons)
{
    // The box is parented to the active window so that it is modal to it and centred
    // over it. When one of our windows stays on top, the box gets that flag itself:
    // dropping the flag from those windows would re-create them natively (flicker,
    // lost focus), while a stay-on-top box that is the active modal window always
    // comes up above them and cannot hide behind the main window.
    QPointer<QMessageBox> box = new QMessageBox(QApplication::activeWindow());
    // Freed when the call ends, also when showing it raised an error.
    struct Guard
    {
        QPointer<QMessageBox> &box;
        ~Guard() { delete box.data(); }
    } guard{box};
    box->setWindowTitle(aRequest.caption);
    box->setText(aRequest.text);
    box->setTextFormat(Qt::PlainText);
    box->setIcon(IconOf(aRequest.type));
    if (AnyStayOnTopWindow())
        box->setWindowFlag(Qt::WindowStaysOnTopHint, true);

    QList<QPair<QAbstractButton *, TMsgDlgBtn>> shown;
    for (const auto &[button, text] : aRequest.buttons) {
        QAbstractButton *widget = nullptr;
        const QMessageBox::StandardButton standard = StandardButtonOf(button);
        if (standard != QMessageBox::NoButton)
            widget = box->addButton(standard);
        else
            widget = box->addButton(text, QMessageBox::AcceptRole);
        widget->setText(text);
        shown.append({widget, button});
        if (button == aRequest.defaultButton)
            box->setDefaultButton(qobject_cast<QPushButton *>(widget));
    }
    const int escape = EscapeResult(aButtons);
    for (const auto &[widget, button] : shown)
        if (ModalResultOf(button) == escape)
            box->setEscapeButton(widget);

    box->exec();
    if (!box)
        return mrCancel; // destroyed behind our back while it was shown
    QAbstractButton *clicked = box->clickedButton();
    for (const auto &[widget, button] : shown)
        if (widget == clicked)
            return ModalResultOf(button);
    return escape;
}

// Delphi-style placeholder: %[index:][-][width][.precision]type.
struct Placeholder
{
    int index = -1;
    bool left = false;
    int width = -1;
    int precision = -1;
    QChar type;
};

[[noreturn]] void FormatError(const QString &aFormat)
{
    throw Exception(
        QStringLiteral("Format '%1' invalid or incompatible with argument").arg(aFormat).toStdString());
}

bool IsIntegerValue(const QVariant &aValue)
{
    switch (aValue.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool IsFloatValue(const QVariant &aValue)
{
    const int id = aValue.metaType().id();
    return id == QMetaType::Double || id == QMetaType::Float;
}

bool IsTextValue(const QVariant &aValue)
{
    const int id = aValue.metaType().id();
    return id == QMetaType::QString || id == QMetaType::QChar || id == QMetaType::QByteArray ||
           id == QMetaType::Char;
}

QString FormatOne(const QString &aFormat, const Placeholder &aSpec, const QVariant &aValue)
{
    QString text;
    switch (aSpec.type.toLower().unicode()) {
    case 'd':
    case 'u': {
        if (!IsIntegerValue(aValue))
            FormatError(aFormat);
        const qlonglong value = aValue.toLongLong();
        text = QString::number(value < 0 ? -value : value);
        if (aSpec.precision > text.size())
            text = QString(aSpec.precision - text.size(), QLatin1Char('0')) + text;
        if (value < 0)
            text.prepend(QLatin1Char('-'));
        break;
    }
    case 'x': {
        if (!IsIntegerValue(aValue))
            FormatError(aFormat);
        text = QString::number(aValue.toULongLong(), 16).toUpper();
        if (aSpec.precision > text.size())
            text = QString(aSpec.precision - text.size(), QLatin1Char('0')) + text;
        break;
    }
    case 's':
        if (!IsTextValue(aValue))
            FormatError(aFormat);
        text = aValue.toString();
        if (aSpec.precision >= 0 && aSpec.precision < text.size())
            text.truncate(aSpec.precision);
        break;
    case 'f':
    case 'e':
    case 'g':
    case 'n': {
        if (!IsFloatValue(aValue) && !IsIntegerValue(aValue))
            FormatError(aFormat);
        const double value = aValue.toDouble();
        const char kind = aSpec.type.toLower().unicode() == 'n' ? 'f' : char(aSpec.type.toLower().unicode());
        text = QString::number(value, kind, aSpec.precision < 0 ? (kind == 'g' ? 15 : 2) : aSpec.precision);
        break;
    }
    default:
        FormatError(aFormat);
    }
    if (aSpec.width > text.size())
        text = aSpec.left ? text.leftJustified(aSpec.width) : text.rightJustified(aSpec.width);
    return text;
}

} // namespace

DialogTexts DialogTextsFor(const QString &aLanguage)
{
    if (aLanguage == QLatin1String("cz"))
        return {QStringLiteral("Upozornění"),
                QStringLiteral("Chyba"),
                QStringLiteral("Informace"),
                QStringLiteral("Potvrzení"),
                QStringLiteral("&Ano"),
                QStringLiteral("&Ne"),
                QStringLiteral("Storno"),
                QStringLiteral("&Přerušit"),
                QStringLiteral("&Opakovat"),
                QStringLiteral("Přes&kočit"),
                QStringLiteral("Ne všem"),
                QStringLiteral("Ano všem"),
                QStringLiteral("Zavřít"),
                QStringLiteral("Nápově&da"),
                QStringLiteral("Nápověda není dostupná"),
                QStringLiteral("Nápověda")};
    if (aLanguage == QLatin1String("de"))
        return {QStringLiteral("Warnung"),
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
    return {QStringLiteral("Warning"), QStringLiteral("Error"),      QStringLiteral("Information"),
            QStringLiteral("Confirm"), QStringLiteral("&Yes"),       QStringLiteral("&No"),
            QStringLiteral("Cancel"),  QStringLiteral("&Abort"),     QStringLiteral("&Retry"),
            QStringLiteral("&Ignore"), QStringLiteral("N&o to All"), QStringLiteral("Yes to &All"),
            QStringLiteral("&Close"),  QStringLiteral("&Help"),      QStringLiteral("No help available"),
            QStringLiteral("Help")};
}

void LocalizeDialogTexts()
{
    CurrentTexts() = DialogTextsFor(DialogLanguage);
}

const DialogTexts &CurrentDialogTexts()
{
    return CurrentTexts();
}

void SetDialogAnswerer(DialogAnswerer aAnswerer)
{
    Answerer() = std::move(aAnswerer);
}

int ShowMessageDialog(const QString &aMessage, TMsgDlgType aType, const TMsgDlgButtons &aButtons,
                      TMsgDlgBtn aDefault)
{
    const DialogTexts &texts = CurrentTexts();
    MessageDialogRequest request;
    request.caption = CaptionOf(texts, aType);
    request.text = aMessage;
    request.type = aType;
    request.defaultButton = aDefault;
    for (TMsgDlgBtn button : kButtonOrder)
        if (aButtons.contains(button))
            request.buttons.append({button, ButtonText(texts, button)});
    if (Answerer())
        return Answerer()(request);
    return ShowMessageBox(request, aButtons);
}

void ShowInfo(const QString &aMessage)
{
    ShowMessageDialog(aMessage, mtInformation, {mbOK}, mbOK);
}

void ShowWarning(const QString &aMessage)
{
    ShowMessageDialog(aMessage, mtWarning, {mbOK}, mbOK);
}

void ShowError(const QString &aMessage)
{
    ShowMessageDialog(aMessage, mtError, {mbOK}, mbOK);
}

bool AskConfirmation(const QString &aMessage, TMsgDlgBtn aDefault)
{
    return ShowMessageDialog(aMessage, mtConfirmation, {mbYes, mbNo}, aDefault) == mrYes;
}

bool AskWarning(const QString &aMessage, TMsgDlgBtn aDefault)
{
    return ShowMessageDialog(aMessage, mtWarning, {mbYes, mbNo}, aDefault) == mrYes;
}

QString Format(const QString &aFormat, const QVariantList &aArgs)
{
    QString result;
    int next = 0;
    const qsizetype n = aFormat.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = aFormat[i];
        if (c != QLatin1Char('%')) {
            result += c;
            continue;
        }
        if (++i >= n)
            FormatError(aFormat);
        if (aFormat[i] == QLatin1Char('%')) {
            result += QLatin1Char('%');
            continue;
        }
        Placeholder field;
        auto readNumber = [&]() {
            int value = -1;
            while (i < n && aFormat[i].isDigit() && aFormat[i].unicode() < 128) {
                value = (value < 0 ? 0 : value) * 10 + (aFormat[i].unicode() - '0');
                if (value > 100000)
                    FormatError(aFormat);
                ++i;
            }
            return value;
        };
        int number = readNumber();
        if (number >= 0 && i < n && aFormat[i] == QLatin1Char(':')) {
            field.index = number;
            ++i;
            number = -1;
        }
        if (number < 0) {
            if (i < n && aFormat[i] == QLatin1Char('-')) {
                field.left = true;
                ++i;
            }
            number = readNumber();
        }
        field.width = number;
        if (i < n && aFormat[i] == QLatin1Char('.')) {
            ++i;
            field.precision = readNumber();
        }
        if (i >= n)
            FormatError(aFormat);
        field.type = aFormat[i];
        if (field.index >= 0)
            next = field.index;
        if (next >= aArgs.size())
            FormatError(aFormat);
        result += FormatOne(aFormat, field, aArgs[next++]);
    }
    return result;
}

void ShowInfoFmt(const QString &aFormat, const QVariantList &aArgs)
{
    ShowInfo(Format(aFormat, aArgs));
}

void ShowWarningFmt(const QString &aFormat, const QVariantList &aArgs)
{
    ShowWarning(Format(aFormat, aArgs));
}

bool AskConfirmationFmt(const QString &aFormat, const QVariantList &aArgs, TMsgDlgBtn aDefault)
{
    return AskConfirmation(Format(aFormat, aArgs), aDefault);
}

bool AskWarningFmt(const QString &aFormat, const QVariantList &aArgs, TMsgDlgBtn aDefault)
{
    return AskWarning(Format(aFormat, aArgs), aDefault);
}

} // namespace Tamo
