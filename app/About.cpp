#include "About.h"

#include "Editors.h"
#include "QuodraConfig.h"
#include "TamoSettings.h"
#include "TamoSystem.h"
#include "TamoUtils.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>

namespace {

QLabel *MakeLabel(QWidget *aParent, const char *aName, int aLeft, int aTop, const QString &aText = {})
{
    auto *label = new QLabel(aText, aParent);
    label->setObjectName(QString::fromLatin1(aName));
    label->move(aLeft, aTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

// A picture label showing an SVG drawn at the label's size.
QLabel *MakePicture(QWidget *aParent, const char *aName, const QString &aSvg, const QRect &aGeometry)
{
    auto *picture = new QLabel(aParent);
    picture->setObjectName(QString::fromLatin1(aName));
    picture->setGeometry(aGeometry);
    const qreal ratio = aParent->devicePixelRatioF();
    QPixmap pixmap(aGeometry.size() * ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(aSvg);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    picture->setPixmap(pixmap);
    return picture;
}

// Sizes are given as character heights in pixels at 96 dpi.
QFont PixelFont(const QFont &aBase, int aPixels, bool aBold = false, bool aItalic = false)
{
    QFont font = aBase;
    font.setPixelSize(aPixels);
    font.setBold(aBold);
    font.setItalic(aItalic);
    return font;
}

} // namespace

TAboutForm::TAboutForm(Tamo::SettingsStore *aIniSettings, QWidget *aParent)
    : QDialog(aParent), FIniSettings(aIniSettings)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("O aplikaci..."));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(572, 350);
    const QFont base = UiFontOr(QStringLiteral("Segoe UI"), 9);
    setFont(base);

    MakePicture(this, "Image1", QStringLiteral(":/icons/about_side.svg"), QRect(0, 0, 180, 350));

    LabMainTitle = MakeLabel(this, "LabMainTitle", 192, 8);
    LabMainTitle->setFont(PixelFont(base, 15, true));
    LabMainTitle->setStyleSheet(QStringLiteral("color: rgb(0, 185, 224);"));

    MakePicture(this, "Image2", QStringLiteral(":/icons/about_info.svg"), QRect(531, 8, 32, 32));

    MakeLabel(this, "Label10", 192, 64, QStringLiteral("Verze aplikace:"));
    LabVerzeAplikace = MakeLabel(this, "LabVerzeAplikace", 304, 64);
    MakeLabel(this, "Label13", 192, 96, QStringLiteral("Operační systém:"));
    LabOperacniSystem = MakeLabel(this, "LabOperacniSystem", 304, 96);
    LabOperacniSystem->setMinimumWidth(260);

    auto *group = new QGroupBox(QStringLiteral("Registrace"), this);
    group->setObjectName(QStringLiteral("cxGroupBox1"));
    group->setGeometry(192, 120, 372, 97);
    MakeLabel(group, "Label4", 8, 16, QStringLiteral("Jméno:"));
    LabJmeno = MakeLabel(group, "LabJmeno", 112, 16);
    MakeLabel(group, "Label6", 8, 32, QStringLiteral("Společnost:"));
    LabSpolecnost = MakeLabel(group, "LabSpolecnost", 112, 32);
    for (QLabel *value : {LabJmeno, LabSpolecnost}) {
        value->setFont(PixelFont(base, 12, true));
        value->setStyleSheet(QStringLiteral("color: rgb(0, 185, 224);"));
        value->setMinimumWidth(250);
    }
    group->setVisible(false); // kept hidden; nothing shows it
    cxGroupBox1 = group;

    LabCopyright = MakeLabel(this, "LabCopyright", 192, 223);
    LabCopyright->setFont(PixelFont(base, 12, false, true));
    LabCopyright->setMinimumWidth(360);

    Label2 = MakeLabel(
        this, "Label2", 192, 247,
        QStringLiteral("Tento program je poskytován tak, jak je, bez jakýchkoli záruk. Autor neodpovídá "
                       "za škody vzniklé jeho používáním. Převzaté knihovny podléhají svým licencím."));
    Label2->setFont(PixelFont(base, 9));
    Label2->setWordWrap(true);
    Label2->setFixedSize(369, 50);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cxButton1 = new QPushButton(QStringLiteral("OK"), this);
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    cxButton1->setGeometry(489, 317, 75, 25);
    cxButton1->setDefault(true);
    cxButton1->setAutoDefault(true);
    connect(cxButton1, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

void TAboutForm::FormCreate()
{
    LabMainTitle->setText(QStringLiteral("VORBIX Quodra 2020"));
    LabMainTitle->adjustSize();
}

void TAboutForm::showEvent(QShowEvent *aEvent)
{
    FormShow();
    QDialog::showEvent(aEvent);
}

void TAboutForm::FormShow()
{
    const QString settings = QStringLiteral("Settings");
    LabJmeno->setText(FIniSettings ? FIniSettings->ReadString(settings, QStringLiteral("UserName"), QString())
                                   : QString());
    LabSpolecnost->setText(
        FIniSettings ? FIniSettings->ReadString(settings, QStringLiteral("Company"), QString()) : QString());
    LabVerzeAplikace->setText(Tamo::FileVersionText(FExePath, true));
    LabOperacniSystem->setText(Tamo::OperatingSystemText());
    LabCopyright->setText(QString::fromStdU16String(
        Tamo::CopyrightText(2015, QStringLiteral(QUODRA_COPYRIGHT_HOLDER).toStdU16String(), u"Copyright")));
    for (QLabel *label : {LabJmeno, LabSpolecnost, LabVerzeAplikace, LabOperacniSystem, LabCopyright})
        label->adjustSize();
    cxButton1->setFocus();
}

void TAboutForm::keyPressEvent(QKeyEvent *aEvent)
{
    // The OK button is the cancel button as well: Esc closes with OK, like Enter.
    if (aEvent->key() == Qt::Key_Escape && aEvent->modifiers() == Qt::NoModifier) {
        accept();
        return;
    }
    QDialog::keyPressEvent(aEvent);
}
