// An invisible rich edit on a hidden message-only window: converts RTF and
// serves as a scratch buffer.
#pragma once

#include "util/Wnd.h"

#include <string>

namespace korvalin {

class TRtfRef {
public:
    // Throws EKorvalin when the hidden window cannot be created.
    TRtfRef();
    ~TRtfRef();
    TRtfRef(const TRtfRef&) = delete;
    TRtfRef& operator=(const TRtfRef&) = delete;

    TRichEdit& Rich() { return FRich; }

    // Replaces the content with the file read as RTF; false when the file
    // cannot be opened or the control rejects it.
    bool LoadRtfFile(const std::u16string& filename);

private:
    // The hidden parent, destroyed after the control and also when creating
    // the control fails.
    class THiddenWindow {
    public:
        THiddenWindow();
        ~THiddenWindow() { DestroyWindow(FHandle); }
        THiddenWindow(const THiddenWindow&) = delete;
        THiddenWindow& operator=(const THiddenWindow&) = delete;
        HWND Handle() const { return FHandle; }

    private:
        HWND FHandle;
    };

    THiddenWindow FParentWnd;
    TRichEdit FRich;
};

}  // namespace korvalin
