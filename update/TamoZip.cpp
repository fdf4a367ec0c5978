#include "TamoZip.h"

#include "TamoException.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace Tamo {

namespace {

QString entryName(zip *aArchive, zip_uint64_t aIndex)
{
    const char *name = zip_get_name(aArchive, aIndex, ZIP_FL_ENC_GUESS);
    return name ? QString::fromUtf8(name) : QString();
}

#ifndef _WIN32
// Unix permission bits of an entry made on Unix, 0 otherwise.
unsigned unixMode(zip *aArchive, zip_uint64_t aIndex)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(aArchive, aIndex, 0, &opsys, &attributes) != 0)
        return 0;
    return opsys == ZIP_OPSYS_UNIX ? (attributes >> 16) & 07777u : 0u;
}
#endif

[[noreturn]] void raiseFileError(const QString &aWhat, const QString &aName, const QString &aReason)
{
    throw EFileError(QStringLiteral("%1 \"%2\": %3").arg(aWhat, aName, aReason).toStdString());
}

} // namespace

TZipFile::~TZipFile()
{
    Close();
}

bool TZipFile::IsValid(const QString &aFileName)
{
    int error = 0;
    zip *archive = zip_open(QFile::encodeName(aFileName).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive)
        return false;
    zip_discard(archive);
    return true;
}

void TZipFile::Open(const QString &aFileName)
{
    Close();
    int error = 0;
    mArchive = zip_open(QFile::encodeName(aFileName).constData(), ZIP_RDONLY, &error);
    if (!mArchive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        const QString reason = QString::fromUtf8(zip_error_strerror(&details));
        zip_error_fini(&details);
        raiseFileError(QStringLiteral("Cannot open archive"), aFileName, reason);
    }
}

void TZipFile::Close()
{
    if (mArchive) {
        zip_discard(mArchive);
        mArchive = nullptr;
    }
}

QStringList TZipFile::FileNames() const
{
    QStringList names;
    if (!mArchive)
        return names;
    const zip_int64_t count = zip_get_num_entries(mArchive, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        names.append(entryName(mArchive, static_cast<zip_uint64_t>(i)));
    return names;
}

bool TZipFile::IsSafeEntryName(const QString &aName)
{
    if (aName.isEmpty())
        return false;
    QString name = aName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')))
        return false;
    // "C:..." would be a drive path on Windows.
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':'))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString &part : parts)
        if (part == QLatin1String(".."))
            return false;
    return true;
}

bool TZipFile::HasSafePaths() const
{
    const QStringList names = FileNames();
    for (const QString &name : names)
        if (!IsSafeEntryName(name))
            return false;
    return true;
}

void TZipFile::ExtractAll(const QString &aFolder)
{
    if (!mArchive)
        throw Exception("The archive is not open");
    if (!HasSafePaths())
        throw Exception("The archive holds an entry outside its folder");

    const QDir root(aFolder);
    const QStringList names = FileNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        QString relative = names.at(i);
        relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString target = root.filePath(relative);
        if (relative.endsWith(QLatin1Char('/'))) {
            if (!QDir().mkpath(target))
                raiseFileError(QStringLiteral("Cannot create folder"), target,
                               QStringLiteral("mkpath failed"));
            continue;
        }
        const QString parent = QFileInfo(target).absolutePath();
        if (!QDir().mkpath(parent))
            raiseFileError(QStringLiteral("Cannot create folder"), parent, QStringLiteral("mkpath failed"));

        // A link at the target would redirect the write; replace it by the entry.
        if (QFileInfo(target).isSymLink())
            QFile::remove(target);
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            raiseFileError(QStringLiteral("Cannot write file"), target, out.errorString());

        zip_file_t *in = zip_fopen_index(mArchive, static_cast<zip_uint64_t>(i), 0);
        if (!in)
            raiseFileError(QStringLiteral("Cannot read entry"), names.at(i),
                           QString::fromUtf8(zip_strerror(mArchive)));
        char buffer[65536];
        for (;;) {
            const zip_int64_t n = zip_fread(in, buffer, sizeof buffer);
            if (n < 0) {
                const QString reason = QString::fromUtf8(zip_file_strerror(in));
                zip_fclose(in);
                raiseFileError(QStringLiteral("Cannot read entry"), names.at(i), reason);
            }
            if (n == 0)
                break;
            if (out.write(buffer, n) != n) {
                zip_fclose(in);
                raiseFileError(QStringLiteral("Cannot write file"), target, out.errorString());
            }
        }
        if (zip_fclose(in) != 0)
            raiseFileError(QStringLiteral("Cannot read entry"), names.at(i), QStringLiteral("damaged data"));
        out.close();

#ifndef _WIN32
        const unsigned mode = unixMode(mArchive, static_cast<zip_uint64_t>(i));
        if (mode & 0111u) {
            QFileDevice::Permissions permissions =
                out.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser;
            if (mode & 0010u)
                permissions |= QFileDevice::ExeGroup;
            if (mode & 0001u)
                permissions |= QFileDevice::ExeOther;
            out.setPermissions(permissions);
        }
#endif
    }
}

} // namespace Tamo
