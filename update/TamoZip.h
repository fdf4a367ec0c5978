#pragma once

// Reading of zip archives over libzip: the validity test, the entry names in the
// order of the archive's central directory, and extraction of every entry.

#include <QString>
#include <QStringList>

struct zip;

namespace Tamo {

class TZipFile
{
public:
    TZipFile() = default;
    ~TZipFile();
    TZipFile(const TZipFile &) = delete;
    TZipFile &operator=(const TZipFile &) = delete;

    /// True when aFileName is a readable, consistent zip archive.
    static bool IsValid(const QString &aFileName);

    /// Opens the archive for reading; raises Tamo::EFileError when it cannot.
    void Open(const QString &aFileName);
    void Close();

    /// Entry names as stored, in central-directory order.
    QStringList FileNames() const;

    /// True when every entry name stays inside the extraction folder: not absolute,
    /// no drive, no ".." part ("\" counts as a separator too).
    bool HasSafePaths() const;

    /// Extracts every entry below aFolder (ending with a separator), creating sub-folders
    /// and overwriting files; on Unix an entry with an executable bit gets it on disk.
    /// Raises Tamo::Exception for an unsafe entry path before anything is written, and
    /// Tamo::EFileError when an entry cannot be read or written.
    void ExtractAll(const QString &aFolder);

    /// True for a well-formed relative entry path (see HasSafePaths).
    static bool IsSafeEntryName(const QString &aName);

private:
    zip *mArchive = nullptr;
};

} // namespace Tamo
