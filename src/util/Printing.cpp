#include "util/Printing.h"

#include "util/Errors.h"
#include "util/Win32Text.h"

#include <winspool.h>

#include <algorithm>
#include <vector>

namespace korvalin {

namespace {

[[noreturn]] void RaisePrintError() { throw EKorvalin(SysErrorMessage(GetLastError())); }

// One stretch of text with one character format.
struct TRun {
    size_t Start = 0, Length = 0;
    CHARFORMAT2W Format{};
};

bool SameFormat(const CHARFORMAT2W& a, const CHARFORMAT2W& b) {
    return a.yHeight == b.yHeight && a.dwEffects == b.dwEffects && a.crTextColor == b.crTextColor &&
           a.bCharSet == b.bCharSet && wcscmp(a.szFaceName, b.szFaceName) == 0;
}

// The runs of the document, found character by character on the control
// itself; its selection is restored afterwards.
std::vector<TRun> DocumentRuns(TRichEdit& edit, size_t length) {
    const int selStart = edit.SelStart(), selLength = edit.SelLength();
    TUpdateBracket bracket(edit);
    std::vector<TRun> runs;
    for (size_t i = 0; i < length; ++i) {
        edit.SetSel(int(i), 1);
        const CHARFORMAT2W format = edit.SelAttributes();
        if (!runs.empty() && SameFormat(runs.back().Format, format)) ++runs.back().Length;
        else runs.push_back({i, 1, format});
    }
    edit.SetSel(selStart, selLength);
    return runs;
}

class TPrinterFont {
public:
    TPrinterFont(HDC printer, const CHARFORMAT2W& format) {
        LOGFONTW font{};
        const int points = format.yHeight > 0 ? int(format.yHeight) / 20 : 12;
        font.lfHeight = -MulDiv(points, GetDeviceCaps(printer, LOGPIXELSY), 72);
        font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
        font.lfUnderline = (format.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
        font.lfStrikeOut = (format.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
        font.lfCharSet = format.bCharSet;
        wcsncpy(font.lfFaceName, format.szFaceName, LF_FACESIZE - 1);
        FFont = CreateFontIndirectW(&font);
    }
    ~TPrinterFont() {
        if (FFont) DeleteObject(FFont);
    }
    TPrinterFont(const TPrinterFont&) = delete;
    TPrinterFont& operator=(const TPrinterFont&) = delete;
    HFONT Get() const { return FFont; }

private:
    HFONT FFont = nullptr;
};

// Draws the runs line after line; a line longer than the page width wraps.
class TPageWriter {
public:
    explicit TPageWriter(HDC printer)
        : FPrinter(printer), FWidth(GetDeviceCaps(printer, HORZRES)), FHeight(GetDeviceCaps(printer, VERTRES)) {}

    void Write(const std::u16string& text, const std::vector<TRun>& runs) {
        BeginPage();
        for (const TRun& run : runs) {
            TPrinterFont font(FPrinter, run.Format);
            const HGDIOBJ old = SelectObject(FPrinter, font.Get());
            SetTextColor(FPrinter, (run.Format.dwEffects & CFE_AUTOCOLOR) ? RGB(0, 0, 0) : run.Format.crTextColor);
            TEXTMETRICW metrics{};
            GetTextMetricsW(FPrinter, &metrics);
            WriteRun(std::u16string_view(text).substr(run.Start, run.Length), metrics.tmHeight);
            SelectObject(FPrinter, old);
        }
        if (EndPage(FPrinter) <= 0) RaisePrintError();
    }

private:
    void BeginPage() {
        if (StartPage(FPrinter) <= 0) RaisePrintError();
        FX = FY = FLineHeight = 0;
    }

    void NewLine(int height) {
        FY += std::max(FLineHeight, height);
        FX = FLineHeight = 0;
    }

    void WriteRun(std::u16string_view text, int height) {
        while (!text.empty()) {
            const size_t lineEnd = text.find_first_of(u"\r\n\v");
            std::u16string_view piece = text.substr(0, lineEnd);
            while (!piece.empty()) piece.remove_prefix(DrawFitting(piece, height));
            if (lineEnd == std::u16string_view::npos) return;
            NewLine(height);
            text.remove_prefix(lineEnd + (text.substr(lineEnd, 2) == u"\r\n" ? 2 : 1));
        }
    }

    // Draws as much of Piece as fits on the line; the number of units drawn.
    size_t DrawFitting(std::u16string_view piece, int height) {
        if (FY + height > FHeight && FY > 0) {
            if (EndPage(FPrinter) <= 0) RaisePrintError();
            BeginPage();
        }
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(FPrinter, reinterpret_cast<const wchar_t*>(piece.data()), int(piece.size()),
                              FWidth - FX, &fit, nullptr, &size);
        if (fit == 0 && FX == 0) fit = 1;  // a character wider than the page still goes on it
        if (fit == 0) {
            NewLine(height);
            return 0;
        }
        TextOutW(FPrinter, FX, FY, reinterpret_cast<const wchar_t*>(piece.data()), fit);
        GetTextExtentPoint32W(FPrinter, reinterpret_cast<const wchar_t*>(piece.data()), fit, &size);
        FX += size.cx;
        FLineHeight = std::max(FLineHeight, height);
        if (size_t(fit) < piece.size()) NewLine(height);
        return size_t(fit);
    }

    HDC FPrinter;
    int FWidth, FHeight;
    int FX = 0, FY = 0, FLineHeight = 0;
};

// The control's print routine; false when it formatted nothing.
bool PrintThroughControl(TRichEdit& edit, HDC printer, LONG length) {
    const int pixelsX = GetDeviceCaps(printer, LOGPIXELSX), pixelsY = GetDeviceCaps(printer, LOGPIXELSY);
    FORMATRANGE range{};
    range.hdc = range.hdcTarget = printer;
    range.rcPage = {0, 0, MulDiv(GetDeviceCaps(printer, PHYSICALWIDTH), 1440, pixelsX),
                    MulDiv(GetDeviceCaps(printer, PHYSICALHEIGHT), 1440, pixelsY)};
    range.rc = {0, 0, MulDiv(GetDeviceCaps(printer, HORZRES), 1440, pixelsX),
                MulDiv(GetDeviceCaps(printer, VERTRES), 1440, pixelsY)};
    range.chrg = {0, -1};
    if (edit.Send(EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&range)) <= 0) {
        edit.Send(EM_FORMATRANGE, FALSE, 0);
        return false;
    }
    const RECT area = range.rc;
    while (range.chrg.cpMin < length) {
        if (StartPage(printer) <= 0) RaisePrintError();
        range.rc = area;
        const LONG next = LONG(edit.Send(EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
        if (EndPage(printer) <= 0) RaisePrintError();
        if (next <= range.chrg.cpMin) break;
        range.chrg.cpMin = next;
    }
    edit.Send(EM_FORMATRANGE, FALSE, 0);
    return true;
}

}  // namespace

bool PrinterInstalled() {
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) return false;
    std::vector<BYTE> buffer(needed);
    return EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer.data(), needed, &needed,
                         &count) &&
           count > 0;
}

void PrintRichEdit(TRichEdit& edit, HDC printer, const std::u16string& JobName) {
    DOCINFOW job{};
    job.cbSize = sizeof(job);
    job.lpszDocName = WStr(JobName);
    if (StartDocW(printer, &job) <= 0) RaisePrintError();
    try {
        const std::u16string text = edit.Text();
        if (text.empty() || !PrintThroughControl(edit, printer, LONG(text.size())))
            TPageWriter(printer).Write(text, DocumentRuns(edit, text.size()));
    } catch (...) {
        AbortDoc(printer);
        throw;
    }
    if (EndDoc(printer) <= 0) RaisePrintError();
}

}  // namespace korvalin
