#include "util/Printing.h"

#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <winspool.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
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

// The printer fonts of the document's formats, one per distinct format.
class TPrinterFonts {
public:
    explicit TPrinterFonts(HDC printer) : FPrinter(printer) {}
    ~TPrinterFonts() {
        for (const auto& [format, font] : FFonts)
            if (font) DeleteObject(font);
    }
    TPrinterFonts(const TPrinterFonts&) = delete;
    TPrinterFonts& operator=(const TPrinterFonts&) = delete;

    // The index of Format's font.
    size_t Of(const CHARFORMAT2W& format) {
        for (size_t i = 0; i < FFonts.size(); ++i)
            if (SameFormat(FFonts[i].first, format)) return i;
        FFonts.emplace_back(format, Create(format));
        return FFonts.size() - 1;
    }
    HFONT Get(size_t index) const { return FFonts[index].second; }

private:
    HFONT Create(const CHARFORMAT2W& format) const {
        LOGFONTW font{};
        const int points = format.yHeight > 0 ? int(format.yHeight) / 20 : 12;
        font.lfHeight = -MulDiv(points, GetDeviceCaps(FPrinter, LOGPIXELSY), 72);
        font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
        font.lfUnderline = (format.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
        font.lfStrikeOut = (format.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
        font.lfCharSet = format.bCharSet;
        wcsncpy(font.lfFaceName, format.szFaceName, LF_FACESIZE - 1);
        return CreateFontIndirectW(&font);
    }

    HDC FPrinter;
    std::vector<std::pair<CHARFORMAT2W, HFONT>> FFonts;
};

// One piece of a line as it goes on the page.
struct TTextPiece {
    int X = 0, Y = 0;
    size_t Font = 0;
    COLORREF Color = 0;
    std::u16string_view Text;
};

// The runs laid out line after line into pages, a line longer than the page
// width wrapped; at least one page. Text must outlive the layout.
class TPageLayout {
public:
    TPageLayout(HDC printer, std::u16string_view text, const std::vector<TRun>& runs)
        : FPrinter(printer), FFonts(printer), FWidth(GetDeviceCaps(printer, HORZRES)),
          FHeight(GetDeviceCaps(printer, VERTRES)), FPages(1) {
        for (const TRun& run : runs) {
            FFont = FFonts.Of(run.Format);
            FColor = (run.Format.dwEffects & CFE_AUTOCOLOR) ? RGB(0, 0, 0) : run.Format.crTextColor;
            const HGDIOBJ old = SelectObject(FPrinter, FFonts.Get(FFont));
            TEXTMETRICW metrics{};
            GetTextMetricsW(FPrinter, &metrics);
            LayRun(text.substr(run.Start, run.Length), metrics.tmHeight);
            SelectObject(FPrinter, old);
        }
    }

    int PageCount() const { return int(FPages.size()); }

    void DrawPage(int page) const {
        const HGDIOBJ old = GetCurrentObject(FPrinter, OBJ_FONT);
        for (const TTextPiece& piece : FPages[size_t(page)]) {
            SelectObject(FPrinter, FFonts.Get(piece.Font));
            SetTextColor(FPrinter, piece.Color);
            TextOutW(FPrinter, piece.X, piece.Y, reinterpret_cast<const wchar_t*>(piece.Text.data()),
                     int(piece.Text.size()));
        }
        SelectObject(FPrinter, old);
    }

private:
    void NewLine(int height) {
        FY += std::max(FLineHeight, height);
        FX = FLineHeight = 0;
    }

    void LayRun(std::u16string_view text, int height) {
        while (!text.empty()) {
            const size_t lineEnd = text.find_first_of(u"\r\n\v");
            std::u16string_view piece = text.substr(0, lineEnd);
            while (!piece.empty()) piece.remove_prefix(LayFitting(piece, height));
            if (lineEnd == std::u16string_view::npos) return;
            NewLine(height);
            text.remove_prefix(lineEnd + (text.substr(lineEnd, 2) == u"\r\n" ? 2 : 1));
        }
    }

    // Lays as much of Piece as fits on the line; the number of units laid.
    size_t LayFitting(std::u16string_view piece, int height) {
        if (FY + height > FHeight && FY > 0) {
            FPages.emplace_back();
            FY = 0;
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
        FPages.back().push_back({FX, FY, FFont, FColor, piece.substr(0, size_t(fit))});
        GetTextExtentPoint32W(FPrinter, reinterpret_cast<const wchar_t*>(piece.data()), fit, &size);
        FX += size.cx;
        FLineHeight = std::max(FLineHeight, height);
        if (size_t(fit) < piece.size()) NewLine(height);
        return size_t(fit);
    }

    HDC FPrinter;
    TPrinterFonts FFonts;
    int FWidth, FHeight;
    int FX = 0, FY = 0, FLineHeight = 0;
    size_t FFont = 0;
    COLORREF FColor = 0;
    std::vector<std::vector<TTextPiece>> FPages;
};

// The control's print routine: the pages it breaks the document into,
// measured before anything is printed, and each page drawn on its own. Its
// format cache is released when this object goes, on every path.
class TControlPages {
public:
    // No pages when the control formats nothing; throws when a page after
    // the first makes no progress.
    TControlPages(TRichEdit& edit, HDC printer, LONG length) : FEdit(edit) {
        const int pixelsX = GetDeviceCaps(printer, LOGPIXELSX), pixelsY = GetDeviceCaps(printer, LOGPIXELSY);
        FRange.hdc = FRange.hdcTarget = printer;
        FRange.rcPage = {0, 0, MulDiv(GetDeviceCaps(printer, PHYSICALWIDTH), 1440, pixelsX),
                         MulDiv(GetDeviceCaps(printer, PHYSICALHEIGHT), 1440, pixelsY)};
        FArea = {0, 0, MulDiv(GetDeviceCaps(printer, HORZRES), 1440, pixelsX),
                 MulDiv(GetDeviceCaps(printer, VERTRES), 1440, pixelsY)};
        try {
            Measure(length);
        } catch (...) {
            Release();
            throw;
        }
    }
    ~TControlPages() { Release(); }
    TControlPages(const TControlPages&) = delete;
    TControlPages& operator=(const TControlPages&) = delete;

    int PageCount() const { return int(FStarts.size()); }
    void DrawPage(int page) {
        const size_t next = size_t(page) + 1;
        FormatRange(FStarts[size_t(page)], next < FStarts.size() ? FStarts[next] : -1, TRUE);
    }

private:
    void Measure(LONG length) {
        for (LONG start = 0; start < length;) {
            const LONG next = FormatRange(start, -1, FALSE);
            if (next <= start) {
                if (FStarts.empty()) return;  // formats nothing
                throw EKorvalin(Format(texts::PrintNoProgress, {std::int64_t(FStarts.size())}));
            }
            FStarts.push_back(start);
            start = next;
        }
    }
    void Release() { FEdit.Send(EM_FORMATRANGE, FALSE, 0); }
    LONG FormatRange(LONG start, LONG end, BOOL draw) {
        FRange.rc = FArea;
        FRange.chrg = {start, end};
        return LONG(FEdit.Send(EM_FORMATRANGE, draw, reinterpret_cast<LPARAM>(&FRange)));
    }

    TRichEdit& FEdit;
    FORMATRANGE FRange{};
    RECT FArea{};
    std::vector<LONG> FStarts;
};

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

std::vector<int> PrintedPages(int pages, const TPrintCopies& copies) {
    const int count = std::max(copies.Count, 1);
    std::vector<int> order;
    for (int outer = 0; outer < (copies.Collate ? count : pages); ++outer)
        for (int inner = 0; inner < (copies.Collate ? pages : count); ++inner)
            order.push_back(copies.Collate ? inner : outer);
    return order;
}

void PrintRichEdit(TRichEdit& edit, HDC printer, const std::u16string& JobName, const TPrintCopies& copies) {
    const std::u16string text = edit.Text();
    TControlPages control(edit, printer, LONG(text.size()));
    std::optional<TPageLayout> layout;
    if (control.PageCount() == 0) layout.emplace(printer, text, DocumentRuns(edit, text.size()));
    const int pages = layout ? layout->PageCount() : control.PageCount();

    DOCINFOW job{};
    job.cbSize = sizeof(job);
    job.lpszDocName = WStr(JobName);
    if (StartDocW(printer, &job) <= 0) RaisePrintError();
    try {
        for (const int page : PrintedPages(pages, copies)) {
            if (StartPage(printer) <= 0) RaisePrintError();
            if (layout) layout->DrawPage(page);
            else control.DrawPage(page);
            if (EndPage(printer) <= 0) RaisePrintError();
        }
    } catch (...) {
        AbortDoc(printer);
        throw;
    }
    if (EndDoc(printer) <= 0) RaisePrintError();
}

}  // namespace korvalin
