// Braille files and the embosser: the document converted to cells and
// exported as BRF or PEF or sent to an embosser as a raw job, BRF and PEF
// files opened as Unicode braille, and the page dialog.
#include "app/Haupt.h"

#include "settings/BrailleSeite.h"
#include "settings/BrailleSeiteDlgC.h"
#include "tables/BrailleFiles.h"
#include "util/Errors.h"
#include "util/FileDialogs.h"
#include "util/LxUtils.h"
#include "util/Printing.h"
#include "util/RawPrinter.h"
#include "util/RichRuns.h"
#include "util/RichStream.h"
#include "util/SafeFile.h"
#include "util/TextUtils.h"

namespace korvalin {

namespace {

constexpr int kUnicodeBrailleMode = 2;  // the mode whose font lists show Unicode braille

// The editor's text in runs of one face, as the conversion reads it.
std::vector<TTextRun> DocumentTextRuns(TRichEdit& edit) {
    const std::u16string text = edit.Text();
    std::vector<TTextRun> runs;
    for (const TFaceRun& run : RichFaceRuns(edit, int(text.size())))
        runs.push_back({text.substr(size_t(run.Start), size_t(run.Length)), run.Face});
    return runs;
}

std::u16string_view FileExtension(TDocumentKind kind) { return kind == TDocumentKind::Brf ? u"brf" : u"pef"; }

// The document's name with the extension of Kind, as an export offers it.
std::u16string ExportFileName(std::u16string_view filename, TDocumentKind kind) {
    std::u16string name(ExtractFileName(filename));
    const size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos) name.resize(dot);
    return name.append(u".").append(FileExtension(kind));
}

}  // namespace

// The bytes of the document as a braille file; nothing, with the message
// shown, when its text cannot be converted.
std::optional<std::string> TForm1::BrailleBytes(TDocumentKind kind) {
    try {
        const TCellTables tables(FTables.TabStandard, FTables.Tab1, Einstellungen.Fonts);
        const std::vector<TTextRun> runs = DocumentTextRuns(RichEdit1);
        const TBrailleGeometry geometry = BrailleSeitenformat(Einstellungen);
        if (kind == TDocumentKind::Brf) return ExportBrf(runs, tables, geometry);
        std::u16string title(ExtractFileName(FFilename));
        return ExportPef(runs, tables, geometry, title);
    } catch (const EKorvalin& error) {
        MessageDlg(error.Message(), MB_ICONERROR | MB_OK);
        return std::nullopt;
    }
}

bool TForm1::WriteBrailleBytes(const std::u16string& name, const std::string& bytes) {
    try {
        WriteFileSafely(name, [&](HANDLE file) { WriteAll(file, bytes.data(), bytes.size()); });
        return true;
    } catch (const EKorvalin& error) {
        MessageDlg(Format(texts::FileSaveFailed, {name, error.Message()}), MB_ICONERROR | MB_OK);
        return false;
    }
}

bool TForm1::WriteBrailleDocument(const std::u16string& name, TDocumentKind kind) {
    const auto bytes = BrailleBytes(kind);
    return bytes && WriteBrailleBytes(name, *bytes);
}

void TForm1::LoadDocumentFile(const std::u16string& name) {
    const std::string bytes = ReadFileBytes(name);
    const TDocumentKind kind = DocumentKindOf(name);
    if (kind == TDocumentKind::Rtf) {
        LoadDocumentBytes(RichEdit1, bytes);
        return;
    }
    const std::u16string text =
        kind == TDocumentKind::Brf ? ImportBrf(bytes, TBrailleAscii(FTables.TabStandard)) : ImportPef(bytes);
    RichEdit1.SetText(text);
    RichEdit1.SetSel(0, -1);
    AssignFontSpecToAttributes(RichEdit1.Handle(), FUnicodeBrailleFont.GetUnicodeBrailleFontSpec(kUnicodeBrailleMode, 0));
    RichEdit1.SetSel(0, 0);
}

void TForm1::MenuDateiBrfExportClick(const TMenuEntry*) { ExportBraille(TDocumentKind::Brf); }
void TForm1::MenuDateiPefExportClick(const TMenuEntry*) { ExportBraille(TDocumentKind::Pef); }

// Converts first, so that a document that cannot be converted asks for no
// file name; the document keeps its name, kind and modified flag.
void TForm1::ExportBraille(TDocumentKind kind) {
    const auto bytes = BrailleBytes(kind);
    if (!bytes) return;
    TFileDialogArgs args{std::u16string(kind == TDocumentKind::Brf ? texts::BrfFilter : texts::PefFilter),
                         std::u16string(FileExtension(kind)), std::u16string(ExtractFilePath(FFilename)),
                         ExportFileName(FFilename, kind),
                         OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_ENABLESIZING,
                         [this] { OpenSaveDialogShow(); }};
    std::optional<TChosenFile> chosen;
    ModalDialog([&] { chosen = SaveFileDialog(Handle(), args); });
    if (chosen) WriteBrailleBytes(chosen->FileName, *bytes);
}

// All bytes are made before a printer is asked for; the job is one write
// that the spooler either takes whole or aborts.
void TForm1::MenuDateiPraegenClick(const TMenuEntry*) {
    const auto bytes = BrailleBytes(TDocumentKind::Brf);
    if (!bytes) return;
    if (!PrinterInstalled()) {
        MessageDlg(std::u16string(texts::NoPrinter), MB_ICONINFORMATION | MB_OK);
        return;
    }
    std::optional<std::u16string> printer;
    ModalDialog([&] { printer = ChoosePrinter(Handle()); });
    if (!printer) return;
    try {
        SendRawPrintJob(*printer, Format(texts::EmbossJob, {WindowCaption(Handle())}), *bytes);
    } catch (const EKorvalin& error) {
        MessageDlg(Format(texts::EmbossFailed, {*printer, error.Message()}), MB_ICONERROR | MB_OK);
    }
}

void TForm1::MenuEinstBrailleSeiteClick(const TMenuEntry*) {
    bool changedS = false;
    ModalDialog([&] {
        TBrailleSeiteDlg dialog(Handle(), Tolk());
        dialog.SetSeite(BrailleSeitenformat(Einstellungen));
        if (dialog.ShowModal() != IDOK) return;
        const TBrailleGeometry seite = dialog.Seite();
        Einstellungen.BrailleZeichenProZeile = seite.CellsPerLine;
        Einstellungen.BrailleZeilenProSeite = seite.LinesPerPage;
        changedS = true;
    });
    if (changedS) RegistryLadenSpeichern(false);
}

}  // namespace korvalin
