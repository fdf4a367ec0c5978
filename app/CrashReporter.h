#pragma once

// The crash reporter: an error escaping an event handler is shown to the user with its
// message and a stack trace and appended to the crash log; a fatal signal writes a
// trace to the same log before the process ends.

#include <QApplication>
#include <QString>

#include <exception>

/// The application object; catches what an event handler lets escape.
class TQuodraApplication : public QApplication
{
public:
    TQuodraApplication(int &aArgc, char **aArgv);
    bool notify(QObject *aReceiver, QEvent *aEvent) override;
};

namespace CrashReporter {

/// The crash log: "crash.log" in the user's data folder of the application.
QString LogFilePath();
/// Installs the handlers of fatal signals, writing to LogFilePath(). Call once the
/// application's name is set.
void InstallSignalHandlers();
/// Shows the error (kind error) with its message and the current stack trace and
/// appends both to the crash log.
void ReportException(const QString &aMessage);
/// The message of the exception being handled, or a generic text.
QString CurrentExceptionMessage(std::exception_ptr aError);

} // namespace CrashReporter
