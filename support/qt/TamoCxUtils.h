#pragma once

// A splitter with an open/closed state and the position it reopens at, and the
// persistence of that state below "Settings\<splitter name>".

#include <QSplitter>

namespace Tamo {

class SettingsStore;

enum TcxSplitterAlign
{
    salBottom = 0,
    salLeft = 1,
    salRight = 2,
    salTop = 3
};

/// A QSplitter of two panes whose pane on the aligned side (bottom, left, right, top)
/// can be closed and reopened; optionally bound to a control whose size it sets.
class CxSplitter : public QSplitter
{
    Q_OBJECT
public:
    explicit CxSplitter(TcxSplitterAlign aAlign, QWidget *aParent = nullptr);

    TcxSplitterAlign AlignSplitter() const { return FAlign; }
    /// The bound control (resized on restore), or null.
    QWidget *Control() const { return FControl; }
    void SetControl(QWidget *aControl) { FControl = aControl; }

    /// 0 opened, 1 closed; setting it closes or reopens the aligned pane.
    int State() const;
    void SetState(int aState);
    /// Where the splitter reopens; set without side effects.
    int PositionBeforeClose = 0;

    /// The splitter bar's own left and top within the splitter.
    int Left() const;
    int Top() const;

private:
    // Index of the pane on the aligned side: the second for bottom and right.
    int AlignedIndex() const;
    QWidget *AlignedPane() const;
    void SetAlignedPaneSize(int aSize);

    TcxSplitterAlign FAlign;
    QWidget *FControl = nullptr;
    bool FClosed = false;
};

void SaveSplitterState(SettingsStore &aRegIni, CxSplitter *aSplitter);
void RestoreSplitterState(SettingsStore &aRegIni, CxSplitter *aSplitter);

} // namespace Tamo
