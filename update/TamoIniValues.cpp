#include "TamoIniValues.h"

#include "TamoException.h"

#include <QFile>

#include <ini.h>

namespace Tamo {

namespace {

QString makeKey(const QString &aSection, const QString &aKey)
{
    return aSection.toLower() + QLatin1Char('\n') + aKey.toLower();
}

int storeValue(void *aUser, const char *aSection, const char *aName, const char *aValue)
{
    auto *values = static_cast<QHash<QString, QString> *>(aUser);
    if (aName) {
        // Continuation lines come again under the same name; the first value stays.
        const QString key = makeKey(QString::fromUtf8(aSection), QString::fromUtf8(aName));
        if (!values->contains(key))
            values->insert(key, QString::fromUtf8(aValue ? aValue : ""));
    }
    return 1; // keep parsing: lines that are not key=value are skipped
}

} // namespace

TIniReader::TIniReader(const QString &aFileName)
{
    QFile file(aFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(
            QStringLiteral("Cannot read file \"%1\": %2").arg(aFileName, file.errorString()).toStdString());
    const QByteArray data = file.readAll();
    ini_parse_string(data.constData(), storeValue, &mValues);
}

QString TIniReader::ReadString(const QString &aSection, const QString &aKey, const QString &aDefault) const
{
    return mValues.value(makeKey(aSection, aKey), aDefault);
}

} // namespace Tamo
