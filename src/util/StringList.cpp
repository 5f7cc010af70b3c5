#include "util/StringList.h"

#include "util/TextUtils.h"

namespace korvalin {

TStringList::TStringList(std::vector<std::u16string> lines) { Assign(std::move(lines)); }

void TStringList::Assign(std::vector<std::u16string> lines) {
    FLines = std::move(lines);
    Reindex();
}

void TStringList::Clear() {
    FLines.clear();
    FFirstLineOfName.clear();
}

void TStringList::Add(std::u16string line) {
    FLines.push_back(std::move(line));
    IndexLine(FLines.size() - 1);
}

void TStringList::Delete(std::size_t index) {
    if (index >= FLines.size()) return;
    FLines.erase(FLines.begin() + std::ptrdiff_t(index));
    Reindex();
}

int TStringList::IndexOfName(std::u16string_view name) const {
    const auto found = FFirstLineOfName.find(LowerCase(name));
    return found == FFirstLineOfName.end() ? -1 : int(found->second);
}

std::u16string_view TStringList::ValueFromIndex(std::size_t index) const {
    const std::u16string_view line = FLines.at(index);
    const size_t separator = line.find(u'=');
    return separator == std::u16string_view::npos ? std::u16string_view() : line.substr(separator + 1);
}

void TStringList::IndexLine(std::size_t index) {
    const std::u16string_view line = FLines[index];
    const size_t separator = line.find(u'=');
    if (separator != std::u16string_view::npos) FFirstLineOfName.try_emplace(LowerCase(line.substr(0, separator)), index);
}

void TStringList::Reindex() {
    FFirstLineOfName.clear();
    for (size_t i = 0; i < FLines.size(); ++i) IndexLine(i);
}

}  // namespace korvalin
