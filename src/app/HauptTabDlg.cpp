// "Datenbank für Modus 5...": the table dialog over the main window. OK
// switches to the selected table and rebuilds the "Tabellen" menu in the new
// order; any other end leaves order, table and menu as they were.
#include "app/Haupt.h"

#include "tables/TabDlgC.h"

namespace korvalin {

void TForm1::MenuEinstDatenbankClick(const TMenuEntry*) {
    bool okS = false;
    int selected = -1;
    ModalDialog([&] {
        TTabDlg dialog(Handle(), FTabellen, Tolk());
        okS = dialog.ShowModal() == IDOK;
        selected = dialog.SelectedRow();
    });  // the dialog is gone here: unless OK, the order it found is back
    if (!okS) return;
    if (selected >= 0) SetNewTabelle(selected);
    FillMenuTabellen();
}

}  // namespace korvalin
