// What the screen reader is told about input: what a chord inserted, the
// word it ended, and mode changes and switches in words.
#pragma once

#include "app/ResConst.h"

#include <string>
#include <string_view>

namespace korvalin {

// The setting "Eingabe ansagen", stored as 0 to 3.
enum class TEingabeAnsagen { Aus, Zeichen, Woerter, ZeichenUndWoerter };
constexpr int kEingabeAnsagenCount = 4;

// The dots of a pattern ("125", "0" for the empty cell) as spoken:
// "Punkte 1 2 5", "Punkt 1", "leer".
std::u16string PunkteAnsage(std::u16string_view punkte);

// Inserted text as spoken: a braille pattern character as its dots, a text
// of nothing but blanks, tabs and line breaks by their names.
std::u16string TextAnsage(std::u16string_view text);

// A blank, a line break or punctuation.
bool IsWortende(char16_t c);

// The word that the last character of Before ends: the characters in front
// of it back to the previous word end; empty when it ends no word.
std::u16string_view BeendetesWort(std::u16string_view before);

// What a chord that inserted Text says (empty: nothing). In modes 1 to 4
// its dots; in mode 5 and for a combination (LautS) the text, and with
// words the word it ended. Before is the text in front of the caret after
// the insertion.
std::u16string ChordAnsage(TEingabeAnsagen setting, TModus modus, bool lautS, std::u16string_view punkte,
                           std::u16string_view text, std::u16string_view before);
// A cell collected for a combination: its dots, with characters on.
std::u16string LautgruppeZelleAnsage(TEingabeAnsagen setting, std::u16string_view punkte);
// A key typed into the editor in mode 5 whose character ends Before: the
// word it ends, with words on. The screen reader echoes the key itself.
std::u16string TasteAnsage(TEingabeAnsagen setting, TModus modus, std::u16string_view before);

// Mode changes, switches, table switches and a chord refused by the line
// width, in words; nothing with the setting Aus.
std::u16string ModusAnsage(TEingabeAnsagen setting, TModus modus);
std::u16string LautgruppeAnsage(TEingabeAnsagen setting, bool value);
std::u16string EinhandAnsage(TEingabeAnsagen setting, bool value);
std::u16string TabellenAnsage(TEingabeAnsagen setting, int number, std::u16string_view titel);
std::u16string ZeilenbreiteAnsage(TEingabeAnsagen setting, int maxZeilenbreite);

// Two announcements said as one, the first in front: "Zeichenkombination aus, x".
std::u16string AnsageVerbinden(std::u16string_view first, std::u16string_view second);

}  // namespace korvalin
