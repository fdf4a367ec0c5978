#pragma once

// Builds zip archives for the tests with libzip.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <zip.h>

struct TestZipEntry
{
    QString name;
    QByteArray data;
    unsigned unixMode = 0; // 0: no Unix attributes
};

inline bool WriteTestZip(const QString &aFileName, const QList<TestZipEntry> &aEntries)
{
    QFile::remove(aFileName);
    if (aEntries.isEmpty()) {
        // libzip writes no file for an archive without entries: the bare end record.
        QFile file(aFileName);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        QByteArray end(22, '\0');
        end[0] = 'P';
        end[1] = 'K';
        end[2] = 5;
        end[3] = 6;
        return file.write(end) == end.size();
    }
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(aFileName).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const TestZipEntry &entry : aEntries) {
        // zip_source_buffer does not copy: the data lives in aEntries until zip_close.
        zip_source_t *source = zip_source_buffer(archive, entry.data.constData(),
                                                 static_cast<zip_uint64_t>(entry.data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.toUtf8().constData(), source,
                                               ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        if (entry.unixMode)
            zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX,
                                             (0100000u | entry.unixMode) << 16);
    }
    return zip_close(archive) == 0;
}
