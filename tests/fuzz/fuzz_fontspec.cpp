// Any text as a font string: it reads as a font whose written form reads
// back to the same font, or gives the program's own error; the fallback
// never fails; the size repair keeps every readable string's size within
// the range and changes nothing else.
#include "appearance/FontSpec.h"
#include "util/Errors.h"

#include "FuzzInput.h"

#include <optional>

using namespace korvalin;
using korvalin::fuzzing::Check;

namespace {

std::optional<TFontValue> Read(std::u16string_view spec) {
    try {
        return SpecToFont(spec);
    } catch (const EKorvalin&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string spec = korvalin::fuzzing::Latin1(data, size);
    const std::optional<TFontValue> font = Read(spec);
    if (font) Check(Read(FontToSpec(*font)) == font);

    TFontValue assigned;
    AssignFontSpec(&assigned, spec);
    Check(assigned == font.value_or(assigned));

    const int min = 8, max = 72, fallback = 25;
    const std::u16string repaired = FontSpecSizeInRange(spec, min, max, fallback);
    if (!font) {
        Check(repaired == spec);
        return 0;
    }
    const std::optional<TFontValue> after = Read(repaired);
    Check(after.has_value());
    Check(after->Size >= min && after->Size <= max);
    TFontValue expected = *font;
    expected.Size = font->Size >= min && font->Size <= max ? font->Size : fallback;
    Check(*after == expected);
    if (font->Size == after->Size) Check(repaired == spec);
    return 0;
}
