// Rules of the main window that need no window: start-up size and
// placement, the document name in the caption, the status texts of the
// input states.
#pragma once

#include "app/ResConst.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvalin {

// A size with its limits; a limit of 0 means there is none.
struct TSizeLimits {
    int Width = 0, Height = 0;
    int MinWidth = 0, MinHeight = 0;
    int MaxWidth = 0, MaxHeight = 0;
    bool operator==(const TSizeLimits&) const = default;
};

// Fits the wanted size and its limits to a work area: minima no larger than
// the work area, maxima no smaller than the minima, the size within both.
TSizeLimits StartupSize(const TSizeLimits& wanted, int workWidth, int workHeight);

struct TWorkArea {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

struct TWindowPosition {
    int Left = 0, Top = 0;
    bool operator==(const TWindowPosition&) const = default;
};

// A maximized window goes to the work area's top-left corner; any other is
// centred in it, also when it is larger than the work area.
TWindowPosition FensterPosition(const TWorkArea& workArea, int width, int height, bool maximized);

struct TDocumentName {
    std::u16string Filename;     // FFilename: a full path, or a folder for a new document
    std::u16string DisplayName;  // the file-name part, or "Dokument"
};

// The Filename property's write: value V given the current FFilename and
// the program folder (which ends in a path delimiter).
TDocumentName FilenameZuweisen(std::u16string_view value, std::u16string_view current, std::u16string_view exeFolder);

// The caption and task-bar title: "Brief.rtf - Korvalin V1.21".
std::u16string DocumentCaption(std::u16string_view displayName);

// "1 Brl8+" and the like.
std::u16string_view ModusStatusText(TModus modus);
// "Aus" or "Ein".
std::u16string_view OnOffText(bool value);

std::u16string ModusPanelText(TModus modus);      // "Mod: 1 Brl8+"
std::u16string LautgruppePanelText(bool value);   // "Zko: Aus"
std::u16string EinhandPanelText(bool value);      // "Eha: Aus"

// A number with "." between groups of three digits: 1234567 gives
// "1.234.567", -1234 gives "-1.234".
std::u16string DottedNumber(std::int64_t value);
// Panel 0: "Ze 1.234 | Sp 5" for the 1-based row and column.
std::u16string ZeileSpalteText(std::int64_t row, std::int64_t column);

// The shortcuts the hints name, as the menu shows them ("Strg+S").
struct THintShortCuts {
    std::u16string Speichern, SpeichernUnter, Oeffnen, Schliessen, Drucken, Lautgruppe, Modus0, Modus5;
};

// Panel 5 while no chord is built and no combination collected: a hint to a
// shortcut chosen by the clock's minute (0 to 59) and the document's state.
std::u16string StatusHintText(int minute, bool modified, bool speichernUnterS, const THintShortCuts& shortCuts);

// The texts on which the status panels are measured: panels 0 to 4 are as
// wide as their text in the bar's font, panel 5 (the chord and the hints)
// at least as wide as a chord of all eight dots.
std::array<std::u16string, 6> StatusPanelMeasureTexts();

// The six panel widths in a bar BarWidth wide, from the measured widths:
// panel 5 takes what panels 0 to 4 leave. Where that is less than its
// measured width, all six shrink in proportion to their measured widths and
// end at the bar's edge.
std::array<int, 6> StatusPanelWidths(int barWidth, const std::array<int, 6>& measured);

}  // namespace korvalin
