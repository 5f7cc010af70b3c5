#include "appearance/ModeFonts.h"

#include "settings/DatenC.h"

#include <algorithm>

namespace korvalin {

namespace {

constexpr std::u16string_view kDefaultTail = u"|12|0|0000|clWindowText";

}  // namespace

std::vector<std::u16string_view> Tokens(std::u16string_view text) {
    std::vector<std::u16string_view> tokens;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(u'|', start), text.size());
        if (end > start) tokens.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return tokens;
}

void SetModeFonts(TFonts& fonts, int mode, std::u16string_view exeFolder, std::u16string_view files,
                  std::u16string_view spec) {
    const std::vector<std::u16string_view> names = Tokens(files);
    const std::vector<std::u16string_view> fields = Tokens(spec);
    std::u16string tail(kDefaultTail);
    if (fields.size() > names.size()) {
        tail.assign(1, u'|');
        tail.append(spec.substr(size_t(fields[names.size()].data() - spec.data())));
    }
    std::vector<TFontEntry>& list = fonts.at(size_t(mode));
    list.clear();
    for (size_t j = 0; j < names.size(); ++j) {
        const std::u16string_view face = j < fields.size() ? fields[j] : std::u16string_view(u"Arial");
        std::u16string filename(exeFolder);
        filename.append(u"Fonts\\").append(names[j]);
        list.push_back({std::move(filename), std::u16string(face).append(tail)});
    }
}

TModeFontStrings ModeFontsToStrings(const TFonts& fonts, int mode) {
    const std::vector<TFontEntry>& list = fonts.at(size_t(mode));
    if (list.empty()) return {};
    const std::u16string_view first = list.front().Settings;
    const std::vector<std::u16string_view> firstFields = Tokens(first);
    const std::u16string tail = firstFields.size() > 1
                                    ? std::u16string(first.substr(size_t(firstFields[1].data() - first.data()) - 1))
                                    : std::u16string(kDefaultTail);
    TModeFontStrings strings;
    for (size_t j = 0; j < list.size(); ++j) {
        if (j > 0) {
            strings.Files += u'|';
            strings.Spec += u'|';
        }
        strings.Files += BareFilename(list[j].Filename);
        const std::vector<std::u16string_view> fields = Tokens(list[j].Settings);
        if (!fields.empty()) strings.Spec += fields.front();
    }
    strings.Spec += tail;
    return strings;
}

}  // namespace korvalin
