// GDI side of the fonts: the face names known to Windows, the braille glyph
// test, registering the shipped font files, Windows fonts made from font
// values and the rich edit's character format set from a font string.
#pragma once

#include "appearance/FontSpec.h"

#include <windows.h>

#include <richedit.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

inline constexpr std::u16string_view FontFileMissing = u"Die Font-Datei \"%s\" existiert nicht!";
inline constexpr std::u16string_view FontNotLoaded = u"Der Font \"%s\" konnte nicht geladen werden!";

// Shows one message to the user (an error box with an OK button).
using TFontMessage = std::function<void(const std::u16string& message)>;

// The face names known to Windows: "Default" and every face that
// EnumFontFamiliesExW reports for DEFAULT_CHARSET, sorted and searched without
// regard to case. Built on first use and again after Discard.
class TInstalledFonts {
public:
    const std::vector<std::u16string>& Names();
    bool Contains(std::u16string_view face);
    void Discard();

private:
    void Build();
    std::vector<std::u16string> FNames;
    bool FBuiltS = false;
};

// The process' list; the system's faces are the same for every window.
TInstalledFonts& InstalledFonts();

// True if the face is installed and has glyphs for all of U+2800 to U+28FF.
bool FontHasBraillePatterns(TInstalledFonts& installed, std::u16string_view face);
bool FontHasBraillePatterns(std::u16string_view face);

// The Windows fonts folder without a trailing backslash; empty if unknown.
std::u16string WindowsFontsFolder();

// The font files of the mode lists that this process has registered with
// Windows, so that a second loading pass (after the defaults are restored)
// does not register a file twice and the unloading pass also removes files
// that the lists no longer name.
class TFontFileRegistrations {
public:
    // Registers (Load) or removes the font files of all six lists, mode 0 to
    // 5 in list order; every file once per pass. Missing files and failed
    // registrations are reported through Message while loading; removing is
    // silent.
    void LoadFontFiles(TInstalledFonts& installed, const TFonts& fonts, bool load, const TFontMessage& message);
    const std::vector<std::u16string>& Registered() const { return FRegistered; }

private:
    std::vector<std::u16string> FRegistered;
};

TFontFileRegistrations& FontFileRegistrations();

// The pass over Einstellungen.Fonts with the process' lists; after loading
// the installed faces are enumerated anew, so that the new faces are found.
void LoadFontFiles(bool load, const TFontMessage& message);

// Owns one HFONT.
class TFontHandle {
public:
    TFontHandle() = default;
    explicit TFontHandle(HFONT font) : FFont(font) {}
    TFontHandle(TFontHandle&& other) noexcept : FFont(other.Release()) {}
    TFontHandle& operator=(TFontHandle&& other) noexcept;
    TFontHandle(const TFontHandle&) = delete;
    TFontHandle& operator=(const TFontHandle&) = delete;
    ~TFontHandle();

    HFONT Get() const { return FFont; }
    HFONT Release();

private:
    HFONT FFont = nullptr;
};

// A Windows colour: system colours through GetSysColor; clNone and
// clDefault, which are no colours, give black.
COLORREF ColorToRGB(TColor color);

// The LOGFONT of a font value; the height from the points at the screen's
// resolution (negative: the character height).
LOGFONTW FontToLogFont(const TFontValue& font);
// The font value of a LOGFONT, with Color.
TFontValue LogFontToFont(const LOGFONTW& logFont, TColor color);
TFontHandle CreateFontFromValue(const TFontValue& font);
// AssignFontSpec, then CreateFontFromValue.
TFontHandle CreateFontFromSpec(std::u16string_view spec);

// The character format of a font value: face, size, charset, bold, italic,
// underline, strike-out and colour, with their mask.
CHARFORMAT2W FontToCharFormat(const TFontValue& font);

// Builds a font with AssignFontSpec and sets it on the rich edit's selection
// (EM_SETCHARFORMAT). Nothing happens without a window.
void AssignFontSpecToAttributes(HWND richEdit, std::u16string_view spec);

// Sets the format of freshly inserted, selected text: Unicode braille text
// gets the face that Chooser picks for the mode, other text the mode's entry
// Index (entry 0 when Index lies past a non-empty list); an empty list leaves
// other text unchanged.
void ApplyModeFont(HWND richEdit, const TFonts& fonts, int mode, std::u16string_view text, int index,
                   TUnicodeBrailleFontChooser& chooser);
// The same over Einstellungen.Fonts.
void ApplyModeFont(HWND richEdit, int mode, std::u16string_view text, int index, TUnicodeBrailleFontChooser& chooser);

}  // namespace korvalin
