#include "appearance/FontFiles.h"

#include "settings/DatenC.h"
#include "util/Errors.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <shlobj.h>

#include <algorithm>

namespace korvalin {

namespace {

bool LessNoCase(const std::u16string& a, const std::u16string& b) { return LowerCase(a) < LowerCase(b); }

// A device context of the screen, released on every path.
class TScreenDC {
public:
    TScreenDC() : FDC(GetDC(nullptr)) {}
    ~TScreenDC() {
        if (FDC) ReleaseDC(nullptr, FDC);
    }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HDC FDC;
};

// Selects an object into a device context and puts the old one back.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
    ~TSelection() {
        if (FOld) SelectObject(FDC, FOld);
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

int CALLBACK EnumFaceProc(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD, LPARAM param) {
    auto& names = *reinterpret_cast<std::vector<std::u16string>*>(param);
    std::u16string face = U16(logFont->lfFaceName);
    if (names.empty() || !SameText(names.back(), face)) names.push_back(std::move(face));
    return 1;
}

bool FileExistsW(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(WStr(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ContainsNoCase(const std::vector<std::u16string>& list, std::u16string_view item) {
    return std::any_of(list.begin(), list.end(), [&](const std::u16string& entry) { return SameText(entry, item); });
}

std::u16string FirstToken(std::u16string_view spec) {
    const std::vector<std::u16string_view> tokens = Tokens(spec);
    return tokens.empty() ? std::u16string() : std::u16string(tokens.front());
}

std::u16string NotLoadedMessage(std::u16string_view face) { return Format(FontNotLoaded, {face}); }

// Copies the file into the Windows fonts folder unless a file of that name is
// there; a failed copy (no rights) does not matter.
void CopyToWindowsFonts(const std::u16string& path) {
    const std::u16string folder = WindowsFontsFolder();
    if (folder.empty()) return;
    std::u16string target = folder;
    target.append(u"\\").append(BareFilename(path));
    if (!FileExistsW(target)) CopyFileW(WStr(path), WStr(target), FALSE);
}

int PointsToPixels(int points) {
    TScreenDC screen;
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    return MulDiv(points, dpi > 0 ? dpi : 96, 72);
}

}  // namespace

// ---- installed faces ----

const std::vector<std::u16string>& TInstalledFonts::Names() {
    if (!FBuiltS) Build();
    return FNames;
}

bool TInstalledFonts::Contains(std::u16string_view face) {
    const std::vector<std::u16string>& names = Names();
    const std::u16string key(face);
    const auto found = std::lower_bound(names.begin(), names.end(), key, LessNoCase);
    return found != names.end() && SameText(*found, key);
}

void TInstalledFonts::Discard() {
    FNames.clear();
    FBuiltS = false;
}

void TInstalledFonts::Build() {
    std::vector<std::u16string> names{u"Default"};
    TScreenDC screen;
    if (screen.Get()) {
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(screen.Get(), &query, reinterpret_cast<FONTENUMPROCW>(EnumFaceProc),
                            reinterpret_cast<LPARAM>(&names), 0);
    }
    std::stable_sort(names.begin(), names.end(), LessNoCase);
    FNames = std::move(names);
    FBuiltS = true;
}

TInstalledFonts& InstalledFonts() {
    static TInstalledFonts installed;
    return installed;
}

bool FontHasBraillePatterns(TInstalledFonts& installed, std::u16string_view face) {
    if (Trim(face).empty() || !installed.Contains(face)) return false;
    TScreenDC screen;
    if (!screen.Get()) return false;
    const std::u16string name(face);
    const TFontHandle font(CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                       WStr(name)));
    if (!font.Get()) return false;
    const TSelection selection(screen.Get(), font.Get());
    wchar_t patterns[256];
    WORD indices[256];
    for (int i = 0; i < 256; ++i) {
        patterns[i] = wchar_t(0x2800 + i);
        indices[i] = 0xFFFF;
    }
    if (GetGlyphIndicesW(screen.Get(), patterns, 256, indices, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) return false;
    return std::none_of(std::begin(indices), std::end(indices), [](WORD index) { return index == 0xFFFF; });
}

bool FontHasBraillePatterns(std::u16string_view face) { return FontHasBraillePatterns(InstalledFonts(), face); }

std::u16string WindowsFontsFolder() {
    LPITEMIDLIST list = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, CSIDL_FONTS, &list) != S_OK || !list) return {};
    wchar_t path[MAX_PATH] = {};
    const BOOL ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    if (!ok) return {};
    std::u16string folder = U16(path);
    while (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/')) folder.pop_back();
    return folder;
}

// ---- font files ----

void TFontFileRegistrations::LoadFontFiles(TInstalledFonts& installed, const TFonts& fonts, bool load,
                                           const TFontMessage& message) {
    std::vector<std::u16string> processed;
    for (const std::vector<TFontEntry>& list : fonts) {
        for (const TFontEntry& entry : list) {
            const std::u16string name = FirstToken(entry.Settings);
            const std::u16string& path = entry.Filename;
            if (load && !FileExistsW(path)) {
                if (message) message(Format(FontFileMissing, {path}));
                continue;
            }
            if (ContainsNoCase(processed, path)) continue;
            try {
                if (load) {
                    // registered by an earlier pass: once is enough
                    if (ContainsNoCase(FRegistered, path)) {
                        processed.push_back(path);
                        continue;
                    }
                    if (!installed.Contains(name)) CopyToWindowsFonts(path);
                    if (AddFontResourceW(WStr(path)) != 0) {
                        processed.push_back(path);
                        FRegistered.push_back(path);
                    } else if (message) {
                        message(NotLoadedMessage(name));
                    }
                } else if (RemoveFontResourceW(WStr(path))) {
                    processed.push_back(path);
                    std::erase_if(FRegistered, [&](const std::u16string& done) { return SameText(done, path); });
                }
            } catch (const std::exception& error) {
                if (!load) continue;
                std::u16string text = NotLoadedMessage(name);
                text.append(u"\r\n").append(ErrorMessage(error));
                if (message) message(text);
            }
        }
    }
    if (load) return;
    // files registered earlier that the lists no longer name
    for (const std::u16string& path : FRegistered)
        if (!ContainsNoCase(processed, path)) RemoveFontResourceW(WStr(path));
    FRegistered.clear();
}

TFontFileRegistrations& FontFileRegistrations() {
    static TFontFileRegistrations registrations;
    return registrations;
}

void LoadFontFiles(bool load, const TFontMessage& message) {
    FontFileRegistrations().LoadFontFiles(InstalledFonts(), Einstellungen.Fonts, load, message);
    if (load) InstalledFonts().Discard();
}

// ---- Windows fonts ----

TFontHandle& TFontHandle::operator=(TFontHandle&& other) noexcept {
    if (this != &other) {
        if (FFont) DeleteObject(FFont);
        FFont = other.Release();
    }
    return *this;
}

TFontHandle::~TFontHandle() {
    if (FFont) DeleteObject(FFont);
}

HFONT TFontHandle::Release() {
    const HFONT font = FFont;
    FFont = nullptr;
    return font;
}

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(int(color & 0xFF));
    if (color == clNone || color == clDefault) return RGB(0, 0, 0);
    return COLORREF(color & 0x00FFFFFF);
}

LOGFONTW FontToLogFont(const TFontValue& font) {
    LOGFONTW logFont{};
    logFont.lfHeight = -PointsToPixels(font.Size);
    logFont.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.Italic;
    logFont.lfUnderline = font.Underline;
    logFont.lfStrikeOut = font.StrikeOut;
    logFont.lfCharSet = font.Charset;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH;
    const size_t length = std::min(font.Name.size(), size_t(LF_FACESIZE - 1));
    std::copy_n(font.Name.begin(), length, logFont.lfFaceName);
    return logFont;
}

TFontValue LogFontToFont(const LOGFONTW& logFont, TColor color) {
    TFontValue font;
    font.Name = U16(logFont.lfFaceName);
    TScreenDC screen;
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    const int height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
    font.Size = MulDiv(height, 72, dpi > 0 ? dpi : 96);
    font.Charset = logFont.lfCharSet;
    font.Bold = logFont.lfWeight >= FW_BOLD;
    font.Italic = logFont.lfItalic != 0;
    font.Underline = logFont.lfUnderline != 0;
    font.StrikeOut = logFont.lfStrikeOut != 0;
    font.Color = color;
    return font;
}

TFontHandle CreateFontFromValue(const TFontValue& font) {
    const LOGFONTW logFont = FontToLogFont(font);
    return TFontHandle(CreateFontIndirectW(&logFont));
}

TFontHandle CreateFontFromSpec(std::u16string_view spec) {
    TFontValue font;
    AssignFontSpec(&font, spec);
    return CreateFontFromValue(font);
}

CHARFORMAT2W FontToCharFormat(const TFontValue& font) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
    const size_t length = std::min(font.Name.size(), size_t(LF_FACESIZE - 1));
    std::copy_n(font.Name.begin(), length, format.szFaceName);
    // a size of zero or below is no size: the selection keeps its own
    if (font.Size > 0) {
        format.dwMask |= CFM_SIZE;
        format.yHeight = LONG(font.Size) * 20;
    }
    format.bCharSet = font.Charset;
    if (font.Bold) format.dwEffects |= CFE_BOLD;
    if (font.Italic) format.dwEffects |= CFE_ITALIC;
    if (font.Underline) format.dwEffects |= CFE_UNDERLINE;
    if (font.StrikeOut) format.dwEffects |= CFE_STRIKEOUT;
    if (font.Color == clNone || font.Color == clDefault) format.dwEffects |= CFE_AUTOCOLOR;
    else format.crTextColor = ColorToRGB(font.Color);
    return format;
}

void AssignFontSpecToAttributes(HWND richEdit, std::u16string_view spec) {
    if (!richEdit) return;
    TFontValue font;
    AssignFontSpec(&font, spec);
    CHARFORMAT2W format = FontToCharFormat(font);
    SendMessageW(richEdit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void ApplyModeFont(HWND richEdit, const TFonts& fonts, int mode, std::u16string_view text, int index,
                   TUnicodeBrailleFontChooser& chooser) {
    if (!richEdit) return;
    if (IsUnicodeBrailleText(text)) {
        AssignFontSpecToAttributes(richEdit, chooser.GetUnicodeBrailleFontSpec(fonts, mode, index));
        return;
    }
    const std::vector<TFontEntry>& list = ModeFontList(fonts, mode);
    index = ModeFontIndex(index, int(list.size()));
    if (index >= 0 && size_t(index) < list.size()) AssignFontSpecToAttributes(richEdit, list[size_t(index)].Settings);
}

void ApplyModeFont(HWND richEdit, int mode, std::u16string_view text, int index, TUnicodeBrailleFontChooser& chooser) {
    ApplyModeFont(richEdit, Einstellungen.Fonts, mode, text, index, chooser);
}

}  // namespace korvalin
