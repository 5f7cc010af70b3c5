// TTabDlg: lists the tables with their shortcuts, reorders them by drag and
// drop, Ctrl+Up and Ctrl+Down or the context menu, and names the table to
// make current. Works on the live table list; unless it closes with OK its
// destruction, or at once a cancel from outside, restores the order it found.
#pragma once

#include "appearance/FontFiles.h"
#include "settings/DatenC.h"
#include "speech/ScreenReaderOutput.h"
#include "util/DialogForm.h"
#include "util/Menus.h"

#include <string>

namespace korvalin {

class TTabDlg : public TDialogForm {
public:
    // Owner: the window to size from, centre over and disable meanwhile;
    // Tolk may be null. The list shows the form's input colours.
    TTabDlg(HWND Owner, TTabellen& Tabellen, TScreenReaderOutput* Tolk);
    ~TTabDlg() override;

    // The selected row, -1 for none.
    int SelectedRow() const;
    int RowCount() const;
    // Column 0 the title, 1 the shortcut.
    std::u16string RowText(int row, int column) const;

    // The context menu's items by Tag (1 up, 2 down) and its opening,
    // which enables them.
    static constexpr UINT kIdOben = 201, kIdUnten = 202;
    void PM_LvTabellenPopup();
    void CancelModal() override;
    void PM_LT_ObenUntenClick(int Tag);

    TDialogControl LbTabellen;  // the label of LvTabellen
    TDialogControl LvTabellen;
    TDialogControl Btn1Ok;
    TDialogControl Btn2Abbrechen;
    TMenuHandle PM_LvTabellen;

protected:
    void FormShow() override;
    void Command(int id, int code) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormDestroy();
    // Puts the order found at the show back, once.
    void RestoreOrder();
    void CaptionZuweisen();
    void SchriftartZuweisen();
    void SchalterEinrichten();
    void SpaltenEinrichten();
    void FensterEinrichten();
    void ListeFuellen();
    // Focuses the list, selects Row and scrolls it into view.
    void SelectRow(int row);
    void LvTabellenKeyDown(WORD& Key);
    void LvTabellenEnter();
    // Drag and drop inside the list; Point in the form's client coordinates.
    void LvTabellenStartDrag();
    bool LvTabellenDragOver(POINT point) const;
    void LvTabellenDragMove(POINT point);
    void LvTabellenDragDrop(POINT point);
    void EndDrag();
    // Marks the row a drop would land on; -1 for none.
    void SetDropHighlight(int row);
    int DropRowAt(POINT point) const;
    void ShowPopup(LPARAM screenPoint);

    TTabellen& FTabellen;
    TScreenReaderOutput* FTolk;
    TFontHandle FSchrift;
    std::u16string FOriginalOrder;
    bool FRestoreOrderS = false;  // FOriginalOrder is taken and not yet put back
    bool FDraggingS = false;
    int FDropHighlight = -1;
};

}  // namespace korvalin
