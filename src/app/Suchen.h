// Find in the document: the caret escapes of the search text and the search
// itself, forward and (through the reversed text) backward, over a buffer
// that counts a line break as one position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvalin {

// "^^" a caret, "^a" a line break (CR), "^b" a form feed, "^t" a tab, "^n"
// the character with the code n (1 to 255, no leading zeros); a text
// without "^" comes back unchanged.
std::u16string ExpandSearchEscapes(std::u16string_view text);

// Every CR LF pair replaced by one CR: the text as the editor counts its
// positions.
std::u16string CrLfToCr(std::u16string_view text);

struct TSuchOptionen {
    bool DownS = true;
    bool MatchCaseS = false;
    bool WholeWordS = false;
};

// The buffer the search runs in. SetText receives text whose line breaks
// are single CRs; Find returns the position of the first match that begins
// at or after from, or -1.
class TSuchPuffer {
public:
    virtual ~TSuchPuffer() = default;
    virtual void SetText(const std::u16string& text) = 0;
    virtual std::int64_t Find(std::u16string_view pattern, std::int64_t from, bool matchCaseS, bool wholeWordS) = 0;
};

// A buffer on a plain string, with the rich edit's rules for match case and
// whole word.
class TTextSuchPuffer : public TSuchPuffer {
public:
    void SetText(const std::u16string& text) override { FText = text; }
    std::int64_t Find(std::u16string_view pattern, std::int64_t from, bool matchCaseS, bool wholeWordS) override;

private:
    std::u16string FText;
};

// Letters, digits and the underscore, and every character beyond ASCII that
// is neither a space nor general punctuation.
bool IsWordChar(char16_t c);

enum class TSuchErgebnis { Leer, Gefunden, NichtGefunden, KeinWeiterer };

struct TSuchTreffer {
    TSuchErgebnis Ergebnis = TSuchErgebnis::Leer;
    std::int64_t SelStart = 0, SelLength = 0;  // the match, when found
};

// One search. editorText is the editor's text as read out (line breaks as
// CR LF), selStart and selLength the selection in editor positions (a line
// break counting one). Leer: the expanded search text is empty.
TSuchTreffer Suchen(TSuchPuffer& puffer, std::u16string_view editorText, std::int64_t selStart, std::int64_t selLength,
                    std::u16string_view findText, const TSuchOptionen& optionen);

}  // namespace korvalin
