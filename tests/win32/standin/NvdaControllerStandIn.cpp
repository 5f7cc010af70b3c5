// A stand-in for the NVDA controller client library: records every call
// with its text, one line each, in "nvda-calls.txt" beside the library.
// KORVALIN_NVDA_CANCEL_FAILS=1 makes cancelling speech fail.
#include <windows.h>

#include <string>

namespace {

HMODULE Module = nullptr;

void Record(const char* call, const wchar_t* text) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(Module, path, MAX_PATH);
    std::wstring file(path, length);
    file.resize(file.find_last_of(L'\\') + 1);
    file += L"nvda-calls.txt";
    std::string line(call);
    if (text) {
        line += ':';
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(size > 0 ? size - 1 : 0, '\0');
        if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
        line += utf8;
    }
    line += '\n';
    HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(handle);
}

bool EnvironmentSet(const wchar_t* name) { return GetEnvironmentVariableW(name, nullptr, 0) > 0; }

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Module = instance;
    return TRUE;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_testIfRunning() {
    Record("testIfRunning", nullptr);
    return 0;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_speakText(const wchar_t* text) {
    Record("speakText", text);
    return 0;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_brailleMessage(const wchar_t* text) {
    Record("brailleMessage", text);
    return 0;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_cancelSpeech() {
    Record("cancelSpeech", nullptr);
    return EnvironmentSet(L"KORVALIN_NVDA_CANCEL_FAILS") ? 1 : 0;
}

}  // extern "C"
