#include "settings/DatenC.h"

#include "util/Errors.h"
#include "util/TextUtils.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace korvalin {

TTab::TTab(std::u16string AFilename, std::u16string ATitel, std::vector<std::u16string> AListe)
    : FFilename(std::move(AFilename)), FTitel(std::move(ATitel)), FListe(std::move(AListe)) {}

void TTab::Clear() {
    FFilename.clear();
    FTitel.clear();
    FListe.Clear();
}

bool IsTableTitle(std::u16string_view firstLine) {
    return Trim(firstLine).size() >= 2 && firstLine.find(u'=') == std::u16string_view::npos;
}

std::u16string_view BareFilename(std::u16string_view path) {
    const size_t separator = path.find_last_of(u"\\/:");
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

namespace {

// The ".tab" files directly in Folder, sorted ignoring case, equal names once.
std::vector<std::u16string> ListTableFiles(const std::u16string& folder) {
    std::vector<std::u16string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(std::filesystem::path(folder), error), end; !error && entry != end;
         entry.increment(error)) {
        std::u16string name = entry->path().filename().u16string();
        if (name.size() > 4 && SameText(std::u16string_view(name).substr(name.size() - 4), u".tab") &&
            entry->is_regular_file(error))
            files.push_back(folder + name);
    }
    std::sort(files.begin(), files.end(),
              [](const std::u16string& a, const std::u16string& b) { return LowerCase(a) < LowerCase(b); });
    files.erase(std::unique(files.begin(), files.end(), [](const auto& a, const auto& b) { return SameText(a, b); }),
                files.end());
    return files;
}

}  // namespace

TTabellen::TTabellen(std::u16string_view exeFolder) : FPath(std::u16string(exeFolder) + u"Tabellen\\") {
#ifndef _WIN32
    FPath.back() = u'/';
#endif
}

void TTabellen::Load(const TTextCodecs& codecs) {
    const std::vector<std::u16string> files = ListTableFiles(FPath);
    Clear();
    for (const std::u16string& path : files) {
        std::vector<std::u16string> lines;
        try {
            lines = SplitLines(LoadTextFile(path, codecs));
        } catch (const EKorvalin&) {
            continue;
        }
        if (lines.size() < 2 || !IsTableTitle(lines.front())) continue;
        std::u16string title(Trim(lines.front()));
        lines.erase(lines.begin());
        FTabs.push_back(std::make_unique<TTab>(path, std::move(title), std::move(lines)));
    }
}

void TTabellen::Clear() {
    FAktTabFilename.clear();
    FAktTabFilenameIndex = -1;
    FTabs.clear();
}

const TTab* TTabellen::GetTabs(int index) const {
    return index >= 0 && index < Count() ? FTabs[size_t(index)].get() : nullptr;
}

int TTabellen::IndexOfFilename(std::u16string_view name) const {
    if (name.empty()) return -1;
    for (int i = 0; i < Count(); ++i) {
        const std::u16string& filename = FTabs[size_t(i)]->Filename();
        if (SameText(name, filename) || SameText(BareFilename(name), BareFilename(filename))) return i;
    }
    return -1;
}

const TStringList* TTabellen::TabByFilename(std::u16string_view filename) const {
    const TTab* tab = GetTabs(IndexOfFilename(filename));
    return tab ? &tab->Liste() : nullptr;
}

const TStringList* TTabellen::AktTab() const {
    const TTab* tab = GetTabs(FAktTabFilenameIndex);
    return tab ? &tab->Liste() : nullptr;
}

void TTabellen::SetAktTabFilename(std::u16string_view name) {
    FAktTabFilenameIndex = IndexOfFilename(name);
    FAktTabFilename = FAktTabFilenameIndex >= 0 ? FTabs[size_t(FAktTabFilenameIndex)]->Filename() : std::u16string(name);
}

}  // namespace korvalin
