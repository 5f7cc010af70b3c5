#include "update/LxUpdater.h"

#include "settings/SettingsIni.h"
#include "util/Errors.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <winhttp.h>

#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace korvalin {

namespace {

struct TInternetHandle {
    HINTERNET Handle = nullptr;
    explicit TInternetHandle(HINTERNET h) : Handle(h) {}
    ~TInternetHandle() {
        if (Handle) WinHttpCloseHandle(Handle);
    }
    TInternetHandle(const TInternetHandle&) = delete;
    TInternetHandle& operator=(const TInternetHandle&) = delete;
};

[[noreturn]] void ThrowHttpError(std::u16string_view url) {
    std::u16string message = Format(u"\"%s\"", {url});
    message.append(u"\r\n").append(SysErrorMessage(GetLastError()));
    throw EKorvalin(message);
}

// The declared character set of a Content-Type header, lower case; empty
// when none is given.
std::u16string Charset(std::u16string_view contentType) {
    const std::u16string lower = LowerCase(contentType);
    const size_t at = lower.find(u"charset=");
    if (at == std::u16string::npos) return {};
    std::u16string value = lower.substr(at + 8);
    const size_t end = value.find_first_of(u"; ");
    if (end != std::u16string::npos) value.resize(end);
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') value = value.substr(1, value.size() - 2);
    return value;
}

std::u16string DecodeBody(const std::string& body, std::u16string_view charset) {
    if (body.size() >= 2 && (unsigned char)body[0] == 0xFF && (unsigned char)body[1] == 0xFE) {
        std::u16string text((body.size() - 2) / 2, u'\0');
        std::memcpy(text.data(), body.data() + 2, text.size() * 2);
        return text;
    }
    UINT codePage = CP_UTF8;
    if (!charset.empty() && charset != u"utf-8" && charset != u"utf8") codePage = charset == u"us-ascii" ? 20127 : CP_ACP;
    if (charset == u"iso-8859-1" || charset == u"latin1" || charset == u"windows-1252") codePage = 1252;
    std::string_view bytes = body;
    if (codePage == CP_UTF8 && bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (bytes.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (length <= 0) return {};
    std::vector<wchar_t> text(static_cast<size_t>(length));
    MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), text.data(), length);
    return U16(text.data(), size_t(length));
}

// The settings under a registry key: "UpdaterCheckMode" (integer) and
// "UpdaterLastSuccessfulCheck" (stamp).
class TRegistryUpdaterStorage : public TUpdaterStorage {
public:
    TRegistryUpdaterStorage(HKEY root, std::u16string key) : FRoot(root), FKey(std::move(key)) {}
    void Load(TUpdaterSettings& settings) override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(FRoot, WStr(FKey), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        DWORD type = 0, value = 0, size = sizeof(value);
        if (RegQueryValueExW(key, L"UpdaterCheckMode", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                ERROR_SUCCESS &&
            type == REG_DWORD)
            settings.CheckMode = StoredCheckMode(int(value), settings.CheckMode);
        wchar_t text[64] = {};
        size = sizeof(text) - sizeof(wchar_t);
        if (RegQueryValueExW(key, L"UpdaterLastSuccessfulCheck", nullptr, &type, reinterpret_cast<BYTE*>(text),
                             &size) == ERROR_SUCCESS)
            settings.LastSuccessfulCheck = type == REG_SZ ? StampToDateTime(U16(text)).value_or(0) : 0;
        RegCloseKey(key);
    }
    void Save(const TUpdaterSettings& settings) override {
        HKEY key = nullptr;
        if (RegCreateKeyExW(FRoot, WStr(FKey), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        const DWORD mode = DWORD(settings.CheckMode);
        RegSetValueExW(key, L"UpdaterCheckMode", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof(mode));
        const std::u16string stamp = DateTimeToStamp(settings.LastSuccessfulCheck);
        RegSetValueExW(key, L"UpdaterLastSuccessfulCheck", 0, REG_SZ, reinterpret_cast<const BYTE*>(stamp.c_str()),
                       DWORD((stamp.size() + 1) * sizeof(char16_t)));
        RegCloseKey(key);
    }

private:
    HKEY FRoot;
    std::u16string FKey;
};

// Owns a profile for the lifetime of the storage that refers to it.
class TOwnedIniStorage : public TUpdaterStorage {
public:
    explicit TOwnedIniStorage(std::u16string filename) : FProfile(std::move(filename)), FStorage(FProfile) {}
    void Load(TUpdaterSettings& settings) override { FStorage.Load(settings); }
    void Save(const TUpdaterSettings& settings) override { FStorage.Save(settings); }

private:
    TIniProfile FProfile;
    TIniUpdaterStorage FStorage;
};

}  // namespace

TVersion ExecutableVersion() {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    if (!resource) return {};
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const auto* data = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = SizeofResource(nullptr, resource);
    if (!data) return {};
    // The fixed file information follows the root block's key, aligned to
    // 32 bits; find it by its signature.
    for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, data + at, sizeof(info));
        if (info.dwSignature == 0xFEEF04BD)
            return TVersion(HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS), HIWORD(info.dwFileVersionLS),
                            LOWORD(info.dwFileVersionLS));
    }
    return {};
}

TDateTime NowDateTime() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    const auto day = EncodeDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return day ? *day + t.wMilliseconds / 86400000.0 : 0;
}

std::u16string HttpGetText(std::u16string_view url) {
    std::u16string address(url);
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = DWORD(-1);
    parts.dwUrlPathLength = DWORD(-1);
    parts.dwExtraInfoLength = DWORD(-1);
    if (!WinHttpCrackUrl(WStr(address), DWORD(address.size()), 0, &parts)) ThrowHttpError(url);
    const std::u16string host = U16(parts.lpszHostName, parts.dwHostNameLength);
    std::u16string path = U16(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(U16(parts.lpszExtraInfo, parts.dwExtraInfoLength));
    if (path.empty()) path = u"/";

    TInternetHandle session(
        WinHttpOpen(L"Mozilla/3.0", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.Handle) ThrowHttpError(url);
    // Only the connection time-out is the program's; the others stay at the
    // client's defaults.
    WinHttpSetTimeouts(session.Handle, 0, 5000, 30000, 30000);
    TInternetHandle connection(WinHttpConnect(session.Handle, WStr(host), parts.nPort, 0));
    if (!connection.Handle) ThrowHttpError(url);
    TInternetHandle request(WinHttpOpenRequest(connection.Handle, L"GET", WStr(path), nullptr, WINHTTP_NO_REFERER,
                                               WINHTTP_DEFAULT_ACCEPT_TYPES,
                                               parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
    if (!request.Handle) ThrowHttpError(url);
    if (!WinHttpSendRequest(request.Handle, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.Handle, nullptr))
        ThrowHttpError(url);

    std::u16string contentType;
    DWORD headerSize = 0;
    WinHttpQueryHeaders(request.Handle, WINHTTP_QUERY_CONTENT_TYPE, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &headerSize,
                        WINHTTP_NO_HEADER_INDEX);
    if (headerSize > 0) {
        std::vector<wchar_t> header(headerSize / sizeof(wchar_t) + 1);
        if (WinHttpQueryHeaders(request.Handle, WINHTTP_QUERY_CONTENT_TYPE, WINHTTP_HEADER_NAME_BY_INDEX, header.data(),
                                &headerSize, WINHTTP_NO_HEADER_INDEX))
            contentType = U16(header.data());
    }

    std::string body;
    while (true) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request.Handle, &available)) ThrowHttpError(url);
        if (available == 0) break;
        std::vector<char> chunk(available);
        DWORD read = 0;
        if (!WinHttpReadData(request.Handle, chunk.data(), available, &read)) ThrowHttpError(url);
        if (read == 0) break;
        body.append(chunk.data(), read);
        // A version file is a few lines; a huge answer is not one.
        if (body.size() > 1 << 20) throw EKorvalin(u"Die Antwort des Servers ist zu groß.");
    }
    return DecodeBody(body, Charset(contentType));
}

class TUpdater::TLock {
public:
    explicit TLock(CRITICAL_SECTION& cs) : FCs(cs) { EnterCriticalSection(&FCs); }
    ~TLock() { LeaveCriticalSection(&FCs); }
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

private:
    CRITICAL_SECTION& FCs;
};

TUpdater::TUpdater(HWND AHnd, std::u16string_view AUpdaterFolder, std::u16string_view AVersionFileName,
                   TUpdateCheckMode ADefaultCheckMode)
    : TUpdater(AHnd, AUpdaterFolder, AVersionFileName, ADefaultCheckMode, kUpdateBaseUrl, ExecutableVersion()) {}

TUpdater::TUpdater(HWND AHnd, std::u16string_view AUpdaterFolder, std::u16string_view AVersionFileName,
                   TUpdateCheckMode ADefaultCheckMode, std::u16string_view ABaseUrl, const TVersion& ACurrentVersion)
    : FMainWindowHandle(AHnd), FUpdaterFolder(Trim(AUpdaterFolder)), FCurrentVersion(ACurrentVersion),
      FCheckMode(ADefaultCheckMode) {
    FVersionFileName = ExtractFileName(AVersionFileName);
    if (FVersionFileName.empty()) FVersionFileName.assign(FUpdaterFolder).append(u".ver");
    const size_t dot = FVersionFileName.rfind(u'.');
    FVersionSection = dot == std::u16string::npos ? FVersionFileName : FVersionFileName.substr(0, dot);
    FVersionUrl.assign(ABaseUrl).append(FUpdaterFolder).append(u"/").append(FVersionFileName);
    InitializeCriticalSection(&FCriticalSection);
    FThreadFinishedEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
}

TUpdater::~TUpdater() {
    Shutdown();
    JoinThread();
    if (FThreadFinishedEvent) CloseHandle(FThreadFinishedEvent);
    DeleteCriticalSection(&FCriticalSection);
}

void TUpdater::UseIniStorage(std::u16string_view AFilename) {
    FStorageKind = TUpdateStorageKind::uskIni;
    FStorageLocation = AFilename;
    FStorageRootKey = HKEY_CURRENT_USER;
    LoadSettings();
}

void TUpdater::UseRegistryStorage(std::u16string_view AKey, HKEY ARootKey) {
    FStorageKind = TUpdateStorageKind::uskRegistry;
    FStorageLocation = AKey;
    FStorageRootKey = ARootKey;
    LoadSettings();
}

void TUpdater::ClearStorage() {
    FStorageKind = TUpdateStorageKind::uskNone;
    FStorageLocation.clear();
    FStorageRootKey = HKEY_CURRENT_USER;
}

std::unique_ptr<TUpdaterStorage> TUpdater::MakeStorage() {
    if (FStorageLocation.empty()) return nullptr;
    if (FStorageKind == TUpdateStorageKind::uskIni) return std::make_unique<TOwnedIniStorage>(FStorageLocation);
    if (FStorageKind == TUpdateStorageKind::uskRegistry)
        return std::make_unique<TRegistryUpdaterStorage>(FStorageRootKey, FStorageLocation);
    return nullptr;
}

void TUpdater::LoadSettings() {
    try {
        const auto storage = MakeStorage();
        if (!storage) return;
        TUpdaterSettings settings{CheckMode(), LastSuccessfulCheck()};
        storage->Load(settings);
        TLock lock(FCriticalSection);
        FCheckMode = settings.CheckMode;
        FLastSuccessfulCheck = settings.LastSuccessfulCheck;
    } catch (const std::exception&) {
    }
}

void TUpdater::SaveSettings() {
    try {
        const auto storage = MakeStorage();
        if (storage) storage->Save({CheckMode(), LastSuccessfulCheck()});
    } catch (const std::exception&) {
    }
}

void TUpdater::ConfigureNotification(UINT AMessage, WPARAM AWParam, LPARAM ALParam) {
    FNotifyMessage = AMessage;
    FNotifyWParam = AWParam;
    FNotifyLParam = ALParam;
}

void TUpdater::JoinThread() {
    if (FThread.joinable()) FThread.join();
}

void TUpdater::SetStatus(TUpdateType AStatus) {
    TLock lock(FCriticalSection);
    FStatus = AStatus;
}

void TUpdater::CheckForUpdates() {
    if (Checking() || FStopRequested.load() != 0) return;
    JoinThread();
    SetStatus(TUpdateType::utNone);
    {
        TLock lock(FCriticalSection);
        FNewVersion.Clear();
    }
    FChecking.exchange(1);
    ResetEvent(FThreadFinishedEvent);
    try {
        FThread = std::thread(&TUpdater::RunCheck, this);
    } catch (const std::exception&) {
        {
            TLock lock(FCriticalSection);
            FStatus = TUpdateType::utError;
            FLastCheck = NowDateTime();
        }
        FChecking.exchange(0);
        SetEvent(FThreadFinishedEvent);
    }
}

void TUpdater::CheckForUpdatesAtStartup() {
    if (IsUpdateCheckDue()) CheckForUpdates();
}

bool TUpdater::IsUpdateCheckDue() const {
    return korvalin::IsUpdateCheckDue(CheckMode(), LastSuccessfulCheck(), NowDateTime());
}

void TUpdater::WaitFor() {
    WaitForSingleObject(FThreadFinishedEvent, INFINITE);
    JoinThread();
}

bool TUpdater::Shutdown(DWORD milliseconds) {
    FStopRequested.exchange(1);
    if (WaitForSingleObject(FThreadFinishedEvent, milliseconds) != WAIT_OBJECT_0) return false;
    JoinThread();
    return true;
}

void TUpdater::RunCheck() {
    bool success = false;
    const auto stopped = [this] { return FStopRequested.load() != 0; };
    const auto windowGone = [this] { return FMainWindowHandle && !IsWindow(FMainWindowHandle); };
    if (!stopped() && !windowGone()) {
        try {
            // Without a version of its own the check cannot succeed; the
            // server is then not asked at all.
            if (FCurrentVersion.IsZero()) throw EKorvalin(u"Keine Versionsangabe im Programm.");
            const std::u16string text = HttpGetText(FVersionUrl);
            if (!stopped()) {
                const std::u16string value =
                    Trim(text).empty() ? std::u16string() : ReadVersionFileValue(text, FVersionSection);
                if (value.empty()) {
                    SetStatus(TUpdateType::utError);
                } else {
                    TLock lock(FCriticalSection);
                    success = ProcessVersionText(value, FCurrentVersion, FNewVersion, FStatus);
                }
            }
        } catch (...) {
            SetStatus(TUpdateType::utError);
            success = false;
        }
    }
    {
        TLock lock(FCriticalSection);
        FLastCheck = NowDateTime();
        if (success) FLastSuccessfulCheck = FLastCheck;
    }
    if (success) SaveSettings();
    // No longer checking before the window hears of it, so that it may start
    // the next step at once.
    FChecking.exchange(0);
    if (!stopped() && FNotifyMessage != 0 && FMainWindowHandle && IsWindow(FMainWindowHandle))
        PostMessageW(FMainWindowHandle, FNotifyMessage, FNotifyWParam, FNotifyLParam);
    SetEvent(FThreadFinishedEvent);
}

TVersion TUpdater::NewVersion() const {
    TLock lock(FCriticalSection);
    return FNewVersion;
}

TDateTime TUpdater::LastCheck() const {
    TLock lock(FCriticalSection);
    return FLastCheck;
}

TDateTime TUpdater::LastSuccessfulCheck() const {
    TLock lock(FCriticalSection);
    return FLastSuccessfulCheck;
}

TUpdateType TUpdater::Status() const {
    TLock lock(FCriticalSection);
    return FStatus;
}

TUpdateCheckMode TUpdater::CheckMode() const {
    TLock lock(FCriticalSection);
    return FCheckMode;
}

void TUpdater::SetCheckMode(TUpdateCheckMode AMode) {
    bool changed = false;
    {
        TLock lock(FCriticalSection);
        changed = FCheckMode != AMode;
        FCheckMode = AMode;
    }
    if (changed) SaveSettings();
}

}  // namespace korvalin
