#include "TamoSystem.h"

#include "QuodraConfig.h"
#include "TamoException.h"
#include "TamoUtils.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QUrl>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace Tamo {

namespace {

// Result numbers in the shell's own numbering, also used where we open things
// ourselves: above 32 is success.
constexpr int kShellSuccess = 42;
constexpr int kShellFileNotFound = 2;   // ERROR_FILE_NOT_FOUND
constexpr int kShellBadFormat = 11;     // ERROR_BAD_FORMAT: the program could not be started
constexpr int kShellNoAssociation = 31; // SE_ERR_NOASSOC: nothing opens this kind of target

ShellOpenHook &Hook()
{
    static ShellOpenHook hook;
    return hook;
}

QString TrimmedText(const QString &aText)
{
    qsizetype begin = 0;
    qsizetype end = aText.size();
    while (begin < end && aText[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && aText[end - 1].unicode() <= 0x20)
        --end;
    return aText.mid(begin, end - begin);
}

// "scheme:..." with a scheme of two or more letters, so that "C:\x" stays a path.
bool IsWebAddress(const QString &aTarget)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(aTarget).hasMatch();
}

// Everything up to and including the last separator; empty when there is none.
QString FolderPart(const QString &aTarget)
{
#ifdef _WIN32
    const qsizetype last =
        std::max(aTarget.lastIndexOf(QLatin1Char('\\')), aTarget.lastIndexOf(QLatin1Char(':')));
#else
    const qsizetype last = aTarget.lastIndexOf(QLatin1Char('/'));
#endif
    return last < 0 ? QString() : aTarget.left(last + 1);
}

int PlatformShellOpen(const QString &aTarget, const QString &aParams, int aShowMode)
{
#ifdef _WIN32
    const std::wstring target = aTarget.toStdWString();
    const std::wstring params = aParams.toStdWString();
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", target.c_str(),
                                           aParams.isEmpty() ? nullptr : params.c_str(), nullptr, aShowMode);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
#else
    (void)aShowMode; // no show modes here: the opened program decides
    if (IsWebAddress(aTarget))
        return QDesktopServices::openUrl(QUrl(aTarget)) ? kShellSuccess : kShellNoAssociation;
    const QFileInfo info(aTarget);
    if (!info.exists())
        return kShellFileNotFound;
    if (info.isFile() && info.isExecutable()) {
        // A program (the update installer) runs detached with its parameters.
        return QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(aParams),
                                       info.absolutePath())
                   ? kShellSuccess
                   : kShellBadFormat;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? kShellSuccess
                                                                                   : kShellNoAssociation;
#endif
}

std::filesystem::path ToPath(const QString &aPath)
{
#ifdef _WIN32
    return std::filesystem::path(aPath.toStdWString());
#else
    const QByteArray bytes = QFile::encodeName(aPath);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
#endif
}

// Lets the owner delete inside a folder, or delete a read-only file on Windows.
void AllowWrite(const std::filesystem::path &aPath)
{
    std::error_code ec;
    std::filesystem::permissions(aPath, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow,
                                 ec);
}

void RemoveEntry(const std::filesystem::path &aPath, const std::filesystem::path &aParent)
{
    std::error_code ec;
    if (std::filesystem::remove(aPath, ec) ||
        std::filesystem::symlink_status(aPath, ec).type() == std::filesystem::file_type::not_found)
        return;
    // A read-only entry (Windows) or a read-only folder around it (POSIX): allow
    // writing and try once more; whatever still fails stays.
    AllowWrite(aParent);
    if (std::filesystem::symlink_status(aPath, ec).type() != std::filesystem::file_type::symlink)
        AllowWrite(aPath);
    std::filesystem::remove(aPath, ec);
}

void DeleteContents(const std::filesystem::path &aFolder, bool aRecursive, int aDepth)
{
    if (aDepth > 512)
        return; // deeper than any real tree; stops a runaway recursion
    std::error_code ec;
    std::vector<std::filesystem::directory_entry> entries;
    // Collect first: deleting while the enumeration runs leaves its order unspecified.
    for (std::filesystem::directory_iterator it(aFolder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    for (const auto &entry : entries) {
        const std::filesystem::file_status status = entry.symlink_status(ec);
        if (ec)
            continue;
        if (status.type() == std::filesystem::file_type::directory) {
            if (!aRecursive)
                continue;
            AllowWrite(entry.path());
            DeleteContents(entry.path(), true, aDepth + 1);
            RemoveEntry(entry.path(), aFolder);
            continue;
        }
        if (status.type() == std::filesystem::file_type::symlink) {
            // The link itself goes, never what it points to. A link to a folder
            // counts as a sub-folder: it goes only in recursive mode.
            if (std::filesystem::is_directory(entry.path(), ec) && !aRecursive)
                continue;
        }
        RemoveEntry(entry.path(), aFolder);
    }
}

// "major.minor.patch..." of the kernel folded into one number: 6.1.0 gives 6001000.
int KernelBuildNumber()
{
    const QStringList parts = QSysInfo::kernelVersion().split(QRegularExpression(QStringLiteral("[^0-9]+")));
#ifdef _WIN32
    // Windows reports major.minor.build; the build is the third number.
    return parts.size() >= 3 ? parts[2].toInt() : 0;
#else
    int numbers[3] = {0, 0, 0};
    for (int i = 0; i < 3 && i < parts.size(); ++i)
        numbers[i] = std::min(parts[i].toInt(), 999);
    return numbers[0] * 1000000 + numbers[1] * 1000 + numbers[2];
#endif
}

QString OperatingSystemName()
{
#ifdef _WIN32
    // "Windows 10 Version 22H2" -> "Windows 10"
    QString name = QSysInfo::prettyProductName();
    const qsizetype version = name.indexOf(QStringLiteral(" Version"));
    return version < 0 ? name : name.left(version);
#else
    return QSysInfo::prettyProductName();
#endif
}

#ifdef _WIN32
QString VersionResource(const QString &aPath)
{
    const std::wstring path = aPath.toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        return QString();
    std::vector<char> buffer(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, buffer.data()))
        return QString();
    VS_FIXEDFILEINFO *info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void **>(&info), &length) || !info)
        return QString();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(HIWORD(info->dwFileVersionMS))
        .arg(LOWORD(info->dwFileVersionMS))
        .arg(HIWORD(info->dwFileVersionLS))
        .arg(LOWORD(info->dwFileVersionLS));
}
#endif

} // namespace

void SetShellOpenHook(ShellOpenHook aHook)
{
    Hook() = std::move(aHook);
}

void ShellOpen(const QString &aTarget, const QString &aParams, int aShowMode)
{
    QString target = aTarget;
#ifndef _WIN32
    // A relative path is taken from where the caller stood, before the folder change below.
    if (!IsWebAddress(target) && !target.isEmpty())
        target = QFileInfo(target).absoluteFilePath();
#endif
    // The program's folder becomes the current one, so that a started program finds
    // its files beside it; failures (a web address has no folder) are ignored.
    if (!IsWebAddress(target)) {
        const QString folder = FolderPart(target);
        if (!folder.isEmpty())
            QDir::setCurrent(folder);
    }
    const QString params = TrimmedText(aParams).isEmpty() ? QString() : aParams;
    const int result =
        Hook() ? Hook()(target, params, aShowMode) : PlatformShellOpen(target, params, aShowMode);
    if (result <= 32)
        throw Exception("ShellExecute result = " + std::to_string(result));
}

QString OperatingSystemText()
{
    const bool x64 = QSysInfo::currentCpuArchitecture() == QLatin1String("x86_64");
    return QStringLiteral("%1%2 (build %3)")
        .arg(OperatingSystemName(), x64 ? QStringLiteral(" x64") : QString())
        .arg(KernelBuildNumber());
}

QString VersionWithBeta(const QString &aVersion, bool aWithBeta)
{
    if (aWithBeta && !aVersion.isEmpty() && IsBetaVersion(aVersion.toStdU16String()))
        return aVersion + QStringLiteral(" - BETA");
    return aVersion;
}

QString FileVersionText(const QString &aPath, bool aWithBeta)
{
    const QString own = QString::fromStdString(ExecutablePath());
    const QString path = aPath.isEmpty() ? own : aPath;
    const QFileInfo info(path);
    if (!info.exists())
        return QString();
#ifdef _WIN32
    return VersionWithBeta(VersionResource(path), aWithBeta);
#else
    // Only the running program carries a version here, compiled in from the build.
    if (info.canonicalFilePath() != QFileInfo(own).canonicalFilePath())
        return QString();
    return VersionWithBeta(QStringLiteral(QUODRA_VERSION_TEXT), aWithBeta);
#endif
}

bool RunningUnderDebugger()
{
#ifdef _WIN32
    return IsDebuggerPresent() != 0;
#elif defined(__linux__)
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines)
        if (line.startsWith("TracerPid:"))
            return line.mid(10).trimmed().toLongLong() != 0;
    return false;
#else
    return false;
#endif
}

QString TempFolder(bool aCreate)
{
    // Any length is supported; the folder is the one the system reports.
    QString path = QDir::tempPath();
#ifndef _WIN32
    // Qt reports nothing for a TMPDIR that does not exist yet; take the variable
    // itself then (it is what asking to create the folder is for), and never "/".
    if (path.isEmpty()) {
        const QString variable = QDir::cleanPath(qEnvironmentVariable("TMPDIR"));
        path = QDir::isAbsolutePath(variable) && variable != QLatin1String("/") ? variable
                                                                                : QStringLiteral("/tmp");
    }
#endif
    const QString folder = QDir::toNativeSeparators(path);
    if (aCreate)
        QDir().mkpath(folder);
    return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

void DeleteFolderContents(const QString &aFolder, bool aRecursive)
{
    const QString folder = TrimmedText(aFolder);
    // Never the root: an empty text or a bare separator means no folder at all.
    if (folder.isEmpty() || folder == QLatin1String("\\") || folder == QLatin1String("/"))
        return;
    DeleteContents(ToPath(folder), aRecursive, 0);
}

} // namespace Tamo
