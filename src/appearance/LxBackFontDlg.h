// TBackFontDlg: the user-interface font (face, size, bold, colour) and the
// background colour of the input controls, with a preview line.
#pragma once

#include "appearance/FontFiles.h"
#include "appearance/LxBackFontColors.h"
#include "speech/ScreenReaderOutput.h"
#include "util/DialogForm.h"
#include "util/Menus.h"

#include <functional>
#include <string>
#include <vector>

namespace korvalin {

// The read-only preview: no selection on entry, its own context menu and
// Ctrl+A.
class TPreviewEdit : public TDialogControl {
public:
    void Create(const TCreateArgs& args);
    std::function<void(LPARAM screenPoint)> OnContextMenu;
    std::function<void()> OnSelectAll;

private:
    static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
};

class TBackFontDlg : public TDialogForm {
public:
    // AOwner: the window to centre over and to disable meanwhile; AAktFont
    // gives the starting values; ATolk may be null.
    TBackFontDlg(HWND AOwner, TColor AAktBackColor, const TFontValue& AAktFont, TScreenReaderOutput* ATolk);
    TBackFontDlg(HWND AOwner, TColor AAktBackColor, const TFontValue& AAktFont, const TBackFontDlgTexts& ATexts,
                 TScreenReaderOutput* ATolk);
    ~TBackFontDlg() override;

    // The chosen font: AFont becomes the starting font with the chosen face,
    // size, bold (the only style) and colour.
    void GetNewFont(TFontValue& AFont) const;
    TColor NewBackColor() const;
    void UpdateEditTest();

    const TBackFontDlgTexts& Texts() const { return FTexts; }
    const TColors& Colors() const { return FColors; }
    // The installed faces, one per row of LvFonts.
    const std::vector<std::u16string>& Faces() const { return FFaces; }
    int SelectedFaceRow() const;
    std::u16string FaceRowCaption(int row) const;
    // The rows of the preview's context menu, as it would open now.
    bool PreviewSelectAllEnabled() const;
    bool PreviewCopyEnabled() const;

    // Where set, the question goes here instead of to a message box (tests);
    // returns the answer.
    std::function<int(const std::u16string& text, UINT flags)> OnMessageDlg;

    TDialogControl LvFonts;
    TDialogControl LbSize;  // the label of LeSize
    TDialogEdit LeSize;
    TDialogControl UpDown1;
    TDialogControl CbBold;
    TDialogControl CoBoColors;
    TDialogControl CoBoBackColors;
    TPreviewEdit EditTest;
    TDialogControl Btn1OK;
    TDialogControl Btn2Cancel;

protected:
    void FormShow() override;
    void Command(int id, int code) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FillFaces();
    void StartValues();
    void SchriftartZuweisen();
    void SchalterEinrichten();
    void FensterEinrichten();
    RECT WorkArea() const;
    int MaxClientWidth() const;
    int MaxClientHeight() const;
    bool FormCloseQuery();
    void LvFontsSelectItem();
    void LeSizeChange();
    void LeSizeExit();
    void LeBreiteSubLabelClick();
    void Enters(int tag);
    void TimerTolkTimer();
    void PuEinfuegenClick();
    void PuMenuVorschauPopup();
    void PuVorschauAllesMarkierenClick();
    void PuVorschauKopierenClick();
    void ShowPreviewMenu(LPARAM screenPoint);
    int MessageDlg(const std::u16string& text, UINT flags);
    int SizePosition() const;

    const TFontValue FAktFont;
    const TColor FAktBackColor;
    const TBackFontDlgTexts FTexts;
    const TColors FColors;
    TScreenReaderOutput* FTolk;
    int FBtnWidth = 125;
    const int FLeer = 5;
    const int FRand = 10;
    int FMaxLvFontsWidth = 0;
    std::vector<std::u16string> FFaces;
    // A first row that merely stands in for a face that is not installed
    // does not replace that face until the user selects a row.
    bool FStartFaceInstalledS = false;
    bool FFaceChosenS = false;
    bool FCreatedS = false;
    TFontHandle FSchrift;       // FAktFont, for every control but the preview
    TFontHandle FPreviewFont;   // the chosen font
    TInputColors FPreviewColors;
    HBRUSH FPreviewBrush = nullptr;
    int FPreviewRoom = 0;       // the height kept free for the preview
    TMenuHandle PuMenuVorschau;
};

}  // namespace korvalin
