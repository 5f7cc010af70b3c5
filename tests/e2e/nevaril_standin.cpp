// Stands in for the updater in the end-to-end tests: writes its parameters,
// one a line in UTF-8, to "Nevaril-Aufruf.txt" beside itself and keeps a copy
// of the hand-over file, looked up in the temporary folder by the name it
// was given, as "Nevaril-Uebergabe.cfg".
#include <windows.h>

#include <string>

namespace {

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring folder = OwnFolder();
    std::string record;
    for (int i = 1; i < argc; ++i) record.append(Utf8(argv[i])).append("\n");
    if (argc > 1) {
        wchar_t temp[MAX_PATH + 2] = {};
        GetTempPathW(DWORD(std::size(temp)), temp);
        CopyFileW((std::wstring(temp) + argv[1]).c_str(), (folder + L"Nevaril-Uebergabe.cfg").c_str(), FALSE);
    }
    // put in place last, in one step: once it is there, the copy is complete
    const std::wstring recordName = folder + L"Nevaril-Aufruf.txt";
    const HANDLE file = CreateFileW((recordName + L".tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, record.data(), DWORD(record.size()), &written, nullptr);
    CloseHandle(file);
    if (!MoveFileExW((recordName + L".tmp").c_str(), recordName.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
    return 0;
}
