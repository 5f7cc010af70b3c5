// Small RAII window classes: a base that owns an HWND and dispatches its
// messages to a virtual WndProc, and one class per control kind.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvalin {

struct TCreateArgs {
    HWND Parent = nullptr;
    std::u16string Text;
    DWORD Style = WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = 0;
    int X = CW_USEDEFAULT, Y = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;
    UINT_PTR Id = 0;
};

// A top-level or child window of a class registered by the program.
class TWnd {
public:
    TWnd() = default;
    TWnd(const TWnd&) = delete;
    TWnd& operator=(const TWnd&) = delete;
    virtual ~TWnd();

    HWND Handle() const { return FHandle; }
    void SetCaption(const std::u16string& text);

    // Reports an error that escaped a handler run for Window, a program
    // window or a control inside one: HandleException of the nearest program
    // window among Window, its parents and owners, else a plain error box.
    static void ReportException(HWND window, const std::exception& error) noexcept;

protected:
    // Registers ClassName once and creates the window; throws EKorvalin on failure.
    void CreateWnd(const wchar_t* className, const TCreateArgs& args);
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Reports an error that escaped a message handler; nothing is thrown
    // further, out of the message loop.
    virtual void HandleException(const std::exception& error);

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FHandle = nullptr;
};

// Runs Handler for Window from a window procedure, a subclass procedure or
// another callback of the system: an error that escapes it is reported
// (TWnd::ReportException) and never unwinds through the system's frames.
// Gives Handler's result, or Fallback after an error.
template <class THandler>
LRESULT Contained(HWND window, LRESULT fallback, THandler&& handler) noexcept {
    try {
        return handler();
    } catch (const std::exception& error) {
        TWnd::ReportException(window, error);
    } catch (...) {
        TWnd::ReportException(window, std::runtime_error("?"));
    }
    return fallback;
}

// A control of a system class, subclassed so that its key events reach the
// owner as callable members.
class TControl {
public:
    TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl();

    HWND Handle() const { return FHandle; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(FHandle, message, wParam, lParam);
    }
    bool Focused() const { return FHandle && GetFocus() == FHandle; }
    void SetFocus() const { ::SetFocus(FHandle); }

    // Key down (virtual key by reference; set to 0 to swallow) and character
    // (by reference; set to 0 to swallow) before the control handles them.
    std::function<void(WORD& key)> OnKeyDown;
    std::function<void(wchar_t& key)> OnKeyPress;
    // WM_KEYDOWN and WM_KEYUP with their key data, before OnKeyDown; true
    // swallows the message and the character queued for it.
    std::function<bool(UINT message, LPARAM keyData)> OnKeyMessage;

protected:
    void CreateControl(const wchar_t* className, const TCreateArgs& args);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    LRESULT KeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND FHandle = nullptr;
};

// The Msftedit rich edit control.
class TRichEdit : public TControl {
public:
    void Create(const TCreateArgs& args);

    std::u16string Text() const;
    void SetText(const std::u16string& text);
    int SelStart() const;
    int SelLength() const;
    void SetSel(int start, int length);
    void ReplaceSel(const std::u16string& text);
    void SetMaxLength(int length);
    bool Modified() const;
    void SetModified(bool modified);
    void ClearUndo();
    // The character format of the selection, and setting it for the selection.
    CHARFORMAT2W SelAttributes() const;
    void SetSelAttributes(const CHARFORMAT2W& format);

    // Stops redrawing until the matching EndUpdate; brackets nest.
    void BeginUpdate();
    void EndUpdate();

    // Asked before every paste, however it is asked for (WM_PASTE, Ctrl+V,
    // Shift+Insert); returning false refuses it.
    std::function<bool()> OnPaste;

private:
    static LRESULT CALLBACK PasteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    int FUpdateCount = 0;
};

// A status bar of panels with centred texts.
class TStatusBar : public TControl {
public:
    void Create(const TCreateArgs& args);

    // Sets the panels' widths in pixels; their number is the panel count.
    void SetPanelWidths(const std::vector<int>& widths);
    int PanelCount() const { return int(FTexts.size()); }
    void SetPanelText(int index, const std::u16string& text);
    const std::u16string& PanelText(int index) const { return FTexts.at(size_t(index)); }
    int Height() const;
    HFONT Font() const;

private:
    std::vector<std::u16string> FTexts;
};

// BeginUpdate on construction, EndUpdate on destruction, also on error.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TRichEdit& edit) : FEdit(edit) { FEdit.BeginUpdate(); }
    ~TUpdateBracket() { FEdit.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TRichEdit& FEdit;
};

}  // namespace korvalin
