#include "TamoSettings.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStringConverter>
#include <QStringDecoder>
#include <QStringList>

namespace Tamo {

namespace {

// Sections use "\" between subkeys, as registry paths do; QSettings groups use "/".
QString GroupOf(const QString &aSection)
{
    QString group = aSection;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    return group;
}

QString KeyOf(const QString &aSection, const QString &aName)
{
    const QString group = GroupOf(aSection);
    return group.isEmpty() ? aName : group + QLatin1Char('/') + aName;
}

// Ini files written by hand or by other programs: BOM-marked UTF-8 or UTF-16,
// otherwise UTF-8 when valid and the 8-bit code page as the fallback.
QString DecodeIniBytes(const QByteArray &aBytes)
{
    if (auto encoding = QStringConverter::encodingForData(aBytes)) {
        QStringDecoder decoder(*encoding);
        return decoder(aBytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(aBytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLocal8Bit(aBytes);
}

// A lenient reader in the manner of the Windows profile functions: "[section]"
// lines, "name=value" lines with blanks trimmed around name and value, a value in
// matching double quotes loses them, ";" and "#" start a comment line only at the
// line's start (a ";" inside a value stays), and no escapes or lists are interpreted.
bool ReadIniFormat(QIODevice &aDevice, QSettings::SettingsMap &aMap)
{
    const QString text = DecodeIniBytes(aDevice.readAll());
    QString section;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            section = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString name = line.left(eq).trimmed();
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        const QString key = KeyOf(section, name);
        if (!aMap.contains(key)) // the first occurrence wins, as with the profile functions
            aMap.insert(key, value);
    }
    return true;
}

bool WriteIniFormat(QIODevice &aDevice, const QSettings::SettingsMap &aMap)
{
    QString out;
    QString current;
    bool first = true;
    // The map is sorted by key, so the values of one section come together.
    for (auto it = aMap.constBegin(); it != aMap.constEnd(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        const QString name = slash < 0 ? it.key() : it.key().mid(slash + 1);
        if (first || section != current) {
            if (!first)
                out += QStringLiteral("\r\n");
            out += QLatin1Char('[') + QString(section).replace(QLatin1Char('/'), QLatin1Char('\\')) +
                   QStringLiteral("]\r\n");
            current = section;
            first = false;
        }
        out += name + QLatin1Char('=') + it.value().toString() + QStringLiteral("\r\n");
    }
    return aDevice.write(out.toUtf8()) >= 0;
}

QSettings::Format IniFileFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), ReadIniFormat, WriteIniFormat, Qt::CaseInsensitive);
    return format;
}

std::unique_ptr<QSettings> OpenNative(const QString &aKeyPath)
{
#ifdef _WIN32
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + aKeyPath,
                                       QSettings::NativeFormat);
#else
    // "Software\<organisation>\<application>": the last two components name the
    // file <config folder>/<organisation>/<application>.conf.
    QStringList parts = aKeyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    const QString application = parts.isEmpty() ? QStringLiteral("Quodra") : parts.takeLast();
    const QString organisation = parts.isEmpty() ? QString() : parts.takeLast();
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation,
                                       application);
#endif
}

// The stored spelling of a child group or key that matches aName ignoring case.
QString MatchChild(const QStringList &aChildren, const QString &aName)
{
    for (const QString &child : aChildren)
        if (child.compare(aName, Qt::CaseInsensitive) == 0)
            return child;
    return QString();
}

} // namespace

SettingsStore::SettingsStore(const QString &aKeyPath) : FSettings(OpenNative(aKeyPath)) {}

SettingsStore::SettingsStore(std::unique_ptr<QSettings> aSettings) : FSettings(std::move(aSettings)) {}

SettingsStore::~SettingsStore()
{
    if (FSettings)
        FSettings->sync();
}

std::unique_ptr<SettingsStore> SettingsStore::OpenIniFile(const QString &aFileName)
{
    auto store = std::make_unique<SettingsStore>(std::make_unique<QSettings>(aFileName, IniFileFormat()));
    store->FIniFile = true;
    return store;
}

QString SettingsStore::ResolveKey(const QString &aSection, const QString &aName) const
{
    const QString exact = KeyOf(aSection, aName);
    if (FSettings->contains(exact))
        return exact;
    // Sections and names match ignoring case, as they do in the registry and in
    // ini files; walk the groups and take the stored spelling of each.
    const QStringList groups = GroupOf(aSection).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList resolved;
    for (const QString &group : groups) {
        const QString stored = MatchChild(FSettings->childGroups(), group);
        if (stored.isEmpty())
            break;
        resolved << stored;
        FSettings->beginGroup(stored);
    }
    QString key = exact;
    if (resolved.size() == groups.size()) {
        const QString name = MatchChild(FSettings->childKeys(), aName);
        if (!name.isEmpty())
            key = resolved.isEmpty() ? name : resolved.join(QLatin1Char('/')) + QLatin1Char('/') + name;
    }
    for (qsizetype i = 0; i < resolved.size(); ++i)
        FSettings->endGroup();
    return key;
}

void SettingsStore::RefreshIfFile() const
{
    // An ini file may be edited while the program runs; reading again shows the change.
    if (FIniFile)
        FSettings->sync();
}

int SettingsStore::ReadInteger(const QString &aSection, const QString &aName, int aDefault) const
{
    RefreshIfFile();
    const QVariant value = FSettings->value(ResolveKey(aSection, aName));
    if (!value.isValid())
        return aDefault;
    bool ok = false;
    const int result = value.toString().trimmed().toInt(&ok, 10);
    return ok ? result : aDefault;
}

void SettingsStore::WriteInteger(const QString &aSection, const QString &aName, int aValue)
{
    // Decimal text, as the values have always been stored.
    FSettings->setValue(ResolveKey(aSection, aName), QString::number(aValue));
}

bool SettingsStore::ReadBool(const QString &aSection, const QString &aName, bool aDefault) const
{
    return ReadInteger(aSection, aName, aDefault ? 1 : 0) != 0;
}

void SettingsStore::WriteBool(const QString &aSection, const QString &aName, bool aValue)
{
    WriteInteger(aSection, aName, aValue ? 1 : 0);
}

QString SettingsStore::ReadString(const QString &aSection, const QString &aName,
                                  const QString &aDefault) const
{
    RefreshIfFile();
    const QVariant value = FSettings->value(ResolveKey(aSection, aName));
    if (!value.isValid())
        return aDefault;
    // A native file store may hand back a comma-separated text as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::WriteString(const QString &aSection, const QString &aName, const QString &aValue)
{
    FSettings->setValue(ResolveKey(aSection, aName), aValue);
}

bool SettingsStore::SectionExists(const QString &aSection) const
{
    RefreshIfFile();
    const QStringList groups = GroupOf(aSection).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (groups.isEmpty())
        return true;
    int opened = 0;
    bool exists = true;
    for (const QString &group : groups) {
        const QString stored = MatchChild(FSettings->childGroups(), group);
        if (stored.isEmpty()) {
            exists = false;
            break;
        }
        FSettings->beginGroup(stored);
        ++opened;
    }
    for (int i = 0; i < opened; ++i)
        FSettings->endGroup();
    return exists;
}

void SettingsStore::EraseSection(const QString &aSection)
{
    const QString group = GroupOf(aSection);
    if (group.isEmpty())
        return; // never wipe the whole store by accident
    FSettings->remove(group);
}

void SettingsStore::Flush()
{
    FSettings->sync();
}

} // namespace Tamo
