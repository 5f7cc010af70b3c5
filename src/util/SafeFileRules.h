// The last step of a safe write: putting the written temporary file in the
// target's place. The system's file operations come through TPlaceFiles, so
// that every way this step can fail is decided here, without a disk.
#pragma once

#include <cstdint>
#include <string>

namespace korvalin {

// The system's error codes of a failed replace.
inline constexpr std::uint32_t kErrorUnableToRemoveReplaced = 1175;
inline constexpr std::uint32_t kErrorUnableToMoveReplacement = 1176;
inline constexpr std::uint32_t kErrorUnableToMoveReplacement2 = 1177;

// The file operations of the last step; each gives 0 or the system's error code.
class TPlaceFiles {
public:
    virtual ~TPlaceFiles() = default;
    virtual bool Exists(const std::u16string& name) = 0;
    // Puts Replacement in Target's place; the old Target becomes Backup.
    virtual std::uint32_t Replace(const std::u16string& target, const std::u16string& replacement,
                                  const std::u16string& backup) = 0;
    // Renames From to To, replacing an existing To.
    virtual std::uint32_t Move(const std::u16string& from, const std::u16string& to) = 0;
    virtual std::uint32_t Remove(const std::u16string& name) = 0;
};

struct TPlaceResult {
    std::uint32_t Error = 0;  // 0: the new content is in the target's place
    // After a failure that left no file under the target's name: the file
    // that still holds the content (the new one if it is there); else empty.
    std::u16string KeptFile;
};

// Puts the complete Temporary in Target's place, the old file passing
// through Backup (a name not in use). Whatever fails, one complete copy
// stays: the old file under Target's name (Temporary is then removed), or
// the content under the name KeptFile gives.
TPlaceResult PlaceWrittenFile(TPlaceFiles& files, const std::u16string& target, const std::u16string& temporary,
                              const std::u16string& backup);

}  // namespace korvalin
