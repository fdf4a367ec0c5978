#include "TamoPlacement.h"

#include "TamoSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Tamo {

namespace {

const QString kSection = QStringLiteral("Settings");

constexpr int kStateNormal = 0, kStateMinimised = 1, kStateMaximised = 2;
// Where a window that lies off its monitor is put, from the monitor's top-left corner.
constexpr int kFallbackOffset = 100;

class RealScreens : public IScreenInfo
{
public:
    QRect PrimaryGeometry() const override
    {
        const QScreen *primary = QGuiApplication::primaryScreen();
        return primary ? primary->geometry() : QRect();
    }
    int MonitorCount() const override { return static_cast<int>(QGuiApplication::screens().size()); }
    QRect MonitorGeometry(int aIndex) const override
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        return aIndex >= 0 && aIndex < screens.size() ? screens[aIndex]->geometry() : PrimaryGeometry();
    }
    int MonitorOf(const QWidget *aWindow) const override
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        // The monitor under the window's centre, else the one Qt has placed it on.
        const QScreen *screen = QGuiApplication::screenAt(aWindow->frameGeometry().center());
        if (!screen)
            screen = aWindow->screen();
        const qsizetype index = screens.indexOf(const_cast<QScreen *>(screen));
        return index < 0 ? 0 : static_cast<int>(index);
    }
};

QString ValuePrefix(const QString &aPrefix, const QWidget *aForm)
{
    const QString prefix = aPrefix.trimmed();
    return (prefix.isEmpty() ? QString() : prefix + QLatin1Char('_')) + aForm->objectName();
}

int StateOf(const QWidget *aForm)
{
    const Qt::WindowStates state = aForm->windowState();
    if (state & Qt::WindowMinimized)
        return kStateMinimised;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return kStateMaximised;
    return kStateNormal;
}

// The frame's size minus the client area's: what resize() does not count.
QSize FrameExtra(const QWidget *aForm)
{
    const QSize extra = aForm->frameGeometry().size() - aForm->geometry().size();
    return extra.expandedTo(QSize(0, 0));
}

} // namespace

const IScreenInfo &QtScreenInfo()
{
    static const RealScreens screens;
    return screens;
}

void SaveFormPlacement(SettingsStore &aRegIni, QWidget *aForm, bool aWithSize, const QString &aPrefix,
                       const IScreenInfo &aScreens)
{
    const QString name = ValuePrefix(aPrefix, aForm);
    const int monitor = aScreens.MonitorOf(aForm);
    const int state = StateOf(aForm);
    aRegIni.WriteInteger(kSection, name + QStringLiteral("_Monitor"), monitor);
    aRegIni.WriteInteger(kSection, name + QStringLiteral("_WindowState"), state);
    if (state == kStateNormal) {
        // Absolute virtual-screen coordinates of the frame; the edges are judged
        // against the window's own monitor, so that a window hanging over the
        // monitor's left or top edge (a snapped window at -8) keeps its earlier values.
        const QRect frame = aForm->frameGeometry();
        const QRect area = aScreens.MonitorGeometry(monitor);
        if (frame.left() >= area.left())
            aRegIni.WriteInteger(kSection, name + QStringLiteral("_Left"), frame.left());
        if (frame.top() >= area.top() && frame.top() < area.top() + area.height())
            aRegIni.WriteInteger(kSection, name + QStringLiteral("_Top"), frame.top());
        if (aWithSize) {
            aRegIni.WriteInteger(kSection, name + QStringLiteral("_Width"), frame.width());
            aRegIni.WriteInteger(kSection, name + QStringLiteral("_Height"), frame.height());
        }
    }
    aRegIni.WriteBool(kSection, name + QStringLiteral("_FirstTime"), true);
}

bool RestoreFormPlacement(SettingsStore &aRegIni, QWidget *aForm, bool aWithSize, const QString &aPrefix,
                          const IScreenInfo &aScreens)
{
    const QString name = ValuePrefix(aPrefix, aForm);
    const QRect primary = aScreens.PrimaryGeometry();
    const auto centredLeft = [&]() {
        return primary.left() + (primary.width() - aForm->frameGeometry().width()) / 2;
    };
    const auto centredTop = [&]() {
        return primary.top() + (primary.height() - aForm->frameGeometry().height()) / 2;
    };

    if (!aRegIni.ReadBool(kSection, name + QStringLiteral("_FirstTime"), false)) {
        aForm->move(centredLeft(), centredTop());
        return false;
    }

    int monitor = aRegIni.ReadInteger(kSection, name + QStringLiteral("_Monitor"), 0);
    if (monitor < 0 || monitor > aScreens.MonitorCount() - 1)
        monitor = 0;
    const QRect area = aScreens.MonitorGeometry(monitor);

    if (aWithSize) {
        const QSize extra = FrameExtra(aForm);
        // A width or height that does not fit the monitor becomes 60 % of it; a
        // value that is no size at all reads as the default.
        int width = aRegIni.ReadInteger(kSection, name + QStringLiteral("_Width"), 800);
        if (width <= 0)
            width = 800;
        if (area.width() < width)
            width = static_cast<int>(area.width() * 0.6);
        aForm->resize(std::max(width - extra.width(), 1), aForm->height());
        int height = aRegIni.ReadInteger(kSection, name + QStringLiteral("_Height"), 600);
        if (height <= 0)
            height = 600;
        if (area.height() < height)
            height = static_cast<int>(area.height() * 0.6);
        aForm->resize(aForm->width(), std::max(height - extra.height(), 1));
    }

    // Stored positions are absolute; one outside the chosen monitor comes back
    // 100 pixels from that monitor's top-left corner.
    int left = aRegIni.ReadInteger(kSection, name + QStringLiteral("_Left"), centredLeft());
    if (left - area.left() < 0 || left - area.left() >= area.width())
        left = area.left() + kFallbackOffset;
    int top = aRegIni.ReadInteger(kSection, name + QStringLiteral("_Top"), centredTop());
    if (top - area.top() < 0 || top - area.top() >= area.height())
        top = area.top() + kFallbackOffset;
    aForm->move(left, top);

    // A minimised state is never applied; an unknown one reads as normal.
    int state = aRegIni.ReadInteger(kSection, name + QStringLiteral("_WindowState"), kStateNormal);
    if (state < kStateNormal || state > kStateMaximised)
        state = kStateNormal;
    if (state == kStateMaximised)
        aForm->setWindowState((aForm->windowState() & ~(Qt::WindowMinimized | Qt::WindowFullScreen)) |
                              Qt::WindowMaximized);
    else if (state == kStateNormal)
        aForm->setWindowState(aForm->windowState() &
                              ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    return true;
}

} // namespace Tamo
