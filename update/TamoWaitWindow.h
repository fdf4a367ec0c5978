#pragma once

// The small borderless window that says "Čekejte prosím..." while the update
// archive downloads on the GUI thread.

#include <QWidget>

class QLabel;

namespace Tamo {

class TWaitWindow : public QWidget
{
    Q_OBJECT

public:
    TWaitWindow();

    /// Shows the window without a modal loop and paints it at once, since the
    /// download that follows blocks the event loop.
    void ShowAndPaint();

    QLabel *Panel() const { return mPanel; }

private:
    QLabel *mPanel;
};

} // namespace Tamo
