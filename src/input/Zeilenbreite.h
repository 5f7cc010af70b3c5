// The line width limit: clamping, the status panel text and the check that
// an insertion keeps every line it touches within the limit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvalin {

constexpr int kMaxZeilenbreiteLimit = 99;

// The lines of a document as the editor counts them (a line is a paragraph
// while wrapping is off). Positions and lengths are in UTF-16 units; a
// negative answer means the editor did not know.
class TLineModel {
public:
    virtual ~TLineModel() = default;
    virtual int LineCount() const = 0;
    virtual int LineFromChar(int position) const = 0;
    virtual int LineIndex(int line) const = 0;
    virtual std::u16string Line(int line) const = 0;
};

// 0 below 0, 99 above 99.
int ClampMaxZeilenbreite(int value);

// Panel 3: "Bte: 12", or "Bte: Unb." for no limit.
std::u16string ZeilenbreitePanelText(int maxZeilenbreite);

// Whether replacing the selection (SelStart, SelLength) by InsertText keeps
// the lines it touches within MaxZeilenbreite; 0 or less means no limit.
bool IsMaxZeilenbreiteOk(const TLineModel& lines, int MaxZeilenbreite, int SelStart, int SelLength,
                         const std::u16string& InsertText);

// The number dialog's text as a width: the trimmed text as a decimal
// integer (an optional sign, then digits) from 0 to 99, or nothing.
std::optional<int> ParseZeilenbreite(std::u16string_view text);

}  // namespace korvalin
