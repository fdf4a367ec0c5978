#pragma once

// Persists a top-level window's monitor, state and bounds below the section
// "Settings" of a settings store.

#include <QRect>
#include <QString>

class QWidget;

namespace Tamo {

class SettingsStore;

/// The screens as the placement sees them (full monitor rectangles, virtual-screen coordinates).
class IScreenInfo
{
public:
    virtual ~IScreenInfo() = default;
    virtual QRect PrimaryGeometry() const = 0;
    virtual int MonitorCount() const = 0;
    virtual QRect MonitorGeometry(int aIndex) const = 0;
    /// Index of the monitor nearest to the window.
    virtual int MonitorOf(const QWidget *aWindow) const = 0;
};
/// The real screens through QGuiApplication.
const IScreenInfo &QtScreenInfo();

/// Writes the window's placement; value names are prefix + objectName() + suffix.
void SaveFormPlacement(SettingsStore &aRegIni, QWidget *aForm, bool aWithSize, const QString &aPrefix,
                       const IScreenInfo &aScreens = QtScreenInfo());
/// Applies a stored placement and returns true, or centres the window and returns false.
bool RestoreFormPlacement(SettingsStore &aRegIni, QWidget *aForm, bool aWithSize, const QString &aPrefix,
                          const IScreenInfo &aScreens = QtScreenInfo());

} // namespace Tamo
