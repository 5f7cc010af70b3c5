// A modal dialog window built by hand: a popup form with child controls in
// Tab order, a default and a cancel button, and its own message loop that
// keeps the owner disabled while it runs. Its input controls (edits, list
// boxes, combo boxes, list views, rich edits) show the program's background
// colour and the text colour of the user-interface font.
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

// A number field, created in this order (Tab order): a centred edit for
// digits only, as many as Max has, and its up-down control stepping from Min
// to Max. Args gives the parent and a first place.
void CreateNumberField(TDialogEdit& edit, UINT_PTR editId, TDialogControl& upDown, UINT_PTR upDownId, TCreateArgs args,
                       int min, int max);

// The colours of a form's input controls.
struct TInputColors {
    COLORREF Background = RGB(255, 255, 255);
    COLORREF Text = RGB(0, 0, 0);
    bool operator==(const TInputColors&) const = default;
};

class TDialogForm : public TWnd {
public:
    explicit TDialogForm(HWND owner) : FOwner(owner), FInputColors(DefaultInputColors()) {}
    ~TDialogForm() override;

    // The colours that every form takes when it is created; the main window
    // sets them from the background number and the user-interface font.
    static void SetDefaultInputColors(const TInputColors& colors);
    static TInputColors DefaultInputColors();
    // The colours of this form; setting them repaints its input controls.
    const TInputColors& InputColors() const { return FInputColors; }
    void SetInputColors(const TInputColors& colors);

    // Shows the form, disables the owner and runs until Close; gives the
    // result (IDOK, IDCANCEL).
    int ShowModal();
    void Close(int result);
    // Cancels the form from outside (a close request, the end of the
    // session) by its own rules, also in the middle of an action: what it
    // undoes on cancel is undone at once; its loop ends when control
    // returns to it.
    virtual void CancelModal() { Close(IDCANCEL); }
    int ModalResult() const { return FModalResult; }
    HWND Owner() const { return FOwner; }

    // Client size in pixels; the window grows by its frame.
    void SetClientSize(int width, int height);
    // Centres the form over Over (its window rectangle).
    void CenterOver(HWND over);

protected:
    // Creates the hidden popup with a caption; children follow in Tab order.
    void CreateForm(const std::u16string& caption);
    // The start of a child's creation: this form as parent, a first place
    // until the layout moves it.
    TCreateArgs ChildArgs() const;
    // The default OK button and the cancel button, in this order.
    void CreateOkCancel(TDialogControl& ok, TDialogControl& cancel) const;
    // Called from ShowModal before the loop starts, the form visible.
    virtual void FormShow() {}
    // A command of a child (BN_CLICKED, EN_CHANGE ...); IDOK and IDCANCEL
    // arrive here too, from Enter and Escape.
    virtual void Command(int id, int code) { (void)id, (void)code; }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Dialog keys of this form's children: Tab, Enter, Escape, arrows.
    bool DialogMessage(MSG& message);
    // Gives the list views and rich edits among the children the input
    // colours (edits, list boxes and combo boxes ask for them when they
    // paint); ShowModal runs it before FormShow, for controls created late.
    void ApplyInputColors();

private:
    HWND FOwner;
    TInputColors FInputColors;
    HBRUSH FInputBrush = nullptr;  // of FInputColors.Background, made on first use
    int FModalResult = 0;
    bool FRunningS = false;
};

// Cancels every modal window over Owner at once: the running forms of this
// base, the innermost first, each by its own rules; the system's dialogs and
// message boxes as their Cancel button would (No where there is none).
// Nothing is destroyed: each loop ends when control returns to it.
void CancelModalWindows(HWND owner);

}  // namespace korvalin
