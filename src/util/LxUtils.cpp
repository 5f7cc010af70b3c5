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

std::u16string WindowCaption(HWND window) {
    wchar_t caption[261] = {};
    const int length = GetWindowTextW(window, caption, 261);
    return U16(caption, length > 0 ? size_t(length) : 0);
}

}  // namespace korvalin
