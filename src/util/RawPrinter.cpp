#include "util/RawPrinter.h"

#include "util/Errors.h"
#include "util/Printing.h"
#include "util/Win32Text.h"

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>

namespace korvalin {

namespace {

[[noreturn]] void RaiseLastError() { throw EKorvalin(SysErrorMessage(GetLastError())); }

class TPrinterHandle {
public:
    explicit TPrinterHandle(const std::u16string& name) {
        if (!OpenPrinterW(const_cast<wchar_t*>(WStr(name)), &FHandle, nullptr)) RaiseLastError();
    }
    ~TPrinterHandle() { ClosePrinter(FHandle); }
    TPrinterHandle(const TPrinterHandle&) = delete;
    TPrinterHandle& operator=(const TPrinterHandle&) = delete;
    HANDLE Get() const { return FHandle; }

private:
    HANDLE FHandle = nullptr;
};

void WriteAllToPrinter(HANDLE printer, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<size_t>(bytes.size(), 1u << 16));
        if (!WritePrinter(printer, const_cast<char*>(bytes.data()), chunk, &written) || written == 0)
            RaiseLastError();
        bytes.remove_prefix(written);
    }
}

}  // namespace

std::optional<std::u16string> ChoosePrinter(HWND owner) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL chosen = PrintDlgW(&dialog);
    const TPrintDialogHandles release{dialog};
    if (!chosen) {
        if (const DWORD error = CommDlgExtendedError()) throw EKorvalin(u"PrintDlg: " + SysErrorMessage(error));
        return std::nullopt;
    }
    std::u16string name;
    if (const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames))) {
        name = U16(reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset);
        GlobalUnlock(dialog.hDevNames);
    }
    if (name.empty()) return std::nullopt;
    return name;
}

void SendRawPrintJob(const std::u16string& printer, const std::u16string& JobName, std::string_view bytes) {
    TPrinterHandle handle(printer);
    DOC_INFO_1W job{};
    job.pDocName = const_cast<wchar_t*>(WStr(JobName));
    job.pDatatype = const_cast<wchar_t*>(L"RAW");
    if (StartDocPrinterW(handle.Get(), 1, reinterpret_cast<BYTE*>(&job)) == 0) RaiseLastError();
    try {
        if (!StartPagePrinter(handle.Get())) RaiseLastError();
        WriteAllToPrinter(handle.Get(), bytes);
        if (!EndPagePrinter(handle.Get())) RaiseLastError();
    } catch (...) {
        AbortPrinter(handle.Get());
        throw;
    }
    if (!EndDocPrinter(handle.Get())) RaiseLastError();
}

}  // namespace korvalin
