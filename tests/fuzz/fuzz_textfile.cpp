// Any bytes of a table file: the detection and decoding either give text or
// the program's own error, and the lines of that text can be looked up.
#include "input/Translation.h"
#include "tables/TextFile.h"
#include "util/Errors.h"
#include "util/StringList.h"
#include "util/TextUtils.h"

#include <cstdint>
#include <cstdlib>

using namespace korvalin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TTextCodecs codecs;
    codecs.AnsiToText = [](std::string_view ansi) -> std::optional<std::u16string> {
        if (ansi.find('\x81') != std::string_view::npos) return std::nullopt;  // a code page gap
        return std::u16string(ansi.begin(), ansi.end());
    };
    codecs.RtfToText = [](const std::u16string&) { return std::optional<std::u16string>(u"RTF"); };
    // The UTF-8 reader decides and decodes the same whether the bytes come in
    // one block or split anywhere, as the file reader splits them.
    std::u16string whole, split;
    TUtf8Reader wholeReader, splitReader;
    wholeReader.Feed(bytes, &whole);
    const size_t cut = size > 0 ? data[0] % size : 0;
    splitReader.Feed(bytes.substr(0, cut), &split);
    splitReader.Feed(bytes.substr(cut), &split);
    if (wholeReader.Finish() != splitReader.Finish() || (wholeReader.Finish() && whole != split)) std::abort();

    try {
        const TStringList table(SplitLines(TextFromFileBytes(bytes, u"fuzz.tab", codecs)));
        for (size_t i = 0; i < table.Count() && i < 64; ++i) {
            const std::u16string_view line = table[i];
            const size_t separator = line.find(u'=');
            if (separator == std::u16string_view::npos) continue;  // no name, never found
            const std::u16string_view name = line.substr(0, separator);
            if (table.IndexOfName(name) > int(i)) std::abort();  // the first line of a name must be found
            (void)GetBrl2Char(&table, name);
        }
    } catch (const EKorvalin&) {
    }
    return 0;
}
