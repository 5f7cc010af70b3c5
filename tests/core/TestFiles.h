// A temporary folder for tests that read real files; removed afterwards.
#pragma once

#include "settings/DatenC.h"
#include "tables/TextFile.h"
#include "util/TextUtils.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace korvalin::testing {

class TTempFolder {
public:
    TTempFolder() {
        std::random_device seed;
        FPath = std::filesystem::temp_directory_path() / ("korvalin-test-" + std::to_string(seed()));
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder() {
        std::error_code error;
        std::filesystem::remove_all(FPath, error);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder as the program names folders: ending in a separator.
    std::u16string Folder() const { return FPath.u16string() + u"/"; }

    std::u16string Write(const std::string& name, std::string_view bytes) const {
        std::filesystem::create_directories((FPath / name).parent_path());
        std::ofstream(FPath / name, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return (FPath / name).u16string();
    }

private:
    std::filesystem::path FPath;
};

// Windows-1252 is the code page the Windows tests run with; its upper half
// agrees with Latin-1 for the letters the tests use.
inline TTextCodecs Latin1Codecs() {
    TTextCodecs codecs;
    codecs.AnsiToText = [](std::string_view bytes) -> std::optional<std::u16string> {
        std::u16string text;
        for (const char c : bytes) text += char16_t(static_cast<unsigned char>(c));
        return text;
    };
    return codecs;
}

// The shipped tables, read by the program's own table reader.
inline TTabellen ShippedTables() {
    TTabellen tabellen(Utf8ToU16(KORVALIN_DATA_DIR "/"));
    tabellen.Load(Latin1Codecs());
    return tabellen;
}

}  // namespace korvalin::testing
