#pragma once

// The clipboard as the main window sees it: whether it offers text and reading that
// text, which may fail (a clipboard held by another program). The engine gets its own
// reader over the same source.

#include "SqlManager.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QClipboard;

/// One facility: the system clipboard's text.
class IClipboardSource
{
public:
    virtual ~IClipboardSource() = default;
    /// True when the clipboard offers text in any form.
    virtual bool HasText() const = 0;
    /// The clipboard text, or nothing when the clipboard cannot be read right now.
    virtual std::optional<QString> TryReadText() = 0;
};

/// The CLIPBOARD selection through QClipboard; never fails to read.
class QtClipboardSource : public IClipboardSource
{
public:
    bool HasText() const override;
    std::optional<QString> TryReadText() override;
};

/// Reads the text with up to aAttempts attempts, pausing aPauseMs after every failed
/// attempt (the last one included); nothing when every attempt failed.
std::optional<QString> ReadClipboardWithRetry(IClipboardSource &aSource, int aAttempts, int aPauseMs,
                                              const std::function<void(int)> &aSleep);

/// The engine's view of the source: QString converted to UTF-16 at this edge.
class EngineClipboardReader : public IClipboardReader
{
public:
    explicit EngineClipboardReader(IClipboardSource &aSource) : FSource(aSource) {}
    /// Throws Tamo::Exception when the clipboard cannot be read.
    std::u16string ReadText() override;

private:
    IClipboardSource &FSource;
};

/// Emits changed() when the CLIPBOARD selection changes; PRIMARY changes are ignored.
class ClipboardWatcher : public QObject
{
    Q_OBJECT
public:
    explicit ClipboardWatcher(QObject *aParent = nullptr);

signals:
    void changed();
};
