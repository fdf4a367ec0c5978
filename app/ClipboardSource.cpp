#include "ClipboardSource.h"

#include "TamoException.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool QtClipboardSource::HasText() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return data && data->hasText();
}

std::optional<QString> QtClipboardSource::TryReadText()
{
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

std::optional<QString> ReadClipboardWithRetry(IClipboardSource &aSource, int aAttempts, int aPauseMs,
                                              const std::function<void(int)> &aSleep)
{
    for (int attempt = 0; attempt < aAttempts; ++attempt) {
        if (std::optional<QString> text = aSource.TryReadText())
            return text;
        if (aSleep)
            aSleep(aPauseMs);
    }
    return std::nullopt;
}

std::u16string EngineClipboardReader::ReadText()
{
    const std::optional<QString> text = FSource.TryReadText();
    if (!text)
        throw Tamo::Exception("Schránku nelze přečíst.");
    return text->toStdU16String();
}

ClipboardWatcher::ClipboardWatcher(QObject *aParent) : QObject(aParent)
{
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode aMode) {
        if (aMode == QClipboard::Clipboard)
            emit changed();
    });
}
