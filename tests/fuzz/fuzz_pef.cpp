// Any bytes opened as a PEF file: the reader gives pages and rows or its
// own error, and reading what was written (with a title taken from the
// input) from what was read gives what was read.
#include "tables/BrailleFiles.h"
#include "util/Errors.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace korvalin;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TBrailleDocument read;
    try {
        read = ReadPef(bytes);
    } catch (const EKorvalin&) {
        return 0;
    }
    int cols = 1, rows = 1;
    for (const TBraillePage& page : read.Pages) {
        rows = std::max(rows, int(page.Lines.size()));
        for (const TCellLine& line : page.Lines) cols = std::max(cols, int(line.size()));
    }
    const std::u16string title(bytes.begin(), bytes.begin() + std::ptrdiff_t(std::min<size_t>(size, 40)));
    Check(ReadPef(WritePef(read, {cols, rows}, title)) == read);
    Check(ReadPef(WritePef(read, {}, title)) == LayoutPages(read, {}));
    return 0;
}
