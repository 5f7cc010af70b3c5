// Printing a rich edit's document.
#pragma once

#include "util/Wnd.h"

#include <commdlg.h>

#include <string>
#include <vector>

namespace korvalin {

// True when the system lists at least one printer.
bool PrinterInstalled();

// The copies the print dialog asked for: Count times the whole document
// (collated), or each page Count times.
// Frees what the print dialog handed back (device context, device mode and
// names) when it goes out of scope.
struct TPrintDialogHandles {
    PRINTDLGW& Dialog;
    ~TPrintDialogHandles() {
        if (Dialog.hDC) DeleteDC(Dialog.hDC);
        if (Dialog.hDevMode) GlobalFree(Dialog.hDevMode);
        if (Dialog.hDevNames) GlobalFree(Dialog.hDevNames);
    }
};

struct TPrintCopies {
    int Count = 1;
    bool Collate = true;
};

// The order in which the pages of a document of Pages pages are printed.
std::vector<int> PrintedPages(int pages, const TPrintCopies& copies);

// Prints the whole document on Printer as one job named JobName, in the
// copies asked for, through the control's own print routine
// (EM_FORMATRANGE), whose format cache is released afterwards on every path.
// Where the control formats nothing although the document has text, the
// document's runs are drawn with their fonts, line after line within the
// printable area, with page breaks. Throws EKorvalin, before the job starts,
// when the control stops making progress on a page, and when the printer
// refuses the job.
void PrintRichEdit(TRichEdit& edit, HDC printer, const std::u16string& JobName, const TPrintCopies& copies = {});

}  // namespace korvalin
