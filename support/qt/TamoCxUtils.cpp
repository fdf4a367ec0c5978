#include "TamoCxUtils.h"

#include "TamoSettings.h"

#include <QSplitterHandle>

namespace Tamo {

namespace {

bool IsVertical(TcxSplitterAlign aAlign)
{
    return aAlign == salBottom || aAlign == salTop;
}

} // namespace

CxSplitter::CxSplitter(TcxSplitterAlign aAlign, QWidget *aParent)
    : QSplitter(IsVertical(aAlign) ? Qt::Vertical : Qt::Horizontal, aParent), FAlign(aAlign)
{
    // The pane closes only through SetState, never by being dragged down to nothing,
    // so State() always tells the truth.
    setChildrenCollapsible(false);
}

int CxSplitter::AlignedIndex() const
{
    return FAlign == salBottom || FAlign == salRight ? 1 : 0;
}

QWidget *CxSplitter::AlignedPane() const
{
    return count() >= 2 ? widget(AlignedIndex()) : nullptr;
}

int CxSplitter::State() const
{
    return FClosed ? 1 : 0;
}

void CxSplitter::SetState(int aState)
{
    const bool close = aState != 0;
    if (close == FClosed)
        return;
    QWidget *pane = AlignedPane();
    if (close) {
        // Remember the pane's size so that reopening brings it back.
        const int size = pane && !pane->isHidden() ? sizes().value(AlignedIndex()) : 0;
        if (size > 0)
            PositionBeforeClose = size;
        if (pane)
            pane->hide();
        FClosed = true;
        return;
    }
    FClosed = false;
    if (!pane)
        return;
    pane->show();
    SetAlignedPaneSize(PositionBeforeClose);
}

void CxSplitter::SetAlignedPaneSize(int aSize)
{
    if (count() < 2 || aSize <= 0)
        return;
    QList<int> current = sizes();
    int total = 0;
    for (int size : current)
        total += size;
    if (total <= 0)
        total = IsVertical(FAlign) ? height() : width();
    const int pane = std::min(aSize, std::max(total - 1, 1));
    current[AlignedIndex()] = pane;
    current[1 - AlignedIndex()] = std::max(total - pane, 1);
    setSizes(current);
}

int CxSplitter::Left() const
{
    return count() >= 2 ? handle(1)->x() : 0;
}

int CxSplitter::Top() const
{
    return count() >= 2 ? handle(1)->y() : 0;
}

void SaveSplitterState(SettingsStore &aRegIni, CxSplitter *aSplitter)
{
    const QWidget *control = aSplitter->Control();
    int position = -1;
    switch (aSplitter->AlignSplitter()) {
    case salBottom:
        position = control ? control->height() : aSplitter->Top();
        break;
    case salLeft:
        position = aSplitter->Left();
        break;
    case salRight:
        // Without a control the top is stored, as it always was; it is never applied.
        position = control ? control->width() : aSplitter->Top();
        break;
    case salTop:
        position = aSplitter->Top();
        break;
    }
    if (position == -1)
        return;
    const QString section = QStringLiteral("Settings\\") + aSplitter->objectName();
    aRegIni.WriteInteger(section, QStringLiteral("State"), aSplitter->State());
    aRegIni.WriteInteger(section, QStringLiteral("Position"), position);
    aRegIni.WriteInteger(section, QStringLiteral("PositionBeforeClose"), aSplitter->PositionBeforeClose);
}

void RestoreSplitterState(SettingsStore &aRegIni, CxSplitter *aSplitter)
{
    const QString section = QStringLiteral("Settings\\") + aSplitter->objectName();
    if (!aRegIni.SectionExists(section))
        return;
    // Only 1 closes; anything else stored reads as opened.
    aSplitter->SetState(aRegIni.ReadInteger(section, QStringLiteral("State"), 0) == 1 ? 1 : 0);
    const int position = aRegIni.ReadInteger(section, QStringLiteral("Position"), 0);
    aSplitter->PositionBeforeClose = aRegIni.ReadInteger(section, QStringLiteral("PositionBeforeClose"), 0);
    QWidget *control = aSplitter->Control();
    if (!control)
        return;
    const bool vertical = IsVertical(aSplitter->AlignSplitter());
    // A pane of the splitter gets its size through the splitter, whose layout would
    // otherwise undo the resize; any other control is resized directly.
    const qsizetype index = aSplitter->indexOf(control);
    if (index >= 0) {
        QList<int> sizes = aSplitter->sizes();
        int total = 0;
        for (int size : sizes)
            total += size;
        if (sizes.size() == 2 && position > 0) {
            sizes[index] = std::min(position, std::max(total - 1, 1));
            sizes[1 - index] = std::max(total - sizes[index], 1);
            aSplitter->setSizes(sizes);
        }
        return;
    }
    if (vertical)
        control->resize(control->width(), position);
    else
        control->resize(position, control->height());
}

} // namespace Tamo
