// Any bytes opened as a BRF file: reading what was written from what was
// read gives what was read, the export's form is written again unchanged,
// and the editor text of the cells converts back to the same cells.
#include "tables/BrailleFiles.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace korvalin;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Standard.tab as shipped: its lines after the title.
TStringList ShippedStandard() {
    std::ifstream file(KORVALIN_DATA_DIR "/Tabellen/Standard.tab", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::vector<std::u16string> lines = SplitLines(Utf8ToU16(bytes.str()));
    Check(lines.size() > 64);
    lines.erase(lines.begin());
    return TStringList(std::move(lines));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TStringList standard = ShippedStandard();
    static const TCellTables tables(standard, {}, {});
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TBrailleDocument read;
    try {
        read = ReadBrf(bytes, tables.Ascii());
    } catch (const EKorvalin&) {
        return 0;
    }
    const TBrailleGeometry unbounded{int(size) + 1, int(size) + 1};
    Check(ReadBrf(WriteBrf(read, unbounded, tables.Ascii()), tables.Ascii()) == read);
    const std::string exported = WriteBrf(read, {}, tables.Ascii());
    Check(WriteBrf(ReadBrf(exported, tables.Ascii()), {}, tables.Ascii()) == exported);
    const TCellConversion text = TextToCells({{ImportBrf(bytes, tables.Ascii()), u"Segoe UI Symbol"}}, tables);
    Check(text.UnconvertibleCount == 0 && text.Document == read);
    return 0;
}
