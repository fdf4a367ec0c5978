// Times the window: start to shown, and clipboard change to editors filled for a
// 50-line query and for 1 MB of SQL; prints the peak memory of the process.

#include "ClipboardSource.h"
#include "Main.h"
#include "TamoSettings.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class MemoryClipboard : public IClipboardSource
{
public:
    bool HasText() const override { return true; }
    std::optional<QString> TryReadText() override { return text; }
    QString text;
};

class NoUpdate : public IAppUpdate
{
public:
    void Aktualizace() override {}
    int PocetDniOdNoveVerze() override { return -1; }
    void AktualizaceParalel(bool) override {}
    void StahnoutASpustitAktualizaci(bool, bool) override {}
};

QString Query(int aMinLength, int aMinLines)
{
    const QStringList block = {QStringLiteral("SELECT o.OrderID, o.OrderDate, c.CompanyName, d.Quantity"),
                               QStringLiteral("  FROM Orders o"),
                               QStringLiteral("  JOIN Customers c ON c.CustomerID = o.CustomerID -- buyer"),
                               QStringLiteral("  JOIN [Order Details] d ON d.OrderID = o.OrderID"),
                               QStringLiteral(" WHERE o.OrderDate >= '2020-01-01' AND d.Quantity > 10"),
                               QStringLiteral(" UNION ALL")};
    QStringList lines;
    qsizetype length = 0;
    while (length < aMinLength || lines.size() < aMinLines) {
        const QString &line = block[lines.size() % block.size()];
        lines.append(line);
        length += line.size() + 2;
    }
    lines.append(QStringLiteral("SELECT 1"));
    return lines.join(QStringLiteral("\r\n"));
}

long PeakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

double MedianMs(std::vector<double> aTimes)
{
    std::sort(aTimes.begin(), aTimes.end());
    return aTimes[aTimes.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    QElapsedTimer start;
    start.start();
    QApplication application(argc, argv);
    MemoryClipboard clipboard;
    TMainFormSetup setup;
    const QString registry = dir.filePath(QStringLiteral("registry.ini"));
    setup.OpenRegistry = [registry](const QString &) {
        return std::make_unique<Tamo::SettingsStore>(
            std::make_unique<QSettings>(registry, QSettings::IniFormat));
    };
    setup.Clipboard = &clipboard;
    setup.CreateAppUpdate = [](const QString &, QObject *) {
        return std::make_unique<NoUpdate>();
    };
    TMainForm form(std::move(setup));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    const double startMs = start.nsecsElapsed() / 1e6;
    std::printf("start to window shown:        %8.1f ms (goal < 500)\n", startMs);

    const struct
    {
        const char *name;
        QString text;
        int runs;
        const char *goal;
    } cases[] = {{"50-line query", Query(0, 50), 21, "< 30"}, {"1 MB of SQL", Query(1 << 20, 0), 5, "< 300"}};
    for (const auto &c : cases) {
        clipboard.text = c.text;
        std::vector<double> times;
        for (int run = 0; run < c.runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            form.ClipboardChanged();
            QCoreApplication::processEvents(); // let the editors lay out what they got
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        if (form.EditorDelphi->text().isEmpty())
            return 2;
        QElapsedTimer engine;
        engine.start();
        form.SqlEngine()->Convert(form.SqlEngine()->AnalyzaTextu(c.text.toStdU16String()), std::u16string());
        const double engineMs = engine.nsecsElapsed() / 1e6;
        std::printf("  of which engine alone, %-11s %8.1f ms\n", c.name, engineMs);
        std::printf("clipboard to editors, %-13s %8.1f ms median (goal %s)\n", c.name, MedianMs(times),
                    c.goal);
    }
    std::printf("peak memory (VmHWM):          %8ld KiB\n", PeakKiB());
    return 0;
}
