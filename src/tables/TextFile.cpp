#include "tables/TextFile.h"

#include "app/ResConst.h"
#include "util/Errors.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace korvalin {

namespace {

std::filesystem::path PathOf(const std::u16string& filename) { return std::filesystem::path(filename); }

bool HasPrefix(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

// Every rule but the whole-file UTF-8 check, which IsUtf8 answers.
template <typename WholeFileIsUtf8>
TFileTextType DetectFromSample(std::string_view sample, WholeFileIsUtf8 isUtf8) {
    if (sample.empty()) return fttAnsi;
    if (sample.size() >= 4 && HasPrefix(sample, "{\\rt")) return fttRtf;
    if (HasPrefix(sample, "\xEF\xBB\xBF")) return fttUtf8Bom;
    if (HasPrefix(sample, "\xFF\xFE") || HasPrefix(sample, "\xFE\xFF")) return fttUnicode;
    std::size_t zeros = 0, zerosEven = 0, zerosOdd = 0;
    bool highByte = false;
    for (std::size_t i = 0; i < sample.size(); ++i) {
        const auto byte = static_cast<unsigned char>(sample[i]);
        if (byte == 0) {
            ++zeros;
            ++(i % 2 == 0 ? zerosEven : zerosOdd);
        }
        highByte = highByte || byte >= 0x80;
    }
    if (sample.size() >= 32 && zeros > sample.size() / 10 && (zerosEven > 7 * zeros / 10 || zerosOdd > 7 * zeros / 10))
        return fttUnicode;
    if (highByte && isUtf8()) return fttUtf8;
    return fttAnsi;
}

bool ReadWholeFile(const std::u16string& filename, std::string& bytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(PathOf(filename), error)) return false;
    std::ifstream file(PathOf(filename), std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

std::optional<std::u16string> DecodeUtf8(std::string_view bytes) {
    TUtf8Reader reader;
    std::u16string text;
    if (!reader.Feed(bytes, &text) || !reader.Finish()) return std::nullopt;
    return text;
}

std::u16string DecodeUtf16(std::string_view bytes) {
    const bool bigEndian = HasPrefix(bytes, "\xFE\xFF");
    if (bigEndian || HasPrefix(bytes, "\xFF\xFE")) bytes.remove_prefix(2);
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {  // an odd last byte is no character
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        text += bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    return text;
}

std::u16string DecodeAnsi(std::string_view bytes, const TTextCodecs& codecs) {
    std::optional<std::u16string> text;
    if (codecs.AnsiToText) text = codecs.AnsiToText(bytes);
    if (!text) throw EKorvalin(std::u16string(texts::AnsiUnreadable));
    return *text;
}

}  // namespace

bool TUtf8Reader::Feed(std::string_view block, std::u16string* out) {
    for (const char c : block) {
        if (!FValid) return false;
        const auto byte = static_cast<unsigned char>(c);
        if (FPending == 0) {
            if (byte < 0x80) {
                if (out) *out += char16_t(byte);
                continue;
            }
            if (byte >= 0xC2 && byte <= 0xDF) FPending = 1, FCodePoint = byte & 0x1F, FSmallest = 0x80;
            else if (byte >= 0xE0 && byte <= 0xEF) FPending = 2, FCodePoint = byte & 0x0F, FSmallest = 0x800;
            else if (byte >= 0xF0 && byte <= 0xF4) FPending = 3, FCodePoint = byte & 0x07, FSmallest = 0x10000;
            else FValid = false;
            continue;
        }
        if ((byte & 0xC0) != 0x80) {
            FValid = false;
            continue;
        }
        FCodePoint = FCodePoint << 6 | (byte & 0x3F);
        if (--FPending > 0) continue;
        if (FCodePoint < FSmallest || (FCodePoint >= 0xD800 && FCodePoint <= 0xDFFF) || FCodePoint >= 0x110000) {
            FValid = false;
            continue;
        }
        if (!out) continue;
        if (FCodePoint >= 0x10000) {
            *out += char16_t(0xD800 + ((FCodePoint - 0x10000) >> 10));
            *out += char16_t(0xDC00 + ((FCodePoint - 0x10000) & 0x3FF));
        } else {
            *out += char16_t(FCodePoint);
        }
    }
    return FValid;
}

TFileTextType DetectTextType(std::string_view bytes) {
    return DetectFromSample(bytes.substr(0, TextSampleSize), [&] { return DecodeUtf8(bytes).has_value(); });
}

TFileTextType GetFileTextType(const std::u16string& filename) {
    try {
        std::error_code error;
        if (!std::filesystem::is_regular_file(PathOf(filename), error)) return fttUnknown;
        std::ifstream file(PathOf(filename), std::ios::binary);
        if (!file) return fttUnknown;
        std::string block(TextSampleSize, '\0');
        file.read(block.data(), std::streamsize(block.size()));
        if (file.bad()) return fttUnknown;
        block.resize(std::size_t(file.gcount()));
        const std::string sample = block;
        bool readFailed = false;
        const TFileTextType type = DetectFromSample(sample, [&] {
            TUtf8Reader reader;
            bool valid = reader.Feed(sample);
            while (valid && !file.eof()) {
                block.resize(TextSampleSize);
                file.read(block.data(), std::streamsize(TextSampleSize));
                if (file.bad()) {
                    readFailed = true;
                    return false;
                }
                block.resize(std::size_t(file.gcount()));
                valid = reader.Feed(block);
            }
            return valid && reader.Finish();
        });
        return readFailed ? fttUnknown : type;
    } catch (...) {
        return fttUnknown;
    }
}

std::u16string TextFromFileBytes(std::string_view bytes, const std::u16string& filename, const TTextCodecs& codecs) {
    switch (DetectTextType(bytes)) {
    case fttAnsi:
        return DecodeAnsi(bytes, codecs);
    case fttUnicode:
        return DecodeUtf16(bytes);
    case fttRtf: {
        std::optional<std::u16string> text;
        if (codecs.RtfToText) text = codecs.RtfToText(filename);
        if (!text) throw EKorvalin(std::u16string(texts::RtfUnreadable));
        return *text;
    }
    case fttUtf8:
        if (auto text = DecodeUtf8(bytes)) return *text;
        break;  // cannot happen: the detection checked the whole file
    case fttUtf8Bom: {
        const std::string_view body = bytes.substr(3);
        if (auto text = DecodeUtf8(body)) return *text;
        try {
            return DecodeAnsi(body, codecs);
        } catch (const EKorvalin& error) {
            throw EKorvalin(std::u16string(texts::NeitherUtf8NorAnsi) + error.Message());
        }
    }
    case fttUnknown:
        break;
    }
    throw EKorvalin(std::u16string(texts::FileTextTypeUnknown));
}

std::u16string LoadTextFile(const std::u16string& filename, const TTextCodecs& codecs) {
    std::string bytes;
    if (!ReadWholeFile(filename, bytes)) throw EKorvalin(std::u16string(texts::FileTextTypeUnknown));
    return TextFromFileBytes(bytes, filename, codecs);
}

bool FileExists(const std::u16string& filename) {
    std::error_code error;
    return std::filesystem::is_regular_file(PathOf(filename), error);
}

}  // namespace korvalin
