#include "util/LxRtfRef.h"

#include "util/Errors.h"
#include "util/Win32Text.h"

#include <richedit.h>

namespace korvalin {

namespace {

DWORD CALLBACK ReadFromFile(DWORD_PTR file, LPBYTE buffer, LONG wanted, LONG* got) {
    DWORD read = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(file), buffer, DWORD(wanted), &read, nullptr)) return 1;
    *got = LONG(read);
    return 0;
}

}  // namespace

TRtfRef::THiddenWindow::THiddenWindow()
    : FHandle(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                              nullptr)) {
    if (!FHandle) throw EKorvalin(SysErrorMessage(GetLastError()));
}

TRtfRef::TRtfRef() {
    TCreateArgs args;
    args.Parent = FParentWnd.Handle();
    args.Style = WS_CHILD | ES_MULTILINE;
    args.X = args.Y = args.Width = args.Height = 0;
    FRich.Create(args);
    FRich.SetMaxLength(0x7FFFFFFF);
}

TRtfRef::~TRtfRef() = default;

bool TRtfRef::LoadRtfFile(const std::u16string& filename) {
    const HANDLE file = CreateFileW(WStr(filename), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, ReadFromFile};
    FRich.Send(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);
    return stream.dwError == 0;
}

}  // namespace korvalin
