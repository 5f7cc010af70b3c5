// The text file reader: recognises how a text file is encoded (ANSI, UTF-16,
// RTF, UTF-8 with or without byte order mark) and reads it as UTF-16 text.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvalin {

// The numbering also selects the encoding of the text writer.
enum TFileTextType {
    fttUnknown = 0,  // missing or unreadable
    fttAnsi = 1,
    fttUnicode = 2,  // UTF-16
    fttRtf = 3,
    fttUtf8 = 4,     // without byte order mark
    fttUtf8Bom = 5,  // with byte order mark
};

// What the reader needs from the system. A missing codec makes that kind of
// file fail to load.
struct TTextCodecs {
    // Decodes bytes with the system's ANSI code page; nullopt when it cannot.
    std::function<std::optional<std::u16string>(std::string_view bytes)> AnsiToText;
    // Plain text of an RTF file; nullopt when it cannot be read.
    std::function<std::optional<std::u16string>(const std::u16string& filename)> RtfToText;
};

// The detection looks at this many bytes from the start of a file.
inline constexpr std::size_t TextSampleSize = 65536;

// Strict UTF-8, fed block by block: a sequence may be split between blocks.
// Rejects stray continuation bytes, overlong forms, surrogates and code
// points above U+10FFFF; a sequence still open at the end is invalid.
class TUtf8Reader {
public:
    // Consumes the next block and appends its text to out unless out is
    // null. False once anything read so far is invalid.
    bool Feed(std::string_view block, std::u16string* out = nullptr);
    // True when everything fed is valid UTF-8 and no sequence is left open.
    bool Finish() const { return FValid && FPending == 0; }

private:
    bool FValid = true;
    int FPending = 0;  // continuation bytes still expected
    char32_t FCodePoint = 0;
    char32_t FSmallest = 0;  // smallest code point the open sequence may encode
};

// The detection over the bytes of a whole file held in memory; never
// fttUnknown. Gives what GetFileTextType gives for a file of these bytes.
TFileTextType DetectTextType(std::string_view bytes);

// Never fails: a missing or unreadable file gives fttUnknown.
TFileTextType GetFileTextType(const std::u16string& filename);

// Detects the type of a file's bytes and decodes them; throws EKorvalin with
// the message to show. Filename is passed on to the RTF reader only.
std::u16string TextFromFileBytes(std::string_view bytes, const std::u16string& filename, const TTextCodecs& codecs);

// All bytes of a regular file as the text reader takes them; nullopt when it
// is missing or cannot be read whole.
std::optional<std::string> ReadTextFileBytes(const std::u16string& filename);

// The whole text of a file: ReadTextFileBytes and TextFromFileBytes; throws
// EKorvalin with the message to show.
std::u16string LoadTextFile(const std::u16string& filename, const TTextCodecs& codecs);

// The bytes the text writer puts into a file of a kind other than RTF:
// fttUnicode FF FE and UTF-16 LE, fttUtf8 UTF-8, fttUtf8Bom EF BB BF and
// UTF-8, any other kind TextToAnsi's bytes (the system's ANSI code page).
std::string TextToFileBytes(std::u16string_view text, TFileTextType kind,
                            const std::function<std::string(std::u16string_view)>& TextToAnsi);

// True for an existing file, false for a folder or a missing name.
bool FileExists(const std::u16string& filename);

}  // namespace korvalin
