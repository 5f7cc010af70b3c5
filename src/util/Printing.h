// Printing a rich edit's document.
#pragma once

#include "util/Wnd.h"

#include <string>

namespace korvalin {

// True when the system lists at least one printer.
bool PrinterInstalled();

// Prints the whole document on Printer as one job named JobName through
// the control's own print routine (EM_FORMATRANGE). Where the control
// formats nothing although the document has text, the document's runs are
// drawn with their fonts, line after line within the printable area, with
// page breaks. Throws EKorvalin when the printer refuses the job.
void PrintRichEdit(TRichEdit& edit, HDC printer, const std::u16string& JobName);

}  // namespace korvalin
