#pragma once

// The one road to the user in a message box: modal information, warning, error and
// yes/no dialogs with captions and button texts in the language DialogLanguage.

#include <QList>
#include <QString>
#include <QVariantList>

#include <functional>

namespace Tamo {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = QList<TMsgDlgBtn>;

// Modal results, as the buttons give them.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
              mrClose = 8, mrHelp = 9, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14;

/// The language code of the dialogs: "cz" in this program.
extern const QString DialogLanguage;

/// The sixteen localised standard texts of one language column.
struct DialogTexts
{
    QString warningCaption, errorCaption, informationCaption, confirmationCaption;
    QString yes, no, cancel, abort, retry, ignore, noToAll, yesToAll, close, help;
    QString noHelpMessage, noHelpCaption;
};
/// The column for a language code: "cz", "de", English for anything else (exact match).
DialogTexts DialogTextsFor(const QString &aLanguage);
/// Selects the column for DialogLanguage for every dialog built from now on.
void LocalizeDialogTexts();
/// The column in force.
const DialogTexts &CurrentDialogTexts();

/// What a dialog would show; handed to an installed answerer instead of showing it.
struct MessageDialogRequest
{
    QString caption;
    QString text;
    TMsgDlgType type = mtInformation;
    QList<QPair<TMsgDlgBtn, QString>> buttons; // in display order, with their texts
    TMsgDlgBtn defaultButton = mbOK;
};
/// Returns the modal result the "user" chose. Tests install one; empty shows real dialogs.
using DialogAnswerer = std::function<int(const MessageDialogRequest &)>;
void SetDialogAnswerer(DialogAnswerer aAnswerer);

/// Shows a modal dialog and returns its modal result.
int ShowMessageDialog(const QString &aMessage, TMsgDlgType aType, const TMsgDlgButtons &aButtons,
                      TMsgDlgBtn aDefault);

void ShowInfo(const QString &aMessage);
void ShowWarning(const QString &aMessage);
void ShowError(const QString &aMessage);
/// Yes/No question; true exactly when the user chose Yes.
bool AskConfirmation(const QString &aMessage, TMsgDlgBtn aDefault);
bool AskWarning(const QString &aMessage, TMsgDlgBtn aDefault);

/// Fills %s, %d (and %%) in order from aArgs; raises Tamo::Exception when they do not fit.
QString Format(const QString &aFormat, const QVariantList &aArgs);
void ShowInfoFmt(const QString &aFormat, const QVariantList &aArgs);
void ShowWarningFmt(const QString &aFormat, const QVariantList &aArgs);
bool AskConfirmationFmt(const QString &aFormat, const QVariantList &aArgs, TMsgDlgBtn aDefault);
bool AskWarningFmt(const QString &aFormat, const QVariantList &aArgs, TMsgDlgBtn aDefault);

} // namespace Tamo
