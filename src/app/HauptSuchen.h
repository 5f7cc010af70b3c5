// The search buffer on a rich edit, and the find dialog's lasting state.
#pragma once

#include "app/Suchen.h"
#include "util/Wnd.h"

#include <commdlg.h>

#include <string>
#include <string_view>

namespace korvalin {

// The registered message by which the find dialog reports to its owner.
UINT FindDialogMessage();

// Searches with the rich edit's own find (EM_FINDTEXTEXW, forward).
class TRichEditSuchPuffer : public TSuchPuffer {
public:
    // Turns the control's word wrap off: laying out a long text in a hidden,
    // zero-width window would wrap every character.
    explicit TRichEditSuchPuffer(TRichEdit& rich);
    void SetText(const std::u16string& text) override;
    std::int64_t Find(std::u16string_view pattern, std::int64_t from, bool matchCaseS, bool wholeWordS) override;

private:
    TRichEdit& FRich;
};

// The modeless find dialog. Its text and options outlive the window: a
// search without the dialog uses them too.
class TFindDialog {
public:
    TFindDialog();
    TFindDialog(const TFindDialog&) = delete;
    TFindDialog& operator=(const TFindDialog&) = delete;

    std::u16string Suchtext() const;
    void SetSuchtext(std::u16string_view text);  // cut to the buffer's size
    TSuchOptionen Options() const { return FOptions; }
    void SetOptions(const TSuchOptionen& options) { FOptions = options; }
    // Takes the options the user set in the dialog with its Find button.
    void TakeReport(const FINDREPLACEW& report);

    // Shows the dialog over owner; false when the system refuses.
    bool Execute(HWND owner);
    HWND Handle() const { return FHandle; }
    // The window is gone (its last report arrived).
    void Closed() { FHandle = nullptr; }

private:
    static constexpr size_t kFindWhatSize = 256;
    FINDREPLACEW FRecord{};
    wchar_t FFindWhat[kFindWhatSize]{};
    HWND FHandle = nullptr;
    TSuchOptionen FOptions;  // down set initially
};

}  // namespace korvalin
