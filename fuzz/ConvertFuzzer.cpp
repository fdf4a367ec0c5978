// libFuzzer target: Convert in every kind and option combination. The first byte
// chooses the kind and the options, the rest is the clipboard text (UTF-8, or
// UTF-16 when bit 7 is set, so that lone surrogates reach the engine).

#include "SqlManager.h"
#include "TamoUtils.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

namespace {

class FuzzClipboard : public IClipboardReader
{
public:
    std::u16string text;
    std::u16string ReadText() override { return text; }
};

TSqlManager &engine()
{
    static std::unique_ptr<TSqlManager> instance = [] {
        const std::string path = Tamo::ExecutableFolder() + "fuzz-keywords.txt";
        std::ofstream(path, std::ios::binary) << "select\nfrom\nwhere\n= \norder by\n";
        return std::make_unique<TSqlManager>(path);
    }();
    return *instance;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *aData, std::size_t aSize)
{
    if (aSize == 0)
        return 0;
    const std::uint8_t control = aData[0];
    static const TSmerKonverze kinds[] = {skNone, skAuto, skSQL2Language, skDelphi2SQL, skCSharp2SQL};
    TSqlManager &e = engine();
    e.SetOdstranitKomentare(control & 0x08);
    e.SetPridavatPlusNaZacatek(control & 0x10);
    e.SetRozpoznavatSQL(control & 0x20);

    FuzzClipboard clipboard;
    if (control & 0x80) {
        for (std::size_t i = 1; i + 1 < aSize; i += 2)
            clipboard.text.push_back(static_cast<char16_t>(aData[i] | (aData[i + 1] << 8)));
    } else {
        clipboard.text = Tamo::Utf8ToUtf16(std::string(reinterpret_cast<const char *>(aData) + 1, aSize - 1));
    }
    e.SetClipboardReader(&clipboard);
    const TSmerKonverze done = e.Convert(kinds[control % 5], u"");
    if (done == skAuto)
        __builtin_trap();
    if (control & 0x40)
        e.AnalyzaTextu(Tamo::Trim(clipboard.text));
    e.SetClipboardReader(nullptr);
    return 0;
}
