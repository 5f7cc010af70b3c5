#include "tables/TabPruefC.h"

#include "input/Translation.h"
#include "settings/DatenC.h"
#include "util/Errors.h"
#include "util/StringList.h"
#include "util/TextUtils.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace korvalin {

namespace {

namespace messages {

constexpr std::u16string_view Usage[] = {
    u"TabPruef prüft Tabellendateien (.tab) von Korvalin so, wie Korvalin sie liest.",
    u"Aufruf: TabPruef Datei.tab ... oder TabPruef Ordner ...",
    u"Für einen Ordner werden alle .tab-Dateien darin geprüft.",
    u"Jeder Befund steht in einer Zeile: Datei:Zeile: Meldung",
    u"Rückgabewert: 0 alles in Ordnung, 1 Befunde, 2 eine Datei konnte nicht gelesen werden.",
};

constexpr std::u16string_view Missing = u"Die Datei existiert nicht.";
constexpr std::u16string_view Unreadable = u"Die Datei konnte nicht gelesen werden.";
constexpr std::u16string_view RtfNeedsWindows = u"RTF-Dateien kann TabPruef nur unter Windows lesen.";
constexpr std::u16string_view EmptyFolder = u"Der Ordner enthält keine .tab-Datei.";
constexpr std::u16string_view Clean = u"in Ordnung, %d Einträge.";
constexpr std::u16string_view CleanOne = u"in Ordnung, 1 Eintrag.";

constexpr std::u16string_view NotListed = u" Korvalin führt die Datei nicht auf.";
constexpr std::u16string_view NotTabName = u"Der Dateiname endet nicht auf \".tab\".";
constexpr std::u16string_view EmptyFile =
    u"Die Datei ist leer. Eine Tabelle braucht eine Titelzeile und mindestens eine weitere Zeile.";
constexpr std::u16string_view OneLine =
    u"Die Datei hat nur eine Zeile. Nach der Titelzeile muss mindestens eine weitere Zeile folgen.";
constexpr std::u16string_view TitleHasEquals = u"Die erste Zeile enthält \"=\" und ist daher keine Titelzeile.";
constexpr std::u16string_view TitleTooShort =
    u"Die Titelzeile %s ist ohne Leerzeichen am Rand kürzer als 2 Zeichen.";
constexpr std::u16string_view BomNotUtf8 =
    u"Die Datei beginnt mit der UTF-8-Kennung, ist hier aber kein gültiges UTF-8; Korvalin liest sie deshalb als "
    u"ANSI-Text.";
constexpr std::u16string_view NulEndsText =
    u"Ein NUL-Zeichen beendet hier den Text; was danach folgt, liest Korvalin nicht.";
constexpr std::u16string_view NoEntries = u"Die Tabelle enthält keinen einzigen Eintrag.";

constexpr std::u16string_view NeverUsed = u"; der Eintrag wird nie verwendet.";
constexpr std::u16string_view NoEquals = u"Die Zeile enthält kein \"=\" und wird nie verwendet.";
constexpr std::u16string_view NoName = u"Vor dem \"=\" steht kein Name";
constexpr std::u16string_view NameHasBlanks = u"Der Name %s enthält Leerzeichen";
constexpr std::u16string_view MeantName = u" (gemeint ist wohl %s)";
constexpr std::u16string_view NameNoPattern = u"Der Name %s ist kein gültiges Punktmuster: %s";
constexpr std::u16string_view NameRepeated = u"Der Name %s steht schon in Zeile %d";
constexpr std::u16string_view BadValue = u"Der Wert %s ist ungültig: %s";
constexpr std::u16string_view ValueIs = u"Der Wert ";
constexpr std::u16string_view NoValue = u"Nach dem \"=\" steht kein Wert";
constexpr std::u16string_view ValueNoNumber = u"er enthält keine Zahl";
constexpr std::u16string_view ValueNotANumber = u"%s ist keine ganze Zahl";
constexpr std::u16string_view ValueNotACodePoint =
    u"%s ist kein Unicode-Zeichen (erlaubt sind 1 bis 1114111 außer 55296 bis 57343)";

constexpr std::u16string_view PatternEmptyCell = u"vor, nach oder zwischen \"|\" fehlt eine Zelle";
constexpr std::u16string_view PatternBadChar = u"erlaubt sind nur die Ziffern 1 bis 8 und \"|\" zwischen Zellen";
constexpr std::u16string_view PatternZero = u"\"0\" (die leere Zelle) darf nur allein stehen";
constexpr std::u16string_view PatternOrder = u"die Punkte einer Zelle müssen aufsteigend und ohne Wiederholung stehen";

}  // namespace messages

// Characters that a quoted name or value shows as <U+XXXX>: controls,
// invisible blanks and marks, unpaired surrogates.
bool IsInvisible(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || (c >= 0x2000 && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) || c == 0xFEFF || (c >= 0xD800 && c <= 0xDFFF);
}

// Text in double quotes, its invisible characters spelled out and a long
// text shortened.
std::u16string Quoted(std::u16string_view s) {
    constexpr size_t kLongest = 40;
    std::u16string out = u"\"";
    for (size_t i = 0; i < s.size() && i < kLongest; ++i) {
        const char16_t c = s[i];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF;
        if (pair) {
            out.append(s.substr(i++, 2));
        } else if (IsInvisible(c)) {
            static constexpr char16_t kHex[] = u"0123456789ABCDEF";
            out.append(u"<U+");
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
            out += u'>';
        } else {
            out += c;
        }
    }
    if (s.size() > kLongest) out += u'\u2026';
    out += u'"';
    return out;
}

bool IsBlank(char16_t c) { return c <= u' ' || c == 0xA0; }

// Line breaks as SplitLines counts them: CR LF, a lone CR, LF.
template <class Char>
int LineBreaks(std::basic_string_view<Char> s) {
    int breaks = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == Char('\r') && i + 1 < s.size() && s[i + 1] == Char('\n')) ++i;
        if (s[i] == Char('\r') || s[i] == Char('\n')) ++breaks;
    }
    return breaks;
}

int LineOfOffset(std::string_view bytes, size_t offset) {
    return 1 + LineBreaks(bytes.substr(0, std::min(offset, bytes.size())));
}

// Where strict UTF-8 first fails, or nullopt when the bytes are valid.
std::optional<size_t> FirstInvalidUtf8(std::string_view bytes) {
    TUtf8Reader reader;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (!reader.Feed(bytes.substr(i, 1))) return i;
    }
    if (!reader.Finish()) return bytes.size();
    return std::nullopt;
}

// The first line whose bytes the ANSI code page refuses; line 1 when no
// single line is refused.
int FirstAnsiRefusedLine(std::string_view bytes, const TTextCodecs& codecs) {
    if (!codecs.AnsiToText) return 1;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        if (end > start && !codecs.AnsiToText(bytes.substr(start, end - start))) return LineOfOffset(bytes, start);
        start = end + 1;
    }
    return 1;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The line at which the reader gave up on the bytes.
int DecodingFaultLine(std::string_view bytes, const TTextCodecs& codecs) {
    switch (DetectTextType(bytes)) {
    case fttUtf8Bom: {
        const std::string_view body = bytes.substr(kUtf8Bom.size());
        return LineOfOffset(body, FirstInvalidUtf8(body).value_or(0));
    }
    case fttAnsi:
    case fttUtf8:
        return FirstAnsiRefusedLine(bytes, codecs);
    default:
        return 1;
    }
}

void Add(TTableCheck& check, int line, std::u16string message) {
    check.Findings.push_back({line, std::move(message)});
}

std::u16string NeverUsedMessage(std::u16string message) { return message.append(messages::NeverUsed); }

std::u16string ValueFaultText(const TValueFault& fault) {
    switch (fault.Kind) {
    case TValueFault::NotANumber: return Format(messages::ValueNotANumber, {Quoted(fault.Number)});
    case TValueFault::NotACodePoint: return Format(messages::ValueNotACodePoint, {Quoted(fault.Number)});
    default: return std::u16string(messages::ValueNoNumber);
    }
}

// Whether the name of an entry is a key; when not, why (one finding).
bool CheckName(std::u16string_view name, int line, TTableCheck& check) {
    if (name.empty()) {
        Add(check, line, NeverUsedMessage(std::u16string(messages::NoName)));
        return false;
    }
    if (std::any_of(name.begin(), name.end(), IsBlank)) {
        std::u16string message = Format(messages::NameHasBlanks, {Quoted(name)});
        std::u16string meant;
        std::copy_if(name.begin(), name.end(), std::back_inserter(meant), [](char16_t c) { return !IsBlank(c); });
        if (!meant.empty() && DotPatternFault(meant).empty()) message.append(Format(messages::MeantName, {Quoted(meant)}));
        Add(check, line, NeverUsedMessage(std::move(message)));
        return false;
    }
    if (const std::u16string_view fault = DotPatternFault(name); !fault.empty()) {
        Add(check, line, NeverUsedMessage(Format(messages::NameNoPattern, {Quoted(name), fault})));
        return false;
    }
    return true;
}

bool IsFolder(const std::u16string& name) {
    try {
        std::error_code error;
        return std::filesystem::is_directory(std::filesystem::path(name), error);
    } catch (const std::exception&) {  // a name the file system cannot represent
        return false;
    }
}

std::u16string WithSeparator(std::u16string folder) {
    if (folder.empty() || (folder.back() != u'/' && folder.back() != u'\\')) {
#ifdef _WIN32
        folder += u'\\';
#else
        folder += u'/';
#endif
    }
    return folder;
}

}  // namespace

std::u16string_view DotPatternFault(std::u16string_view name) {
    if (name == u"0") return {};
    size_t start = 0;
    while (true) {
        const size_t end = std::min(name.find(u'|', start), name.size());
        const std::u16string_view cell = name.substr(start, end - start);
        if (cell.empty()) return messages::PatternEmptyCell;
        if (std::any_of(cell.begin(), cell.end(), [](char16_t c) { return c < u'0' || c > u'8'; }))
            return messages::PatternBadChar;
        if (cell.find(u'0') != std::u16string_view::npos) return messages::PatternZero;
        if (std::adjacent_find(cell.begin(), cell.end(), std::greater_equal<char16_t>()) != cell.end())
            return messages::PatternOrder;
        if (end == name.size()) return {};
        start = end + 1;
    }
}

void CheckTableEntries(const std::vector<std::u16string>& entries, int firstLine, TTableCheck& check) {
    const TStringList list(entries);  // as the table list holds them
    for (size_t i = 0; i < list.Count(); ++i) {
        const std::u16string_view entry = list[i];
        const int line = firstLine + int(i);
        if (Trim(entry).empty()) continue;  // a blank line is no entry meant
        const size_t separator = entry.find(u'=');
        if (separator == std::u16string_view::npos) {
            Add(check, line, std::u16string(messages::NoEquals));
            continue;
        }
        const std::u16string_view name = entry.substr(0, separator);
        bool usableS = CheckName(name, line, check);
        if (usableS) {
            const int first = list.IndexOfName(name);
            if (first != int(i)) {
                Add(check, line, NeverUsedMessage(Format(messages::NameRepeated, {Quoted(name), firstLine + first})));
                usableS = false;
            }
        }
        TValueFault fault;
        const std::u16string_view value = list.ValueFromIndex(i);
        if (!ValueToText(value, &fault)) {
            std::u16string message;
            if (Trim(value).empty())
                message = messages::NoValue;
            else if (Trim(value) == fault.Number)  // the value is that one number
                message = std::u16string(messages::ValueIs).append(ValueFaultText(fault));
            else
                message = Format(messages::BadValue, {Quoted(value), ValueFaultText(fault)});
            Add(check, line, NeverUsedMessage(std::move(message)));
            usableS = false;
        }
        if (usableS) ++check.UsableEntries;
    }
}

TTableCheck CheckTableBytes(std::string_view bytes, const std::u16string& filename, const TTextCodecs& codecs) {
    TTableCheck check;
    std::u16string text;
    try {
        text = TextFromFileBytes(bytes, filename, codecs);
    } catch (const EKorvalin& error) {
        if (DetectTextType(bytes) == fttRtf && !codecs.RtfToText) {
            check.Outcome = TTableCheckOutcome::Unreadable;
            Add(check, 0, std::u16string(messages::RtfNeedsWindows));
            return check;
        }
        Add(check, DecodingFaultLine(bytes, codecs), std::u16string(error.Message()).append(messages::NotListed));
        check.Outcome = TTableCheckOutcome::Findings;
        return check;
    }
    if (DetectTextType(bytes) == fttUtf8Bom) {
        const std::string_view body = bytes.substr(kUtf8Bom.size());
        if (const auto invalid = FirstInvalidUtf8(body))
            Add(check, LineOfOffset(body, *invalid), std::u16string(messages::BomNotUtf8));
    }
    if (const size_t nul = text.find(u'\0'); nul != std::u16string::npos) {
        const std::u16string_view rest = std::u16string_view(text).substr(nul);
        if (std::any_of(rest.begin(), rest.end(), [](char16_t c) { return c > u' '; }))
            Add(check, 1 + LineBreaks(std::u16string_view(text).substr(0, nul)), std::u16string(messages::NulEndsText));
    }

    const std::vector<std::u16string> lines = SplitLines(text);
    check.ListedS = IsTableLines(lines);
    const auto notListed = [&check](std::u16string_view message) {
        Add(check, 1, std::u16string(message).append(messages::NotListed));
    };
    if (lines.empty()) notListed(messages::EmptyFile);
    if (lines.size() == 1) notListed(messages::OneLine);
    if (!lines.empty() && !IsTableTitle(lines.front())) {
        if (lines.front().find(u'=') != std::u16string::npos)
            notListed(messages::TitleHasEquals);
        else
            notListed(Format(messages::TitleTooShort, {Quoted(lines.front())}));
    }
    if (lines.size() >= 2) {
        const size_t before = check.Findings.size();
        CheckTableEntries(std::vector<std::u16string>(lines.begin() + 1, lines.end()), 2, check);
        if (check.ListedS && check.UsableEntries == 0 && check.Findings.size() == before)
            Add(check, 2, std::u16string(messages::NoEntries));
    }
    std::stable_sort(check.Findings.begin(), check.Findings.end(),
                     [](const TTableFinding& a, const TTableFinding& b) { return a.Line < b.Line; });
    check.Outcome = check.Findings.empty() ? TTableCheckOutcome::Clean : TTableCheckOutcome::Findings;
    return check;
}

TTableCheck CheckTableFile(const std::u16string& filename, const TTextCodecs& codecs) {
    const std::optional<std::string> bytes = ReadTextFileBytes(filename);
    if (!bytes) {
        TTableCheck check;
        check.Outcome = TTableCheckOutcome::Unreadable;
        Add(check, 0, std::u16string(FileExists(filename) ? messages::Unreadable : messages::Missing));
        return check;
    }
    TTableCheck check = CheckTableBytes(*bytes, filename, codecs);
    if (check.Outcome != TTableCheckOutcome::Unreadable && !IsTableFileName(BareFilename(filename))) {
        check.Findings.insert(check.Findings.begin(),
                              TTableFinding{0, std::u16string(messages::NotTabName).append(messages::NotListed)});
        check.ListedS = false;
        check.Outcome = TTableCheckOutcome::Findings;
    }
    return check;
}

std::vector<std::u16string> ReportLines(std::u16string_view file, const TTableCheck& check) {
    std::vector<std::u16string> lines;
    for (const TTableFinding& finding : check.Findings) {
        if (finding.Line > 0)
            lines.push_back(Format(u"%s:%d: %s", {file, finding.Line, finding.Message}));
        else
            lines.push_back(Format(u"%s: %s", {file, finding.Message}));
    }
    if (lines.empty()) {
        const std::u16string clean =
            check.UsableEntries == 1 ? std::u16string(messages::CleanOne) : Format(messages::Clean, {check.UsableEntries});
        lines.push_back(Format(u"%s: %s", {file, clean}));
    }
    return lines;
}

int RunTabPruef(const std::vector<std::u16string>& args, const TTextCodecs& codecs,
                const std::function<void(std::u16string_view line)>& output) {
    const bool helpS = args.size() == 1 && (args[0] == u"-h" || args[0] == u"--help" || args[0] == u"/?" || args[0] == u"-?");
    if (args.empty() || helpS) {
        for (const std::u16string_view line : messages::Usage) output(line);
        return helpS ? 0 : 2;
    }
    int exitCode = 0;
    const auto report = [&](const std::u16string& file) {
        const TTableCheck check = CheckTableFile(file, codecs);
        for (const std::u16string& line : ReportLines(file, check)) output(line);
        const int code = check.Outcome == TTableCheckOutcome::Unreadable ? 2
                         : check.Outcome == TTableCheckOutcome::Findings ? 1
                                                                          : 0;
        exitCode = std::max(exitCode, code);
    };
    for (const std::u16string& arg : args) {
        if (!IsFolder(arg)) {
            report(arg);
            continue;
        }
        const std::vector<std::u16string> files = ListTableFiles(WithSeparator(arg));
        if (files.empty()) {
            output(Format(u"%s: %s", {arg, messages::EmptyFolder}));
            exitCode = std::max(exitCode, 1);
        }
        for (const std::u16string& file : files) report(file);
    }
    return exitCode;
}

std::optional<std::u16string> Windows1252ToText(std::string_view bytes) {
    // 0x80 to 0x9F; the five bytes without a character stand for themselves,
    // as Windows decodes them.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : char16_t(b);
    }
    return text;
}

}  // namespace korvalin
