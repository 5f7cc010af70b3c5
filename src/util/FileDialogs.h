// The system's open and save dialogs.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <optional>
#include <string>

namespace korvalin {

struct TFileDialogArgs {
    // Pairs as in "Text|*.EXT|Text|*.*|", separated by "|".
    std::u16string Filter;
    std::u16string DefaultExt;
    std::u16string InitialDir;
    std::u16string FileName;
    DWORD Options = 0;
    std::function<void()> OnShow;  // when the dialog has opened
    int FilterIndex = 1;           // the filter shown first, from 1
};

struct TChosenFile {
    std::u16string FileName;
    int FilterIndex = 1;  // the filter shown when the dialog was closed
};

// The chosen file, or nullopt when the dialog is cancelled.
std::optional<std::u16string> OpenFileDialog(HWND owner, const TFileDialogArgs& args);
std::optional<TChosenFile> SaveFileDialog(HWND owner, const TFileDialogArgs& args);

}  // namespace korvalin
