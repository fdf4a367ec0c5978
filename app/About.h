#pragma once

// The About dialog: product title, version with its beta marker, the operating
// system, the copyright line, and the user's name and company from the ini file.

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

namespace Tamo {
class SettingsStore;
}

class TAboutForm : public QDialog
{
    Q_OBJECT
public:
    /// aIniSettings is the main window's ini file (not owned, may be null: empty values).
    explicit TAboutForm(Tamo::SettingsStore *aIniSettings, QWidget *aParent = nullptr);

    void SetIniSettings(Tamo::SettingsStore *aIniSettings) { FIniSettings = aIniSettings; }
    /// The executable whose version is shown; empty means the running one.
    void SetExePath(const QString &aPath) { FExePath = aPath; }

    QLabel *LabMainTitle = nullptr;
    QLabel *LabVerzeAplikace = nullptr;
    QLabel *LabOperacniSystem = nullptr;
    QWidget *cxGroupBox1 = nullptr;
    QLabel *LabJmeno = nullptr;
    QLabel *LabSpolecnost = nullptr;
    QLabel *LabCopyright = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *cxButton1 = nullptr;

protected:
    void showEvent(QShowEvent *aEvent) override;
    void keyPressEvent(QKeyEvent *aEvent) override;

private:
    void FormCreate();
    void FormShow();

    Tamo::SettingsStore *FIniSettings;
    QString FExePath;
};
