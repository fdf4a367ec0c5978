// Feeds arbitrary clipboard text to the engine in every conversion kind and option
// combination. The first byte chooses the kind and the options; the rest, read as
// UTF-16 code units (lone surrogates included), is the clipboard's text.

#include "SqlManager.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

class FuzzClipboard : public IClipboardReader
{
public:
    std::u16string text;
    std::u16string ReadText() override { return text; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *aData, std::size_t aSize)
{
    static std::unique_ptr<TSqlManager> engine = std::make_unique<TSqlManager>(QUODRA_KEYWORDS_FILE);
    static FuzzClipboard clipboard;
    if (aSize == 0)
        return 0;

    const std::uint8_t control = aData[0];
    static constexpr TSmerKonverze kinds[] = {skNone, skAuto, skSQL2Language, skDelphi2SQL, skCSharp2SQL};
    const TSmerKonverze kind = kinds[(control & 0x07) % 5];
    engine->SetOdstranitKomentare(control & 0x08);
    engine->SetPridavatPlusNaZacatek(control & 0x10);
    engine->SetRozpoznavatSQL(control & 0x20);

    std::u16string text;
    text.reserve((aSize - 1) / 2);
    for (std::size_t i = 1; i + 1 < aSize; i += 2)
        text.push_back(static_cast<char16_t>(aData[i] | (aData[i + 1] << 8)));
    clipboard.text = std::move(text);
    engine->SetClipboardReader(&clipboard);

    const TSmerKonverze done = engine->Convert(kind, std::u16string());
    if (done == skAuto)
        __builtin_trap(); // Convert never reports skAuto
    if (control & 0x40)
        (void)engine->AnalyzaTextu(clipboard.text);
    return 0;
}
