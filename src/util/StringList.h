// A list of text lines read as Name=Value entries, with a case-ignoring
// index of the names so that a lookup costs the same in a table of ten or of
// ten thousand lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvalin {

class TStringList {
public:
    TStringList() = default;
    explicit TStringList(std::vector<std::u16string> lines);

    void Assign(std::vector<std::u16string> lines);
    void Clear();
    void Add(std::u16string line);
    void Delete(std::size_t index);

    std::size_t Count() const { return FLines.size(); }
    bool Empty() const { return FLines.empty(); }
    const std::u16string& operator[](std::size_t index) const { return FLines[index]; }
    const std::vector<std::u16string>& Lines() const { return FLines; }

    // Index of the first line whose name (the text before its first "=")
    // equals Name, ignoring letter case; -1 when there is none. A line
    // without "=" has no name and never matches.
    int IndexOfName(std::u16string_view name) const;
    // The text after the first "=" of the line, or empty without "=".
    std::u16string_view ValueFromIndex(std::size_t index) const;

private:
    void IndexLine(std::size_t index);
    void Reindex();

    std::vector<std::u16string> FLines;
    std::unordered_map<std::u16string, std::size_t> FFirstLineOfName;
};

}  // namespace korvalin
