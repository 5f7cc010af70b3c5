#include "util/LxUtils.h"

#include "util/Win32Text.h"

#include <vector>

namespace korvalin {

std::u16string SysErrorMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text = length ? U16(buffer, length) : std::u16string();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    return text;
}

std::u16string ExeFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            std::u16string folder = U16(path.data(), length);
            return folder.substr(0, folder.find_last_of(u"\\/:") + 1);
        }
        path.resize(path.size() * 2);
    }
}

void RestrictLibrarySearch() {
    // Looked up: Windows 7 has the function only with a later update. Without
    // it at least the current folder leaves the search.
    using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<TSetDefaultDllDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR))
        SetDllDirectoryW(L"");
}

HMODULE LoadProgramLibrary(std::u16string_view name) {
    std::u16string path = ExeFolder();
    path.append(name);
    // The library's own imports are looked for beside it first.
    return LoadLibraryExW(WStr(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::u16string WindowCaption(HWND window) {
    wchar_t caption[261] = {};
    const int length = GetWindowTextW(window, caption, 261);
    return U16(caption, length > 0 ? size_t(length) : 0);
}

// ---- measuring ----

namespace {

// The screen's device context with Font (or the system icon font) selected,
// everything put back and released on every path.
class TMeasureDC {
public:
    explicit TMeasureDC(HFONT font) : FDC(GetDC(nullptr)) {
        if (!FDC) return;
        if (!font) {
            LOGFONTW iconFont{};
            if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconFont), &iconFont, 0))
                FIconFont = CreateFontIndirectW(&iconFont);
            font = FIconFont ? FIconFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        }
        FOld = SelectObject(FDC, font);
    }
    ~TMeasureDC() {
        if (!FDC) return;
        if (FOld) SelectObject(FDC, FOld);
        if (FIconFont) DeleteObject(FIconFont);
        ReleaseDC(nullptr, FDC);
    }
    TMeasureDC(const TMeasureDC&) = delete;
    TMeasureDC& operator=(const TMeasureDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HDC FDC;
    HFONT FIconFont = nullptr;
    HGDIOBJ FOld = nullptr;
};

}  // namespace

int FontTextHeight(HFONT font) {
    const TMeasureDC dc(font);
    TEXTMETRICW metrics{};
    if (!dc.Get() || !GetTextMetricsW(dc.Get(), &metrics)) return 0;
    return metrics.tmHeight;
}

int FontTextWidth(HFONT font, std::u16string_view text) {
    if (text.empty()) return 0;
    const TMeasureDC dc(font);
    SIZE size{};
    if (!dc.Get() ||
        !GetTextExtentPoint32W(dc.Get(), reinterpret_cast<const wchar_t*>(text.data()), int(text.size()), &size))
        return 0;
    return size.cx;
}

int FontTextWidthSpaced(HFONT font, std::u16string_view text) {
    std::u16string spaced(text);
    spaced += u' ';
    return FontTextWidth(font, spaced);
}

int FontControlHeight(HFONT font, TControlKind kind) {
    int height = FontTextHeight(font);
    if (height <= 0) height = 12;
    switch (kind) {
        case TControlKind::Edit: return height + 8;
        case TControlKind::Button: return height + 12;
        case TControlKind::StatusBar: return height + 6;
        case TControlKind::CheckBox: return height + 8;
        case TControlKind::Other: break;
    }
    return height;
}

}  // namespace korvalin
