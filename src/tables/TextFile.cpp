#include "tables/TextFile.h"

#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>

namespace korvalin {

bool TUtf8Reader::Feed(std::string_view block, std::u16string* out) {
    for (size_t i = 0; i < block.size() && FValid; ++i) {
        const unsigned char b = static_cast<unsigned char>(block[i]);
        if (FPending > 0) {
            FValid = b >= 0x80 && b <= 0xBF;
            FCodePoint = (FCodePoint << 6) | (b & 0x3F);
            if (!FValid || --FPending > 0) continue;
            FValid = FCodePoint >= FSmallest && (FCodePoint < 0xD800 || FCodePoint > 0xDFFF) && FCodePoint < 0x110000;
            if (!FValid || !out) continue;
            if (FCodePoint < 0x10000) {
                out->push_back(char16_t(FCodePoint));
            } else {
                out->push_back(char16_t(0xD800 + ((FCodePoint - 0x10000) >> 10)));
                out->push_back(char16_t(0xDC00 + ((FCodePoint - 0x10000) & 0x3FF)));
            }
        } else if (b < 0x80) {
            if (out) out->push_back(char16_t(b));
        } else if (b >= 0xC2 && b <= 0xDF) {
            FPending = 1, FCodePoint = b & 0x1F, FSmallest = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            FPending = 2, FCodePoint = b & 0x0F, FSmallest = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            FPending = 3, FCodePoint = b & 0x07, FSmallest = 0x10000;
        } else {
            FValid = false;
        }
    }
    return FValid;
}

namespace {

constexpr std::string_view kRtfStart = "{\\rt";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// The rules that look at the first TextSampleSize bytes only. Gives fttUtf8
// when the sample holds a byte of 0x80 or above and no earlier rule decided:
// the file is then fttUtf8 if the whole of it is valid UTF-8, else fttAnsi.
TFileTextType SampleTextType(std::string_view sample) {
    sample = sample.substr(0, TextSampleSize);
    if (sample.empty()) return fttAnsi;
    if (sample.starts_with(kRtfStart)) return fttRtf;
    if (sample.starts_with(kUtf8Bom)) return fttUtf8Bom;
    if (sample.starts_with(kUtf16LeBom) || sample.starts_with(kUtf16BeBom)) return fttUnicode;

    size_t zeros = 0, evenZeros = 0;
    bool highByte = false;
    for (size_t i = 0; i < sample.size(); ++i) {
        if (sample[i] == '\0') {
            ++zeros;
            if (i % 2 == 0) ++evenZeros;
        }
        highByte = highByte || static_cast<unsigned char>(sample[i]) >= 0x80;
    }
    const size_t oddZeros = zeros - evenZeros;
    const size_t mostlyOneSide = 7 * zeros / 10;
    if (sample.size() >= 32 && zeros > sample.size() / 10 && (evenZeros > mostlyOneSide || oddZeros > mostlyOneSide))
        return fttUnicode;
    return highByte ? fttUtf8 : fttAnsi;
}

std::optional<std::filesystem::path> PathOf(const std::u16string& filename) {
    try {
        return std::filesystem::path(filename);
    } catch (const std::exception&) {  // a name the file system cannot represent
        return std::nullopt;
    }
}

// Opens a regular file for reading and tells its size at that moment.
bool OpenFile(const std::u16string& filename, std::ifstream& stream, std::uintmax_t& size) {
    const auto path = PathOf(filename);
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(*path, error)) return false;
    size = std::filesystem::file_size(*path, error);
    if (error) return false;
    stream.open(*path, std::ios::binary);
    return stream.is_open();
}

// Reads exactly count bytes into block; false when the file gives fewer.
bool ReadBlock(std::ifstream& stream, std::string& block, size_t count) {
    block.resize(count);
    stream.read(block.data(), std::streamsize(count));
    return stream.gcount() == std::streamsize(count);
}

std::optional<std::u16string> StrictUtf8(std::string_view bytes) {
    std::u16string text;
    TUtf8Reader reader;
    reader.Feed(bytes, &text);
    if (!reader.Finish()) return std::nullopt;
    return text;
}

std::optional<std::u16string> AnsiDecoded(std::string_view bytes, const TTextCodecs& codecs) {
    if (bytes.empty()) return std::u16string();
    if (!codecs.AnsiToText) return std::nullopt;
    return codecs.AnsiToText(bytes);
}

std::u16string AnsiText(std::string_view bytes, const TTextCodecs& codecs) {
    std::optional<std::u16string> text = AnsiDecoded(bytes, codecs);
    if (!text) throw EKorvalin(std::u16string(texts::AnsiUnreadable));
    return std::move(*text);
}

std::u16string Utf8OrAnsiText(std::string_view bytes, const TTextCodecs& codecs) {
    std::optional<std::u16string> text = StrictUtf8(bytes);
    if (!text) text = AnsiDecoded(bytes, codecs);
    if (!text) throw EKorvalin(std::u16string(texts::NeitherUtf8NorAnsi) + std::u16string(texts::AnsiUnreadable));
    return std::move(*text);
}

// Big-endian after the mark FE FF, little-endian otherwise; an odd last byte
// holds no whole character and is ignored.
std::u16string Utf16Text(std::string_view bytes) {
    const bool bigEndian = bytes.starts_with(kUtf16BeBom);
    if (bigEndian || bytes.starts_with(kUtf16LeBom)) bytes.remove_prefix(2);
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    return text;
}

std::u16string RtfText(const std::u16string& filename, const TTextCodecs& codecs) {
    std::optional<std::u16string> text;
    if (codecs.RtfToText) text = codecs.RtfToText(filename);
    if (!text) throw EKorvalin(std::u16string(texts::RtfUnreadable));
    return std::move(*text);
}

}  // namespace

TFileTextType DetectTextType(std::string_view bytes) {
    const TFileTextType type = SampleTextType(bytes);
    if (type != fttUtf8) return type;
    TUtf8Reader reader;
    reader.Feed(bytes);
    return reader.Finish() ? fttUtf8 : fttAnsi;
}

TFileTextType GetFileTextType(const std::u16string& filename) {
    std::ifstream stream;
    std::uintmax_t remaining = 0;
    if (!OpenFile(filename, stream, remaining)) return fttUnknown;
    std::string block;
    size_t count = size_t(std::min<std::uintmax_t>(remaining, TextSampleSize));
    if (!ReadBlock(stream, block, count)) return fttUnknown;
    const TFileTextType type = SampleTextType(block);
    if (type != fttUtf8) return type;

    TUtf8Reader reader;
    while (reader.Feed(block) && (remaining -= count) > 0) {
        count = size_t(std::min<std::uintmax_t>(remaining, TextSampleSize));
        if (!ReadBlock(stream, block, count)) return fttUnknown;
    }
    return reader.Finish() ? fttUtf8 : fttAnsi;
}

std::u16string TextFromFileBytes(std::string_view bytes, const std::u16string& filename, const TTextCodecs& codecs) {
    switch (DetectTextType(bytes)) {
    case fttUnicode:
        return Utf16Text(bytes);
    case fttRtf:
        return RtfText(filename, codecs);
    case fttUtf8:  // the detection has found the whole of it valid
        return Utf8OrAnsiText(bytes, codecs);
    case fttUtf8Bom:
        return Utf8OrAnsiText(bytes.substr(kUtf8Bom.size()), codecs);
    default:
        return AnsiText(bytes, codecs);
    }
}

std::optional<std::string> ReadTextFileBytes(const std::u16string& filename) {
    std::ifstream stream;
    std::uintmax_t size = 0;
    if (!OpenFile(filename, stream, size)) return std::nullopt;
    std::string bytes;
    if (size > bytes.max_size() || size > std::uintmax_t(std::numeric_limits<std::streamsize>::max()))
        return std::nullopt;
    try {
        if (!ReadBlock(stream, bytes, size_t(size))) return std::nullopt;
    } catch (const std::bad_alloc&) {  // larger than this process can hold
        return std::nullopt;
    }
    return bytes;
}

std::u16string LoadTextFile(const std::u16string& filename, const TTextCodecs& codecs) {
    const std::optional<std::string> bytes = ReadTextFileBytes(filename);
    if (!bytes) throw EKorvalin(std::u16string(texts::FileTextTypeUnknown));
    return TextFromFileBytes(*bytes, filename, codecs);
}

bool FileExists(const std::u16string& filename) {
    const auto path = PathOf(filename);
    std::error_code error;
    return path && std::filesystem::exists(*path, error) && !std::filesystem::is_directory(*path, error);
}

std::string TextToFileBytes(std::u16string_view text, TFileTextType kind,
                            const std::function<std::string(std::u16string_view)>& TextToAnsi) {
    switch (kind) {
    case fttUnicode: {
        std::string bytes = "\xFF\xFE";
        bytes.reserve(2 + text.size() * 2);
        for (const char16_t unit : text) {
            bytes.push_back(char(unit & 0xFF));
            bytes.push_back(char(unit >> 8));
        }
        return bytes;
    }
    case fttUtf8: return U16ToUtf8(text);
    case fttUtf8Bom: return std::string("\xEF\xBB\xBF").append(U16ToUtf8(text));
    default: return TextToAnsi(text);
    }
}

}  // namespace korvalin
