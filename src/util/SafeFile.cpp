#include "util/SafeFile.h"

#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/SafeFileRules.h"
#include "util/TextUtils.h"
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

// A name in Folder that no file has yet; the system makes an empty file of
// that name to reserve it.
std::u16string UniqueFileName(const std::u16string& folder) {
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(WStr(folder), L"krv", 0, name)) RaiseLastError();
    return U16(name);
}

DWORD LastErrorOf(BOOL done) { return done ? 0 : GetLastError(); }

class TWin32PlaceFiles : public TPlaceFiles {
public:
    bool Exists(const std::u16string& name) override {
        return GetFileAttributesW(WStr(name)) != INVALID_FILE_ATTRIBUTES;
    }
    // ReplaceFileW keeps the old file's attributes.
    std::uint32_t Replace(const std::u16string& target, const std::u16string& replacement,
                          const std::u16string& backup) override {
        return LastErrorOf(ReplaceFileW(WStr(target), WStr(replacement), WStr(backup), REPLACEFILE_IGNORE_MERGE_ERRORS,
                                        nullptr, nullptr));
    }
    std::uint32_t Move(const std::u16string& from, const std::u16string& to) override {
        return LastErrorOf(MoveFileExW(WStr(from), WStr(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }
    std::uint32_t Remove(const std::u16string& name) override { return LastErrorOf(DeleteFileW(WStr(name))); }
};

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
    const std::u16string folder = FolderOf(filename);
    const std::u16string temporary = UniqueFileName(folder);
    // The old file passes through a name of its own, so that a replace that
    // fails half-way never leaves it under a name nobody knows.
    std::u16string backup;
    try {
        {
            THandle file(CreateFileW(WStr(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                     nullptr));
            if (!file.Valid()) RaiseLastError();
            Write(file.Get());
            if (!FlushFileBuffers(file.Get())) RaiseLastError();
        }
        backup = UniqueFileName(folder);
    } catch (...) {
        DeleteFileW(WStr(temporary));
        throw;
    }
    DeleteFileW(WStr(backup));
    TWin32PlaceFiles files;
    const TPlaceResult placed = PlaceWrittenFile(files, filename, temporary, backup);
    if (placed.Error == 0) return;
    std::u16string message = SysErrorMessage(placed.Error);
    if (!placed.KeptFile.empty()) message.append(u"\r\n").append(Format(texts::SavedContentKeptIn, {placed.KeptFile}));
    throw EKorvalin(message);
}

}  // namespace korvalin
