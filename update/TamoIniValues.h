#pragma once

// A read-only ini file over inih: section and key names are matched without regard
// to case, values are plain text, and the first of repeated keys counts.

#include <QHash>
#include <QString>

namespace Tamo {

class TIniReader
{
public:
    /// Reads and parses aFileName; raises Tamo::EFileError when it cannot be read.
    explicit TIniReader(const QString &aFileName);

    /// The value of aKey in aSection, or aDefault when either is missing.
    QString ReadString(const QString &aSection, const QString &aKey, const QString &aDefault) const;

private:
    QHash<QString, QString> mValues; // "section\nkey" in lower case -> value
};

} // namespace Tamo
