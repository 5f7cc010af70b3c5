// Reading whole files and writing them so that a failure never destroys
// the last good copy.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace korvalin {

// The file's bytes; throws EKorvalin with the system's error text.
std::string ReadFileBytes(const std::u16string& filename);

// Writes through Write into a temporary file beside Filename, flushes it and
// only then puts it in Filename's place. Write throws on failure; then the
// temporary file is removed and an existing file stays as it was. A failure
// of the last step leaves the old file in place or, where the system has
// already taken it away, the new content under the temporary name, which
// the error text then names. Throws EKorvalin with the system's reason.
void WriteFileSafely(const std::u16string& filename, const std::function<void(HANDLE file)>& Write);

// Writes all bytes to an open file; throws EKorvalin on failure.
void WriteAll(HANDLE file, const void* data, size_t size);

}  // namespace korvalin
