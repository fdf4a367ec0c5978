#include "TamoWaitWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>

namespace Tamo {

TWaitWindow::TWaitWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), mPanel(new QLabel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(233, 70);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mPanel);

    // The panel paints its own background, flat and without a frame.
    mPanel->setText(QStringLiteral("Čekejte prosím..."));
    mPanel->setAlignment(Qt::AlignCenter);
    mPanel->setFrameShape(QFrame::NoFrame);
    mPanel->setAutoFillBackground(true);
    QPalette palette = mPanel->palette();
    palette.setColor(QPalette::Window, QColor(254, 239, 152));
    palette.setColor(QPalette::WindowText, Qt::black);
    mPanel->setPalette(palette);
    QFont font = mPanel->font();
    font.setFamilies(
        {QStringLiteral("Segoe UI"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(12);
    mPanel->setFont(font);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TWaitWindow::ShowAndPaint()
{
    show();
    // Only this window's own pending events (layout, update requests): no other
    // handler may run in the middle of the caller's work.
    QCoreApplication::sendPostedEvents(this);
    repaint();
}

} // namespace Tamo
