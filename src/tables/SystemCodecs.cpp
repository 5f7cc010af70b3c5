#include "tables/SystemCodecs.h"

#include "util/LxRtfRef.h"
#include "util/Win32Text.h"

#include <climits>

namespace korvalin {

namespace {

std::optional<std::u16string> AnsiToText(std::string_view bytes) {
    if (bytes.empty()) return std::u16string();
    if (bytes.size() > size_t(INT_MAX)) return std::nullopt;
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::u16string text(size_t(length), u'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

std::optional<std::u16string> RtfToText(const std::u16string& filename) {
    try {
        TRtfRef holder;
        if (!holder.LoadRtfFile(filename)) return std::nullopt;
        return holder.Rich().Text();
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace

TTextCodecs SystemTextCodecs() { return TTextCodecs{AnsiToText, RtfToText}; }

}  // namespace korvalin
