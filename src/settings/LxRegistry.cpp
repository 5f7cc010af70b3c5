#include "settings/LxRegistry.h"

#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <shellapi.h>

#include <chrono>
#include <utility>

namespace korvalin {

namespace {

// An open registry key, closed on every way out.
class TRegKey {
public:
    TRegKey() = default;
    ~TRegKey() {
        if (FKey) RegCloseKey(FKey);
    }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;
    HKEY* Out() { return &FKey; }
    HKEY Get() const { return FKey; }

private:
    HKEY FKey = nullptr;
};

constexpr UINT WM_QUEUEDCOMMAND = WM_APP + 1;
constexpr wchar_t kQueueWindowClass[] = L"TWatchRegistrySettingsQueue";

const wchar_t* WName(std::u16string_view name, std::u16string& buffer) {
    buffer.assign(name);
    return WStr(buffer);
}

// Reads one value and deletes it. Found tells whether it was there; false
// on any failure.
bool TakeValue(HKEY key, std::u16string_view name, std::u16string& text, bool& found) {
    std::u16string nameBuffer;
    const wchar_t* valueName = WName(name, nameBuffer);
    DWORD type = 0, size = 0;
    LSTATUS status = RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS) return false;
    found = true;
    std::vector<unsigned char> bytes(size);
    for (;;) {
        size = DWORD(bytes.size());
        status = RegQueryValueExW(key, valueName, nullptr, &type, bytes.data(), &size);
        if (status != ERROR_MORE_DATA) break;
        bytes.resize(bytes.size() * 2 + 2);  // the value grew in between
    }
    if (status != ERROR_SUCCESS) return false;
    // A stored string need not end in a NUL: only the bytes read count.
    if (type == REG_SZ || type == REG_EXPAND_SZ) text = Utf16FromBytes(bytes.data(), size);
    return RegDeleteValueW(key, valueName) == ERROR_SUCCESS;
}

}  // namespace

// ---- command line ----

std::vector<std::u16string> ProgramParameters() {
    std::vector<std::u16string> parameters;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return parameters;
    for (int i = 1; i < count; ++i) parameters.push_back(U16(arguments[i]));
    LocalFree(arguments);
    return parameters;
}

std::u16string GetParametersString() { return GetParametersString(ProgramParameters()); }

std::vector<std::u16string> GetParametersArray() { return GetParametersArray(ProgramParameters()); }

// ---- the registry record ----

bool WriteRegistrySettings(std::u16string_view appName, const TRegistrySettings& settings) {
    if (settings.Empty()) return true;
    const std::u16string keyName = RegistryKeyName(appName);
    TRegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, WStr(keyName), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.Out(), nullptr) != ERROR_SUCCESS)
        return false;
    const std::pair<std::u16string_view, const std::u16string*> values[] = {
        {kRegistryValueParameters, &settings.Parameters},
        {kRegistryValueSetFocus, &settings.SetFocus},
        {kRegistryValueClose, &settings.Close}};
    std::u16string nameBuffer;
    for (const auto& [name, text] : values) {
        if (text->empty()) continue;
        if (RegSetValueExW(key.Get(), WName(name, nameBuffer), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text->c_str()),
                           DWORD((text->size() + 1) * sizeof(char16_t))) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

bool ReadRegistrySettings(std::u16string_view appName, TRegistrySettings& settings) {
    settings = {};
    const std::u16string keyName = RegistryKeyName(appName);
    bool found = false;
    {
        TRegKey key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, WStr(keyName), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Out()) !=
            ERROR_SUCCESS)
            return false;
        if (!TakeValue(key.Get(), kRegistryValueParameters, settings.Parameters, found) ||
            !TakeValue(key.Get(), kRegistryValueSetFocus, settings.SetFocus, found) ||
            !TakeValue(key.Get(), kRegistryValueClose, settings.Close, found))
            return false;
        DWORD subKeys = 0, values = 0;
        if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        if (subKeys != 0 || values != 0) return found;
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, WStr(keyName));  // another writer may have come in between
    return found;
}

// ---- windows ----

void SendParameters(HWND window, std::u16string_view parameters) {
    const std::u16string text(Trim(parameters));
    if (text.empty()) return;
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = DWORD((text.size() + 1) * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(text.c_str());
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

namespace {

struct TCaptionSearch {
    std::u16string_view Text;
    HWND Found = nullptr;
};

BOOL CALLBACK FindCaptionEnd(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TCaptionSearch*>(data);
    wchar_t caption[261] = {};
    const int length = GetWindowTextW(window, caption, 261);
    if (length <= 0) return TRUE;
    if (!U16(caption, size_t(length)).ends_with(search.Text)) return TRUE;
    search.Found = window;
    return FALSE;
}

void ActivateWindow(HWND window) {
    BringWindowToTop(window);
    SetForegroundWindow(window);
}

}  // namespace

HWND FindWindowByCaptionEnd(std::u16string_view text) {
    TCaptionSearch search{text};
    EnumWindows(FindCaptionEnd, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool BringWindowToForeground(HWND window) {
    if (!IsWindow(window)) return false;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    const HWND foreground = GetForegroundWindow();
    if (foreground == window) return true;

    const DWORD ownThread = GetWindowThreadProcessId(window, nullptr);
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool attached =
        foregroundThread && foregroundThread != ownThread && AttachThreadInput(ownThread, foregroundThread, TRUE);
    ActivateWindow(window);
    if (attached) AttachThreadInput(ownThread, foregroundThread, FALSE);
    if (GetForegroundWindow() == window) return true;

    // The system refuses a foreground change while its lock is on: lift it
    // for this one call, and only when the old value can be put back.
    DWORD lockTimeout = 0;
    if (!SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0)) return false;
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    ActivateWindow(window);
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(UINT_PTR(lockTimeout)),
                          SPIF_SENDCHANGE);
    return GetForegroundWindow() == window;
}

// ---- the watcher ----

TWatchRegistrySettings::TWatchRegistrySettings(HWND AAppHandle, std::u16string AAppName)
    : FAppHandle(AAppHandle), FAppName(std::move(AAppName)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(instance, kQueueWindowClass, &existing)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = QueueWndProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kQueueWindowClass;
        RegisterClassExW(&windowClass);
    }
    FQueueWindow = CreateWindowExW(0, kQueueWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (FQueueWindow) SetWindowLongPtrW(FQueueWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FThread = std::thread([this] { Execute(); });
}

TWatchRegistrySettings::~TWatchRegistrySettings() {
    {
        std::lock_guard lock(FMutex);
        FTerminated = true;
    }
    FWake.notify_all();
    if (FThread.joinable()) FThread.join();
    {
        std::lock_guard lock(FMutex);
        FPending.clear();
    }
    if (FQueueWindow) {
        MSG message;
        while (PeekMessageW(&message, FQueueWindow, WM_QUEUEDCOMMAND, WM_QUEUEDCOMMAND, PM_REMOVE)) {
        }
        SetWindowLongPtrW(FQueueWindow, GWLP_USERDATA, 0);
        DestroyWindow(FQueueWindow);
    }
}

void TWatchRegistrySettings::QueueRegistryCommand(HWND AAppHandle, const TRegistrySettings& Request) {
    TRegistryCommand command = ChooseRegistryCommand(Request);
    if (command.Kind == TRegistryCommandKind::None) return;
    {
        std::lock_guard lock(FMutex);
        if (FTerminated || !FQueueWindow) return;
        FPending.push_back({AAppHandle, std::move(command)});
    }
    PostMessageW(FQueueWindow, WM_QUEUEDCOMMAND, 0, 0);
}

bool TWatchRegistrySettings::Pause() {
    std::unique_lock lock(FMutex);
    for (int slice = 0; slice < 4; ++slice)
        if (FWake.wait_for(lock, std::chrono::milliseconds(25), [this] { return FTerminated; })) return false;
    return true;
}

void TWatchRegistrySettings::Execute() {
    TRegistrySettings request;
    ReadRegistrySettings(FAppName, request);  // a request left from an earlier run is dropped
    while (Pause()) {
        if (!ReadRegistrySettings(FAppName, request)) continue;
        QueueRegistryCommand(FAppHandle, request);
        if (!Pause()) return;
    }
}

void TWatchRegistrySettings::RunNextCommand() {
    TQueued queued;
    {
        std::lock_guard lock(FMutex);
        if (FPending.empty()) return;
        queued = std::move(FPending.front());
        FPending.pop_front();
    }
    if (!IsWindow(queued.AppHandle)) return;
    switch (queued.Command.Kind) {
    case TRegistryCommandKind::Parameters: SendParameters(queued.AppHandle, queued.Command.Parameters); break;
    case TRegistryCommandKind::SetFocus: SendMessageW(queued.AppHandle, WM_PROGRAMSETFOCUS, 0, 0); break;
    case TRegistryCommandKind::Close: SendMessageW(queued.AppHandle, WM_PROGRAMCLOSE, 0, 0); break;
    case TRegistryCommandKind::None: break;
    }
}

LRESULT CALLBACK TWatchRegistrySettings::QueueWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUEUEDCOMMAND) {
        if (auto* self = reinterpret_cast<TWatchRegistrySettings*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            self->RunNextCommand();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace korvalin
