// The hand-over between two instances of the program: the command-line
// parameters, the request record that a second start leaves in the registry,
// the one command a request gives, and the text of a WM_COPYDATA payload.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

// The parameter string: every parameter trimmed, empty ones left out, joined
// by "|".
std::u16string GetParametersString(std::span<const std::u16string> parameters);
// The same for a string whose "|" separates the parameters.
std::u16string GetParametersString(std::u16string_view s);
// The non-empty, trimmed fields of the parameter string.
std::vector<std::u16string> GetParametersArray(std::span<const std::u16string> parameters);
std::vector<std::u16string> GetParametersArray(std::u16string_view s);

// A request to the running instance; an empty field is absent.
struct TRegistrySettings {
    std::u16string Parameters;  // "ProgramParameters": a parameter string to open
    std::u16string SetFocus;    // "ProgramSetFocus": come to the front
    std::u16string Close;       // "ProgramClose": close the program

    void SetData(std::u16string_view AParameters, std::u16string_view ASetFocus, std::u16string_view AClose);
    bool Empty() const { return Parameters.empty() && SetFocus.empty() && Close.empty(); }

    // Only Parameters set: to AParameters, or when that is empty to the
    // program's own parameter string.
    static TRegistrySettings rsParameters(std::u16string_view AParameters, std::u16string_view AProgramParameters = {});
    // Only SetFocus set: to ASetFocus, or "1" when that is empty.
    static TRegistrySettings rsSetFocus(std::u16string_view ASetFocus = {});
    // Only Close set: to AClose, or "1" when that is empty.
    static TRegistrySettings rsClose(std::u16string_view AClose = {});

    bool operator==(const TRegistrySettings&) const = default;
};

inline constexpr std::u16string_view kRegistryValueParameters = u"ProgramParameters";
inline constexpr std::u16string_view kRegistryValueSetFocus = u"ProgramSetFocus";
inline constexpr std::u16string_view kRegistryValueClose = u"ProgramClose";

// The key under HKEY_CURRENT_USER for an application name: the name without
// a leading "\".
std::u16string RegistryKeyName(std::u16string_view appName);

enum class TRegistryCommandKind { None, Parameters, SetFocus, Close };

struct TRegistryCommand {
    TRegistryCommandKind Kind = TRegistryCommandKind::None;
    std::u16string Parameters;  // for a parameters command
    bool operator==(const TRegistryCommand&) const = default;
};

// The one command a request gives: its parameters before coming to the front
// before closing; the others of the same request are dropped.
TRegistryCommand ChooseRegistryCommand(const TRegistrySettings& request);

// UTF-16 text of a buffer of ByteCount bytes (a WM_COPYDATA payload or a
// registry string): it ends at the first NUL or at the end of the buffer,
// whichever comes first; an odd last byte is ignored. Never reads past
// ByteCount bytes.
std::u16string Utf16FromBytes(const void* data, std::size_t byteCount);

}  // namespace korvalin
