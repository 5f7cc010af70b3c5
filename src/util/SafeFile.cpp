#include "util/SafeFile.h"

#include "util/Errors.h"
#include "util/Win32Text.h"

#include <algorithm>
#include <climits>

namespace korvalin {

namespace {

[[noreturn]] void RaiseLastError() { throw EKorvalin(SysErrorMessage(GetLastError())); }

class THandle {
public:
    explicit THandle(HANDLE handle) : FHandle(handle) {}
    ~THandle() { Close(); }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    HANDLE Get() const { return FHandle; }
    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
    void Close() {
        if (Valid()) CloseHandle(FHandle);
        FHandle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE FHandle;
};

std::u16string FolderOf(const std::u16string& filename) {
    const size_t slash = filename.find_last_of(u"\\/:");
    if (slash == std::u16string::npos) return u".";
    return filename.substr(0, slash + 1);
}

}  // namespace

std::string ReadFileBytes(const std::u16string& filename) {
    THandle file(CreateFileW(WStr(filename), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) RaiseLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) RaiseLastError();
    if (size.QuadPart > LONGLONG(INT_MAX)) throw EKorvalin(u"Die Datei ist zu groß.");
    std::string bytes(size_t(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, DWORD(bytes.size() - done), &read, nullptr)) RaiseLastError();
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

void WriteAll(HANDLE file, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<size_t>(size, 1u << 20));
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) RaiseLastError();
        bytes += written;
        size -= written;
    }
}

void WriteFileSafely(const std::u16string& filename, const std::function<void(HANDLE file)>& Write) {
    wchar_t temporary[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(WStr(FolderOf(filename)), L"krv", 0, temporary)) RaiseLastError();
    try {
        THandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) RaiseLastError();
        Write(file.Get());
        if (!FlushFileBuffers(file.Get())) RaiseLastError();
        file.Close();
        const bool exists = GetFileAttributesW(WStr(filename)) != INVALID_FILE_ATTRIBUTES;
        // ReplaceFileW keeps the old file's attributes; a new file is moved.
        const BOOL placed = exists ? ReplaceFileW(WStr(filename), temporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                                  nullptr, nullptr)
                                   : MoveFileExW(temporary, WStr(filename), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!placed) RaiseLastError();
    } catch (...) {
        DeleteFileW(temporary);
        throw;
    }
}

}  // namespace korvalin
