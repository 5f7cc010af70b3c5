#include "util/FileDialogs.h"

#include "util/Win32Text.h"
#include "util/Wnd.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace korvalin {

namespace {

constexpr size_t kNameBufferSize = 32768;

UINT_PTR CALLBACK DialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
    } else if (message == WM_NOTIFY && reinterpret_cast<const OFNOTIFYW*>(lParam)->hdr.code == CDN_INITDONE) {
        const auto* args = reinterpret_cast<const TFileDialogArgs*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
        if (args && args->OnShow) Contained(dialog, 0, [args] {
            args->OnShow();
            return LRESULT(0);
        });
    }
    return 0;
}

std::optional<TChosenFile> ShowFileDialog(HWND owner, const TFileDialogArgs& args, bool save) {
    std::u16string filter = args.Filter;
    std::replace(filter.begin(), filter.end(), u'|', u'\0');
    filter.push_back(u'\0');
    std::vector<wchar_t> name(kNameBufferSize, L'\0');
    std::copy_n(args.FileName.begin(), std::min(args.FileName.size(), name.size() - 1), name.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = reinterpret_cast<const wchar_t*>(filter.c_str());
    dialog.nFilterIndex = DWORD(args.FilterIndex);
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.lpstrInitialDir = args.InitialDir.empty() ? nullptr : WStr(args.InitialDir);
    dialog.lpstrDefExt = args.DefaultExt.empty() ? nullptr : WStr(args.DefaultExt);
    dialog.Flags = args.Options | OFN_EXPLORER | OFN_ENABLEHOOK;
    dialog.lpfnHook = DialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(&args);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return TChosenFile{U16(name.data()), int(dialog.nFilterIndex)};
}

}  // namespace

std::optional<std::u16string> OpenFileDialog(HWND owner, const TFileDialogArgs& args) {
    if (auto chosen = ShowFileDialog(owner, args, false)) return std::move(chosen->FileName);
    return std::nullopt;
}

std::optional<TChosenFile> SaveFileDialog(HWND owner, const TFileDialogArgs& args) {
    return ShowFileDialog(owner, args, true);
}

}  // namespace korvalin
