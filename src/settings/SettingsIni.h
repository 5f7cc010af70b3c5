// The settings file on Windows: the system's profile functions behind the
// profile interface, and the file's place in the application-data folder.
#pragma once

#include "settings/SettingsFile.h"

#include <string>
#include <string_view>
#include <utility>

namespace korvalin {

// One INI file read and written through GetPrivateProfileStringW and
// WritePrivateProfileStringW; a file the system creates anew is in the ANSI
// code page.
class TIniProfile : public TProfile {
public:
    explicit TIniProfile(std::u16string filename) : FFilename(std::move(filename)) {}

    std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view def) override;
    // Throws EKorvalin naming the file and the system's error.
    void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) override;

    const std::u16string& Filename() const { return FFilename; }

private:
    std::u16string FFilename;
};

// The user's application-data folder with a trailing backslash; empty when
// the shell does not know it.
std::u16string AppDataFolder();

// The program's settings file, computed on first use from the application-data
// folder and the executable's name.
const std::u16string& IniFilename();
// Points the program at another settings file (tests).
void SetIniFilename(std::u16string filename);

// Creates the folder of the settings file with all missing parents; a
// failure is ignored.
void CreateIniFolder();
// Clears the attributes of an existing file so that a read-only file can be
// written or deleted.
void ClearFileAttributes(const std::u16string& filename);

}  // namespace korvalin
