#pragma once

// A label that renders the mark-up [b]...[/b] as bold; everything else is shown as
// plain text.

#include <QLabel>

/// Converts [b]...[/b] mark-up into HTML, escaping the rest.
QString InfoMarkupToHtml(const QString &aMarkup);

class TInfoLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TInfoLabel(QWidget *aParent = nullptr);

    /// The caption as mark-up, as it was set.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &aMarkup);

private:
    QString FCaption;
};
