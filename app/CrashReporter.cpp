#include "CrashReporter.h"

#include "TamoMessages.h"

#include <boost/stacktrace.hpp>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <csignal>
#include <sstream>

#ifndef _WIN32
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The log path as bytes, prepared before any signal so that the handler need not allocate.
char gLogPath[4096] = {};

void AppendToLog(const QString &aText)
{
    const QString path = CrashReporter::LogFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile log(path);
    if (log.open(QIODevice::Append | QIODevice::Text))
        log.write(aText.toUtf8());
}

#ifndef _WIN32
void WriteAll(int aFd, const char *aText)
{
    size_t length = 0;
    while (aText[length])
        ++length;
    while (length > 0) {
        const ssize_t written = ::write(aFd, aText, length);
        if (written <= 0)
            return;
        aText += written;
        length -= static_cast<size_t>(written);
    }
}

extern "C" void FatalSignalHandler(int aSignal)
{
    // Only async-signal-safe calls from here on (backtrace was warmed up at install time).
    const int fd = ::open(gLogPath, O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd >= 0) {
        const char *name = aSignal == SIGSEGV   ? "SIGSEGV"
                           : aSignal == SIGABRT ? "SIGABRT"
                           : aSignal == SIGFPE  ? "SIGFPE"
                           : aSignal == SIGILL  ? "SIGILL"
                                                : "SIGBUS";
        WriteAll(fd, "\n=== Fatal signal ");
        WriteAll(fd, name);
        WriteAll(fd, " ===\n");
        void *frames[64];
        const int count = ::backtrace(frames, 64);
        ::backtrace_symbols_fd(frames, count, fd);
        ::close(fd);
    }
    std::signal(aSignal, SIG_DFL);
    std::raise(aSignal);
}
#endif

} // namespace

TQuodraApplication::TQuodraApplication(int &aArgc, char **aArgv) : QApplication(aArgc, aArgv) {}

bool TQuodraApplication::notify(QObject *aReceiver, QEvent *aEvent)
{
    try {
        return QApplication::notify(aReceiver, aEvent);
    } catch (...) {
        CrashReporter::ReportException(CrashReporter::CurrentExceptionMessage(std::current_exception()));
    }
    return false;
}

namespace CrashReporter {

QString LogFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/crash.log");
}

QString CurrentExceptionMessage(std::exception_ptr aError)
{
    try {
        if (aError)
            std::rethrow_exception(aError);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
    }
    return QStringLiteral("Neznámá chyba");
}

void ReportException(const QString &aMessage)
{
    std::ostringstream trace;
    trace << boost::stacktrace::stacktrace();
    const QString traceText = QString::fromStdString(trace.str());
    AppendToLog(QStringLiteral("\n=== %1 ===\n%2\n%3")
                    .arg(QDateTime::currentDateTime().toString(Qt::ISODate), aMessage, traceText));
    Tamo::ShowError(aMessage + QStringLiteral("\n\n") + traceText);
}

void InstallSignalHandlers()
{
    const QByteArray path = QFile::encodeName(LogFilePath());
    if (path.size() >= static_cast<qsizetype>(sizeof gLogPath))
        return;
    QDir().mkpath(QFileInfo(LogFilePath()).absolutePath());
    std::copy(path.begin(), path.end(), gLogPath);
    gLogPath[path.size()] = '\0';
#ifndef _WIN32
    // The first backtrace() loads its unwinder, which allocates; do it now, not in the handler.
    void *warmUp[4];
    ::backtrace(warmUp, 4);
    struct sigaction action = {};
    action.sa_handler = FatalSignalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS})
        sigaction(signal, &action, nullptr);
#else
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL})
        std::signal(signal, [](int aSignal) {
            std::signal(aSignal, SIG_DFL);
            std::raise(aSignal);
        });
#endif
}

} // namespace CrashReporter
