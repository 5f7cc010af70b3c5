#include "util/RichStream.h"

#include "util/Errors.h"
#include "util/Win32Text.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace korvalin {

namespace {

constexpr int kDocumentMaxLength = 0x7FFFFFF0;

struct TMemorySource {
    std::string_view Bytes;
    size_t Position = 0;
};

DWORD CALLBACK ReadFromMemory(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto& source = *reinterpret_cast<TMemorySource*>(cookie);
    const size_t count = std::min(size_t(wanted), source.Bytes.size() - source.Position);
    std::memcpy(buffer, source.Bytes.data() + source.Position, count);
    source.Position += count;
    *got = LONG(count);
    return 0;
}

DWORD CALLBACK AppendToString(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), size_t(count));
    *done = count;
    return 0;
}

// The file a stream writes into, and the system's error of a failed write.
struct TFileSink {
    HANDLE File;
    DWORD Error = 0;
};

DWORD CALLBACK WriteToFile(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto& sink = *reinterpret_cast<TFileSink*>(cookie);
    *done = 0;
    while (*done < count) {
        DWORD written = 0;
        if (!WriteFile(sink.File, buffer + *done, DWORD(count - *done), &written, nullptr) || written == 0) {
            sink.Error = GetLastError();
            if (sink.Error == 0) sink.Error = ERROR_WRITE_FAULT;
            return 1;
        }
        *done += LONG(written);
    }
    return 0;
}

bool StreamIn(TRichEdit& edit, std::string_view bytes, UINT format) {
    TMemorySource source{bytes};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadFromMemory};
    edit.Send(EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

// The plain text of a file by its byte order mark, as UTF-16 LE bytes.
std::string PlainTextAsUtf16(std::string_view bytes) {
    if (StartsWith(bytes, "\xFF\xFE")) {
        return std::string(bytes.substr(2, (bytes.size() - 2) & ~size_t(1)));
    } else if (StartsWith(bytes, "\xFE\xFF")) {
        std::string swapped(bytes.substr(2, (bytes.size() - 2) & ~size_t(1)));
        for (size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
        return swapped;
    }
    UINT codePage = CP_ACP;
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        codePage = CP_UTF8;
        bytes.remove_prefix(3);
    }
    if (bytes.size() > size_t(INT_MAX)) throw EKorvalin(u"Stream konnte nicht geladen werden");
    std::wstring text;
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    text.resize(size_t(std::max(length, 0)));
    if (length > 0) MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), text.data(), length);
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

}  // namespace

std::string RichToRtf(const TRichEdit& edit) {
    std::string rtf;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rtf), 0, AppendToString};
    edit.Send(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return rtf;
}

void RichToRtfFile(const TRichEdit& edit, HANDLE file) {
    TFileSink sink{file};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&sink), 0, WriteToFile};
    edit.Send(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (sink.Error != 0) throw EKorvalin(SysErrorMessage(sink.Error));
    if (stream.dwError != 0) throw EKorvalin(u"Stream konnte nicht geschrieben werden");
}

bool RichFromRtf(TRichEdit& edit, std::string_view rtf) { return StreamIn(edit, rtf, SF_RTF); }

void LoadDocumentBytes(TRichEdit& edit, std::string_view bytes) {
    edit.SetMaxLength(kDocumentMaxLength);
    if (StartsWith(bytes, "{\\rtf") && StreamIn(edit, bytes, SF_RTF)) return;
    if (!StreamIn(edit, PlainTextAsUtf16(bytes), SF_TEXT | SF_UNICODE))
        throw EKorvalin(u"Stream konnte nicht geladen werden");
}

}  // namespace korvalin
