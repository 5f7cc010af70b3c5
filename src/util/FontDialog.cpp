#include "util/FontDialog.h"

#include <commdlg.h>

#include <cwchar>

namespace korvalin {

namespace {

constexpr int kTwipsPerPoint = 20;

int ScreenPixelsPerInch() {
    const HDC screen = GetDC(nullptr);
    const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return pixels > 0 ? pixels : 96;
}

LOGFONTW LogFontFromCharFormat(const CHARFORMAT2W& format) {
    LOGFONTW font{};
    // Attributes that differ within the selection are missing from the mask.
    const int points = (format.dwMask & CFM_SIZE) && format.yHeight > 0 ? int(format.yHeight) / kTwipsPerPoint : 12;
    font.lfHeight = -MulDiv(points, ScreenPixelsPerInch(), 72);
    font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    font.lfUnderline = (format.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
    font.lfStrikeOut = (format.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
    font.lfCharSet = format.bCharSet;
    font.lfPitchAndFamily = format.bPitchAndFamily;
    if (format.dwMask & CFM_FACE) wcsncpy(font.lfFaceName, format.szFaceName, LF_FACESIZE - 1);
    return font;
}

}  // namespace

bool ChooseCharFormat(HWND owner, CHARFORMAT2W& format) {
    LOGFONTW font = LogFontFromCharFormat(format);
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    dialog.rgbColors = (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
    if (!ChooseFontW(&dialog)) return false;

    CHARFORMAT2W chosen{};
    chosen.cbSize = sizeof(chosen);
    chosen.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
    chosen.yHeight = LONG(dialog.iPointSize) * kTwipsPerPoint / 10;  // iPointSize is in tenths of a point
    chosen.bCharSet = font.lfCharSet;
    chosen.bPitchAndFamily = font.lfPitchAndFamily;
    if (font.lfWeight >= FW_BOLD) chosen.dwEffects |= CFE_BOLD;
    if (font.lfItalic) chosen.dwEffects |= CFE_ITALIC;
    if (font.lfUnderline) chosen.dwEffects |= CFE_UNDERLINE;
    if (font.lfStrikeOut) chosen.dwEffects |= CFE_STRIKEOUT;
    chosen.crTextColor = dialog.rgbColors;
    wcsncpy(chosen.szFaceName, font.lfFaceName, LF_FACESIZE - 1);
    format = chosen;
    return true;
}

}  // namespace korvalin
