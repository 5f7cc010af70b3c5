#include "util/TextUtils.h"

#include "util/Errors.h"

namespace korvalin {

EKorvalin::EKorvalin(std::u16string message)
    : std::runtime_error(U16ToUtf8(message)), FMessage(std::move(message)) {}

std::u16string ErrorMessage(const std::exception& error) {
    const auto* own = dynamic_cast<const EKorvalin*>(&error);
    return own ? own->Message() : Utf8ToU16(error.what());
}

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && s.front() <= u' ') s.remove_prefix(1);
    while (!s.empty() && s.back() <= u' ') s.remove_suffix(1);
    return s;
}

char16_t LowerCaseChar(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return char16_t(c + 32);
    if (c >= 0x400 && c <= 0x40F) return char16_t(c + 80);
    if (c == 0x178) return 0xFF;
    const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) return char16_t(c + 1);
    return c;
}

std::u16string LowerCase(std::u16string_view s) {
    std::u16string result(s);
    for (char16_t& c : result) c = LowerCaseChar(c);
    return result;
}

bool SameText(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerCaseChar(a[i]) != LowerCaseChar(b[i])) return false;
    return true;
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
    text = text.substr(0, text.find(u'\0'));
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == u'\r' && start < text.size() && text[start] == u'\n') ++start;
    }
    return lines;
}

std::string U16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::u16string Utf8ToU16(std::string_view s) {
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xC2 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF5 ? 3 : -1;
        bool ok = extra >= 0 && i + size_t(extra) < s.size();
        char32_t cp = extra <= 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + size_t(k)]);
            ok = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!ok || cp < kSmallest[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        i += size_t(extra) + 1;
        if (cp >= 0x10000) {
            out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

std::u16string WithoutAmpersand(std::u16string_view caption) {
    std::u16string text;
    for (const char16_t c : caption)
        if (c != u'&') text.push_back(c);
    return text;
}

std::u16string IntToStr(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Format(std::u16string_view fmt, std::initializer_list<TFormatArg> args) {
    std::u16string out;
    auto next = args.begin();
    for (size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != u'%' || i + 1 == fmt.size()) {
            out += fmt[i];
            continue;
        }
        const char16_t spec = fmt[++i];
        if (spec == u'%') {
            out += u'%';
        } else if ((spec == u's' || spec == u'd') && next != args.end()) {
            if (const auto* text = std::get_if<std::u16string_view>(&*next)) out += *text;
            else out += IntToStr(std::get<std::int64_t>(*next));
            ++next;
        } else {
            out += u'%';
            out += spec;
        }
    }
    return out;
}

std::u16string_view ExtractFilePath(std::u16string_view path) {
    const size_t delimiter = path.find_last_of(u"\\/:");
    return delimiter == std::u16string_view::npos ? std::u16string_view() : path.substr(0, delimiter + 1);
}

std::u16string_view ExtractFileName(std::u16string_view path) { return path.substr(ExtractFilePath(path).size()); }

}  // namespace korvalin
