#include "settings/DatenC.h"

#include "util/Errors.h"
#include "util/TextUtils.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace korvalin {

TEinstellungen Einstellungen;

namespace {

struct TModeFontDefault {
    std::u16string_view Files;
    std::u16string_view Spec;
};
constexpr TModeFontDefault kModeFontDefaults[6] = {
    {u"CharisSIL-R.ttf", u"Charis SIL|16|0|0000|clBlack"},
    {u"BRL0.ttf|BRL7.ttf|BRL8.ttf|BRL78.ttf", u"8ptBraille0|8ptBraille7|8ptBraille8|8ptBraille78|25|0|0000|clBlack"},
    {u"CharisSIL-R.ttf", u"Charis SIL|18|0|0000|clBlack"},
    {u"BLISTA6P.ttf", u"blistabraille6+|18|0|0000|clBlack"},
    {u"BLISTA6.ttf", u"blistabraille|18|0|0000|clBlack"},
    {u"CharisSIL-R.ttf", u"Charis SIL|18|0|0000|clBlack"},
};

}  // namespace

void StandardEinstellungenSetzen(TEinstellungen& settings, std::u16string_view exeFolder) {
    const std::u16string folder(exeFolder);
    const std::u16string sounds = folder + u"Sounds\\", tables = folder + u"Tabellen\\";
    settings = TEinstellungen{};
    settings.Schrifthintergrund = 1;
    settings.Schriftart = u"Arial|12|0|0000|clBlack";
    settings.MaxZeilenbreite = 0;
    settings.EinhandS = false;
    settings.SoundS = true;
    settings.EingabeAnsagen = TEingabeAnsagen::Zeichen;
    settings.SoundTippenFilename = sounds + u"tippen.wav";
    settings.SoundModusFilename = sounds + u"modus.wav";
    settings.SoundFalschFilename = sounds + u"falsch.wav";
    settings.SoundLautgruppeFilename = sounds + u"zeichenkombination.wav";
    settings.SoundEinhandFilename = sounds + u"einhand.wav";
    settings.SoundZeichenabschlussFilename = sounds + u"zeichenabschluss.wav";
    settings.SoundNeueTabelleFilename = sounds + u"neuetabelle.wav";
    settings.Tab1Filename = tables + u"Standard.tab";
    settings.Tab2Filename = tables + u"Brl2UniBrl.tab";
    for (int mode = 0; mode < 6; ++mode)
        SetModeFonts(settings.Fonts, mode, folder, kModeFontDefaults[mode].Files, kModeFontDefaults[mode].Spec);
}

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

bool IsTableLines(const std::vector<std::u16string>& lines) {
    return lines.size() >= 2 && IsTableTitle(lines.front());
}

std::u16string_view BareFilename(std::u16string_view path) {
    const size_t separator = path.find_last_of(u"\\/:");
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

bool IsTableFileName(std::u16string_view name) {
    return name.size() > 4 && SameText(name.substr(name.size() - 4), u".tab");
}

namespace {

// The ".tab" files directly in Folder; none when it cannot be listed.
std::vector<std::u16string> FindTableFiles(const std::u16string& folder) {
    std::vector<std::u16string> files;
    std::filesystem::directory_iterator entry;
    std::error_code error;
    try {
        entry = std::filesystem::directory_iterator(std::filesystem::path(folder), error);
    } catch (const std::exception&) {  // a folder name the file system cannot represent
        return files;
    }
    for (const std::filesystem::directory_iterator end; !error && entry != end; entry.increment(error)) {
        std::error_code typeError;
        if (!entry->is_regular_file(typeError)) continue;
        try {
            std::u16string name = entry->path().filename().u16string();
            if (IsTableFileName(name)) files.push_back(folder + name);
        } catch (const std::exception&) {  // a name without a UTF-16 form
        }
    }
    return files;
}

}  // namespace

std::vector<std::u16string> ListTableFiles(const std::u16string& folder) {
    std::vector<std::u16string> files = FindTableFiles(folder);
    std::sort(files.begin(), files.end(),
              [](const std::u16string& a, const std::u16string& b) { return LowerCase(a) < LowerCase(b); });
    files.erase(std::unique(files.begin(), files.end(), [](const auto& a, const auto& b) { return SameText(a, b); }),
                files.end());
    return files;
}

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
        if (!IsTableLines(lines)) continue;
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

void TTabellen::MoveTab(size_t from, size_t to) {
    const auto first = FTabs.begin();
    if (from > to)
        std::rotate(first + std::ptrdiff_t(to), first + std::ptrdiff_t(from), first + std::ptrdiff_t(from + 1));
    else
        std::rotate(first + std::ptrdiff_t(from), first + std::ptrdiff_t(from + 1), first + std::ptrdiff_t(to + 1));
}

std::u16string TTabellen::GetFilesString() const {
    std::u16string s;
    for (const auto& tab : FTabs) {
        if (!s.empty()) s += u'|';
        s.append(BareFilename(tab->Filename()));
    }
    return s;
}

void TTabellen::SetFilesString(std::u16string_view s) {
    const std::u16string current = FAktTabFilename;
    size_t next = 0;
    for (std::u16string_view field : Tokens(s)) {
        field = Trim(field);
        const int i = IndexOfFilename(field);
        if (field.empty() || i < 0 || next >= FTabs.size()) continue;
        MoveTab(size_t(i), next++);
    }
    if (FTabs.size() > kMaxTables) FTabs.resize(kMaxTables);
    SetAktTabFilename(current);
}

void TTabellen::Move(int index1, int index2) {
    if (!GetTabs(index1) || !GetTabs(index2) || index1 == index2) return;
    const std::u16string current = FAktTabFilename;
    MoveTab(size_t(index1), size_t(index2));
    SetAktTabFilename(current);
}

void TTabellen::Exchange(int index1, int index2) {
    if (!GetTabs(index1) || !GetTabs(index2) || index1 == index2) return;
    const std::u16string current = FAktTabFilename;
    std::swap(FTabs[size_t(index1)], FTabs[size_t(index2)]);
    SetAktTabFilename(current);
}

}  // namespace korvalin
