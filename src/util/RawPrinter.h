// Raw print jobs: bytes sent to a printer unchanged, the way embossers are
// driven.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace korvalin {

// The printer chosen in the system's print dialog (the default one
// preselected), or nullopt when the dialog is cancelled. Throws EKorvalin
// with the dialog's error when it cannot be shown.
std::optional<std::u16string> ChoosePrinter(HWND owner);

// Sends Bytes as one job of the data type "RAW" named JobName, on one page.
// Throws EKorvalin with the system's text; a job that was begun and cannot
// be finished is aborted, so that no part of it is printed.
void SendRawPrintJob(const std::u16string& printer, const std::u16string& JobName, std::string_view bytes);

}  // namespace korvalin
