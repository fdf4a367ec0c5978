#include "Ribbon.h"

#include <QAction>
#include <QActionEvent>
#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int LargeIcon = 32;
constexpr int ExpandedHeight = 124;

// Long captions go on two lines, broken at the blank nearest the middle, as large
// ribbon buttons show them.
QString TwoLineCaption(const QString &aCaption)
{
    if (aCaption.size() <= 12)
        return aCaption;
    int best = -1;
    for (int i = 0; i < aCaption.size(); ++i)
        if (aCaption[i] == QLatin1Char(' ') &&
            (best < 0 || qAbs(i - aCaption.size() / 2) < qAbs(best - aCaption.size() / 2)))
            best = i;
    if (best < 0)
        return aCaption;
    QString caption = aCaption;
    caption[best] = QLatin1Char('\n');
    return caption;
}

// A large button that keeps its caption on two lines whenever the action changes.
class RibbonButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    void actionEvent(QActionEvent *aEvent) override
    {
        QToolButton::actionEvent(aEvent);
        if (defaultAction())
            setText(TwoLineCaption(defaultAction()->text()));
    }
};

QToolButton *MakeLargeButton(QWidget *aParent)
{
    auto *button = new RibbonButton(aParent);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(LargeIcon, LargeIcon));
    button->setAutoRaise(true);
    button->setMinimumWidth(64);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    button->setProperty("ribbonLarge", true);
    return button;
}

} // namespace

TRibbonGroup::TRibbonGroup(const QString &aCaption, QWidget *aParent) : QWidget(aParent)
{
    setObjectName(QStringLiteral("RibbonGroup"));
    setAttribute(Qt::WA_StyledBackground);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 4, 0);
    column->setSpacing(0);
    FItems = new QHBoxLayout;
    FItems->setSpacing(2);
    column->addLayout(FItems, 1);
    auto *caption = new QLabel(aCaption, this);
    caption->setObjectName(QStringLiteral("RibbonGroupCaption"));
    caption->setAlignment(Qt::AlignCenter);
    column->addWidget(caption);
}

QToolButton *TRibbonGroup::AddLargeButton(QAction *aAction)
{
    QToolButton *button = MakeLargeButton(this);
    button->setDefaultAction(aAction);
    button->setText(TwoLineCaption(aAction->text()));
    button->setObjectName(QStringLiteral("btn") + aAction->objectName());
    FItems->addWidget(button);
    return button;
}

QToolButton *TRibbonGroup::AddLargeSubItem(const QString &aCaption, const QIcon &aIcon, QMenu *aMenu)
{
    QToolButton *button = MakeLargeButton(this);
    button->setText(aCaption);
    button->setIcon(aIcon);
    button->setMenu(aMenu);
    button->setPopupMode(QToolButton::InstantPopup);
    FItems->addWidget(button);
    return button;
}

void TRibbonGroup::AddSeparator()
{
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("RibbonSeparator"));
    line->setFrameShape(QFrame::VLine);
    line->setFixedWidth(9);
    FItems->addWidget(line);
}

TRibbon::TRibbon(QWidget *aParent) : QWidget(aParent)
{
    setObjectName(QStringLiteral("MainRibbon"));
    setAttribute(Qt::WA_StyledBackground);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("RibbonHeader"));
    header->setAttribute(Qt::WA_StyledBackground);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    FAppButton = new QToolButton(header);
    FAppButton->setObjectName(QStringLiteral("RibbonApplicationButton"));
    FAppButton->setText(QStringLiteral("Soubor"));
    FAppButton->setPopupMode(QToolButton::InstantPopup);
    FAppMenu = new QMenu(FAppButton);
    FAppMenu->setObjectName(QStringLiteral("RibbonApplicationMenu"));
    FAppButton->setMenu(FAppMenu);
    row->addWidget(FAppButton);
    FTabs = new QTabBar(header);
    FTabs->setObjectName(QStringLiteral("RibbonTabs"));
    FTabs->setDrawBase(false);
    FTabs->setExpanding(false);
    FTabs->setUsesScrollButtons(false);
    FTabs->setElideMode(Qt::ElideNone);
    FTabs->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    row->addWidget(FTabs);
    row->addStretch(1);
    FTabs->setMinimumWidth(200);
    column->addWidget(header);

    FPages = new QStackedWidget(this);
    FPages->setObjectName(QStringLiteral("RibbonPages"));
    column->addWidget(FPages, 1);

    connect(FTabs, &QTabBar::currentChanged, FPages, &QStackedWidget::setCurrentIndex);
    // A click on a tab of a minimised ribbon brings the groups back, as a double-click toggles.
    connect(FTabs, &QTabBar::tabBarDoubleClicked, this, [this] { SetMinimized(!FMinimized); });
    setFixedHeight(ExpandedHeight);
}

int TRibbon::AddTab(const QString &aCaption)
{
    auto *page = new QWidget(FPages);
    page->setObjectName(QStringLiteral("RibbonPage"));
    auto *row = new QHBoxLayout(page);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(0);
    row->addStretch(1);
    FPages->addWidget(page);
    return FTabs->addTab(aCaption);
}

TRibbonGroup *TRibbon::AddGroup(int aTab, const QString &aCaption)
{
    QWidget *page = FPages->widget(aTab);
    auto *row = static_cast<QHBoxLayout *>(page->layout());
    auto *group = new TRibbonGroup(aCaption, page);
    row->insertWidget(row->count() - 1, group);
    return group;
}

void TRibbon::SetActiveTab(int aTab)
{
    FTabs->setCurrentIndex(aTab);
}

int TRibbon::ActiveTab() const
{
    return FTabs->currentIndex();
}

void TRibbon::SetMinimized(bool aMinimized)
{
    FMinimized = aMinimized;
    FPages->setVisible(!aMinimized);
    if (aMinimized)
        setFixedHeight(FAppButton->sizeHint().height() + 2);
    else
        setFixedHeight(ExpandedHeight);
}

void TRibbon::contextMenuEvent(QContextMenuEvent *aEvent)
{
    QMenu menu(this);
    QAction *minimize = menu.addAction(QStringLiteral("Minimalizovat pás karet"));
    minimize->setCheckable(true);
    minimize->setChecked(FMinimized);
    connect(minimize, &QAction::toggled, this, &TRibbon::SetMinimized);
    menu.exec(aEvent->globalPos());
}
