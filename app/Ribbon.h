#pragma once

// A small ribbon: an application button with its menu, tabs, captioned groups of
// large buttons (icon above caption) bound to actions, and a context menu that
// minimises and restores the ribbon.

#include <QWidget>

class QAction;
class QHBoxLayout;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolButton;

/// One captioned group on a ribbon tab.
class TRibbonGroup : public QWidget
{
    Q_OBJECT
public:
    TRibbonGroup(const QString &aCaption, QWidget *aParent);

    /// A large button bound to the action: icon, caption, hint, enabled and checked state follow it.
    QToolButton *AddLargeButton(QAction *aAction);
    /// A large drop-down item with its own caption, icon and enabled state, not bound to an action.
    QToolButton *AddLargeSubItem(const QString &aCaption, const QIcon &aIcon, QMenu *aMenu);
    void AddSeparator();

private:
    QHBoxLayout *FItems;
};

class TRibbon : public QWidget
{
    Q_OBJECT
public:
    explicit TRibbon(QWidget *aParent = nullptr);

    /// The application button's menu.
    QMenu *ApplicationMenu() const { return FAppMenu; }
    QToolButton *ApplicationButton() const { return FAppButton; }
    /// Adds a tab and returns its index.
    int AddTab(const QString &aCaption);
    TRibbonGroup *AddGroup(int aTab, const QString &aCaption);
    void SetActiveTab(int aTab);
    int ActiveTab() const;
    QTabBar *Tabs() const { return FTabs; }

    bool IsMinimized() const { return FMinimized; }
    void SetMinimized(bool aMinimized);

protected:
    void contextMenuEvent(QContextMenuEvent *aEvent) override;

private:
    QToolButton *FAppButton;
    QMenu *FAppMenu;
    QTabBar *FTabs;
    QStackedWidget *FPages;
    bool FMinimized = false;
};
