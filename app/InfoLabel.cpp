#include "InfoLabel.h"

QString InfoMarkupToHtml(const QString &aMarkup)
{
    QString html = aMarkup.toHtmlEscaped();
    html.replace(QLatin1String("[b]"), QLatin1String("<b>"), Qt::CaseInsensitive);
    html.replace(QLatin1String("[/b]"), QLatin1String("</b>"), Qt::CaseInsensitive);
    return html;
}

TInfoLabel::TInfoLabel(QWidget *aParent) : QLabel(aParent)
{
    setTextFormat(Qt::RichText);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TInfoLabel::SetCaption(const QString &aMarkup)
{
    FCaption = aMarkup;
    setText(InfoMarkupToHtml(aMarkup));
}
