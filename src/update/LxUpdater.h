// The update checker on Windows: the running program's version from its
// version resource, and one worker thread per check that fetches the
// server's version file with WinHTTP.
#pragma once

#include "update/LxUpdaterC.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace korvalin {

// The update server's folder of all products; ends in "/".
constexpr std::u16string_view kUpdateBaseUrl = u"https://www.korvalin.de/";

// The file version of the running executable (0.0.0.0 without a version
// resource).
TVersion ExecutableVersion();
// The local time as days since 1899-12-30.
TDateTime NowDateTime();

// One GET with the user agent "Mozilla/3.0" and a connection time-out of
// 5 s; the body as text whatever the status, empty without a response.
// Throws EKorvalin when the request fails.
std::u16string HttpGetText(std::u16string_view url);

class TUpdater {
public:
    TUpdater(HWND AHnd, std::u16string_view AUpdaterFolder, std::u16string_view AVersionFileName,
             TUpdateCheckMode ADefaultCheckMode);
    // With another base URL and running version, for a check of something
    // other than this program's own release.
    TUpdater(HWND AHnd, std::u16string_view AUpdaterFolder, std::u16string_view AVersionFileName,
             TUpdateCheckMode ADefaultCheckMode, std::u16string_view ABaseUrl, const TVersion& ACurrentVersion);
    // Shuts down and waits for the worker.
    ~TUpdater();
    TUpdater(const TUpdater&) = delete;
    TUpdater& operator=(const TUpdater&) = delete;

    void UseIniStorage(std::u16string_view AFilename);
    void UseRegistryStorage(std::u16string_view AKey, HKEY ARootKey = HKEY_CURRENT_USER);
    void ClearStorage();
    void LoadSettings();
    void SaveSettings();
    void ConfigureNotification(UINT AMessage, WPARAM AWParam, LPARAM ALParam);

    // Starts a check in the background unless one runs or shutdown was asked.
    void CheckForUpdates();
    void CheckForUpdatesAtStartup();
    bool IsUpdateCheckDue() const;
    // Blocks until no check runs, then joins the worker.
    void WaitFor();
    // No new checks; waits up to Milliseconds for a running one to end.
    // False when it still runs: the object must then outlive its worker.
    bool Shutdown(DWORD milliseconds = INFINITE);

    bool Checking() const { return FChecking.load() != 0; }
    const TVersion& CurrentVersion() const { return FCurrentVersion; }
    TVersion NewVersion() const;
    TDateTime LastCheck() const;
    TDateTime LastSuccessfulCheck() const;
    TUpdateType Status() const;
    const std::u16string& UpdaterFolder() const { return FUpdaterFolder; }
    const std::u16string& VersionFileName() const { return FVersionFileName; }
    const std::u16string& VersionUrl() const { return FVersionUrl; }
    TUpdateCheckMode CheckMode() const;
    // Saves the settings when the mode changes.
    void SetCheckMode(TUpdateCheckMode AMode);

private:
    class TLock;
    void RunCheck();
    void SetStatus(TUpdateType AStatus);
    void JoinThread();
    std::unique_ptr<TUpdaterStorage> MakeStorage();

    HWND FMainWindowHandle = nullptr;
    std::u16string FUpdaterFolder;
    std::u16string FVersionFileName;
    std::u16string FVersionSection;
    std::u16string FVersionUrl;
    std::atomic<LONG> FChecking{0};
    std::atomic<LONG> FStopRequested{0};
    mutable CRITICAL_SECTION FCriticalSection;
    TVersion FCurrentVersion;
    TVersion FNewVersion;
    TDateTime FLastCheck = 0;
    TDateTime FLastSuccessfulCheck = 0;
    TUpdateType FStatus = TUpdateType::utNone;
    std::thread FThread;
    HANDLE FThreadFinishedEvent = nullptr;
    TUpdateCheckMode FCheckMode = TUpdateCheckMode::ucmEveryStart;
    TUpdateStorageKind FStorageKind = TUpdateStorageKind::uskNone;
    std::u16string FStorageLocation;
    HKEY FStorageRootKey = HKEY_CURRENT_USER;
    UINT FNotifyMessage = 0;
    WPARAM FNotifyWParam = 0;
    LPARAM FNotifyLParam = 0;
};

}  // namespace korvalin
