#include "tables/SystemCodecs.h"

#include "appearance/FontFiles.h"
#include "util/LxRtfRef.h"
#include "util/RichStream.h"
#include "util/SafeFile.h"
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

std::string TextToAnsi(std::u16string_view text) {
    if (text.empty() || text.size() > size_t(INT_MAX)) return {};
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int size = WideCharToMultiByte(CP_ACP, 0, units, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, units, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

void SaveTextFile(const std::u16string& FileName, const std::u16string& Text, TFileTextType Kind,
                  const TFontValue* Font) {
    if (Kind == fttRtf) {
        TRtfRef holder;
        if (Font) {
            CHARFORMAT2W format = FontToCharFormat(*Font);
            holder.Rich().Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
        }
        holder.Rich().SetText(Text);
        WriteFileSafely(FileName, [&holder](HANDLE file) { RichToRtfFile(holder.Rich(), file); });
        return;
    }
    const std::string bytes = TextToFileBytes(Text, Kind, TextToAnsi);
    WriteFileSafely(FileName, [&bytes](HANDLE file) { WriteAll(file, bytes.data(), bytes.size()); });
}

TTextCodecs SystemTextCodecs() { return TTextCodecs{AnsiToText, RtfToText}; }

}  // namespace korvalin
