#pragma once

// The settings store: sections and integer, boolean and text values over QSettings.
// On Windows the native store is the registry key below HKEY_CURRENT_USER; elsewhere
// the native file under the user's config folder. A section "A\B" is the group "A/B".

#include <QString>

#include <memory>

class QSettings;

namespace Tamo {

class SettingsStore
{
public:
    /// Opens the native store for a key path such as "Software\VORBIX software\VORBIX Quodra 2020".
    explicit SettingsStore(const QString &aKeyPath);
    /// Uses the given settings object (an ini file, a test store).
    explicit SettingsStore(std::unique_ptr<QSettings> aSettings);
    ~SettingsStore();

    /// An ini file read as a store; a missing file reads as empty.
    static std::unique_ptr<SettingsStore> OpenIniFile(const QString &aFileName);

    int ReadInteger(const QString &aSection, const QString &aName, int aDefault) const;
    void WriteInteger(const QString &aSection, const QString &aName, int aValue);
    bool ReadBool(const QString &aSection, const QString &aName, bool aDefault) const;
    void WriteBool(const QString &aSection, const QString &aName, bool aValue);
    QString ReadString(const QString &aSection, const QString &aName, const QString &aDefault) const;
    void WriteString(const QString &aSection, const QString &aName, const QString &aValue);
    bool SectionExists(const QString &aSection) const;
    void EraseSection(const QString &aSection);
    /// Writes pending changes to the backing store.
    void Flush();

    QSettings &Settings() { return *FSettings; }

private:
    // The stored spelling of section and name (matched ignoring case), or the plain key.
    QString ResolveKey(const QString &aSection, const QString &aName) const;
    void RefreshIfFile() const;

    std::unique_ptr<QSettings> FSettings;
    bool FIniFile = false;
};

} // namespace Tamo
