#include "settings/SettingsIni.h"

#include "util/Errors.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <shlobj.h>

#include <optional>
#include <vector>

namespace korvalin {

namespace {

std::optional<std::u16string>& IniFilenameSlot() {
    static std::optional<std::u16string> filename;
    return filename;
}

std::u16string ModuleFilename() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) return U16(path.data(), length);
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::u16string TIniProfile::ReadString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view def) {
    const std::u16string s(section), k(key), d(def);
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(WStr(s), WStr(k), WStr(d), buffer.data(), DWORD(buffer.size()),
                                                      WStr(FFilename));
        // A value that fills the buffer may have been cut off.
        if (length + 1 < buffer.size() || buffer.size() >= 1024 * 1024) return U16(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

void TIniProfile::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    const std::u16string s(section), k(key), v(value);
    SetLastError(ERROR_SUCCESS);
    if (WritePrivateProfileStringW(WStr(s), WStr(k), WStr(v), WStr(FFilename))) return;
    const DWORD code = GetLastError();
    std::u16string reason = code != ERROR_SUCCESS ? SysErrorMessage(code) : std::u16string();
    if (reason.empty()) reason = Format(u"Windows-Fehler %d", {std::int64_t(code)});
    throw EKorvalin(Format(u"Die Datei \"%s\" konnte nicht geschrieben werden.\r\n%s", {FFilename, reason}));
}

std::u16string AppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0]) return {};
    std::u16string folder = U16(path);
    if (folder.back() != u'\\') folder += u'\\';
    return folder;
}

const std::u16string& IniFilename() {
    std::optional<std::u16string>& slot = IniFilenameSlot();
    if (!slot) slot = SettingsFilename(AppDataFolder(), ModuleFilename());
    return *slot;
}

void SetIniFilename(std::u16string filename) { IniFilenameSlot() = std::move(filename); }

void CreateIniFolder() {
    std::u16string folder(ExtractFilePath(IniFilename()));
    while (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/')) folder.pop_back();
    if (!folder.empty()) SHCreateDirectoryExW(nullptr, WStr(folder), nullptr);  // with every missing parent
}

void ClearFileAttributes(const std::u16string& filename) {
    if (GetFileAttributesW(WStr(filename)) != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(WStr(filename), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace korvalin
