#pragma once

// The HTTP file fetch and the date parser of the Tamo.Utils family. They live with
// the updater, their only user, so that the rest of the support library needs no libcurl.

#include <QChar>
#include <QString>

#include <atomic>

namespace Tamo {

/// Process-wide request to stop every running transfer after its current piece.
extern std::atomic<bool> AbortDownload;

/// Copies the body of aUrl into aFileName; false when the connection test (aTestUrl,
/// when not empty), the connection, the server's answer or the transfer failed, or it
/// was aborted. Raises Tamo::EFileError when the target cannot be created or written.
bool DownloadFile(const QString &aUrl, const QString &aFileName, const QString &aTestUrl);

/// Seconds a transfer may go without receiving a byte before it fails (60 by
/// default); tests lower it so that a stalled server is detected quickly.
void SetDownloadStallSeconds(int aSeconds);

/// A date value (days since 1899-12-30, time of day as fraction) parsed from aText in
/// aFormat ("yyyy/mm/dd", "/" standing for aSeparator), optionally followed by a time
/// of day; 0 when the text does not parse.
double StrToDateFormat(const QString &aFormat, QChar aSeparator, const QString &aText);

} // namespace Tamo
