// A modal dialog window built by hand: a popup form with child controls in
// Tab order, a default and a cancel button, and its own message loop that
// keeps the owner disabled while it runs.
#pragma once

#include "util/Wnd.h"

#include <functional>
#include <string>

namespace korvalin {

// A child control of a dialog form; Create takes the system class name.
class TDialogControl : public TControl {
public:
    void Create(const wchar_t* className, const TCreateArgs& args) { CreateControl(className, args); }
    void SetText(const std::u16string& text) const;
    std::u16string Text() const;
    void SetFont(HFONT font) const { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
    void SetBounds(int left, int top, int width, int height) const;
    RECT Bounds() const;  // in the parent's client coordinates
    bool Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
    void SetEnabled(bool enabled) const { EnableWindow(Handle(), enabled ? TRUE : FALSE); }
};

// A single-line edit whose paste, however asked for (Ctrl+V, Shift+Insert,
// WM_PASTE), goes to OnPaste instead; it has no context menu of its own.
class TDialogEdit : public TDialogControl {
public:
    void Create(const TCreateArgs& args);
    std::function<void()> OnPaste;

private:
    static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
};

class TDialogForm : public TWnd {
public:
    explicit TDialogForm(HWND owner) : FOwner(owner) {}

    // Shows the form, disables the owner and runs until Close; gives the
    // result (IDOK, IDCANCEL).
    int ShowModal();
    void Close(int result);
    int ModalResult() const { return FModalResult; }
    HWND Owner() const { return FOwner; }

    // Client size in pixels; the window grows by its frame.
    void SetClientSize(int width, int height);
    // Centres the form over Over (its window rectangle).
    void CenterOver(HWND over);

protected:
    // Creates the hidden popup with a caption; children follow in Tab order.
    void CreateForm(const std::u16string& caption);
    // Called from ShowModal before the loop starts, the form visible.
    virtual void FormShow() {}
    // A command of a child (BN_CLICKED, EN_CHANGE ...); IDOK and IDCANCEL
    // arrive here too, from Enter and Escape.
    virtual void Command(int id, int code) { (void)id, (void)code; }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Dialog keys of this form's children: Tab, Enter, Escape, arrows.
    bool DialogMessage(MSG& message);

private:
    HWND FOwner;
    int FModalResult = 0;
    bool FRunningS = false;
};

}  // namespace korvalin
