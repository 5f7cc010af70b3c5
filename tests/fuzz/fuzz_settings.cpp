// The settings file with any values: lines "Key=Value" (keys of every
// section, without regard to case) are read and repaired. Afterwards every
// value lies within its range: the background number, a complete
// user-interface font of a size from 5 to 35, a font list for every mode
// (four in mode 1) of complete entries with sizes from 8 to 72 and without
// bold and italic in the braille modes; a second repair changes nothing.
#include "appearance/FontSpec.h"
#include "settings/SettingsFile.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

#include "FuzzInput.h"

#include <optional>

using namespace korvalin;
using korvalin::fuzzing::Check;

namespace {

class TLinesProfile : public TProfile {
public:
    explicit TLinesProfile(const std::u16string& text) : FLines(SplitLines(text)) {}
    std::u16string ReadString(std::u16string_view, std::u16string_view key, std::u16string_view def) override {
        for (const std::u16string& line : FLines) {
            const size_t eq = line.find(u'=');
            if (eq != std::u16string::npos && SameText(std::u16string_view(line).substr(0, eq), key))
                return line.substr(eq + 1);
        }
        return std::u16string(def);
    }
    void WriteString(std::u16string_view, std::u16string_view, std::u16string_view) override {}

private:
    std::vector<std::u16string> FLines;
};

constexpr std::u16string_view kExe = u"C:\\Korvalin\\";

std::optional<TFontValue> Read(std::u16string_view spec) {
    try {
        return SpecToFont(spec);
    } catch (const EKorvalin&) {
        return std::nullopt;
    }
}

void CheckFont(std::u16string_view spec, int min, int max) {
    Check(Tokens(spec).size() >= 5);
    if (const std::optional<TFontValue> font = Read(spec)) Check(font->Size >= min && font->Size <= max);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TLinesProfile profile(korvalin::fuzzing::Latin1(data, size));
    TEinstellungen settings;
    StandardEinstellungenSetzen(settings, kExe);
    TTabellen tabellen(kExe);
    try {
        ReadEinstellungen(profile, settings, tabellen, kExe);
    } catch (const EKorvalin&) {
        StandardEinstellungenSetzen(settings, kExe);
    }
    const TFileExists fileExists = [](const std::u16string& name) { return name.size() % 2 == 0; };
    EinstellungenReparieren(settings, tabellen, kExe, fileExists);

    Check(settings.Schrifthintergrund >= 0 && settings.Schrifthintergrund <= 18);
    Check(settings.Schrifthintergrund != 12 && settings.Schrifthintergrund != 13);
    CheckFont(settings.Schriftart, 5, 35);
    for (int mode = 0; mode < 6; ++mode) {
        const std::vector<TFontEntry>& list = settings.Fonts[size_t(mode)];
        Check(list.size() >= (mode == 1 ? 4u : 1u));
        for (const TFontEntry& entry : list) {
            Check(!entry.Filename.empty());
            CheckFont(entry.Settings, 8, 72);
            if (mode == 1 || mode == 3 || mode == 4) {
                const std::optional<TFontValue> font = Read(entry.Settings);
                Check(font && !font->Bold && !font->Italic);
            }
        }
    }

    const TEinstellungen repaired = settings;
    EinstellungenReparieren(settings, tabellen, kExe, fileExists);
    Check(settings == repaired);
    return 0;
}
