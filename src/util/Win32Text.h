// UTF-16 text between the portable core (std::u16string) and the Win32 API
// (wchar_t, also 16 bits on Windows).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korvalin {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* WStr(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::u16string U16(const wchar_t* s) { return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string(); }
inline std::u16string U16(const wchar_t* s, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(s), length);
}

// The system's text for an error code, without the trailing line break.
std::u16string SysErrorMessage(DWORD code);

}  // namespace korvalin
