#include "settings/RegistrySettings.h"

#include "util/TextUtils.h"

#include <cstring>

namespace korvalin {

std::vector<std::u16string> GetParametersArray(std::u16string_view s) {
    std::vector<std::u16string> fields;
    for (;;) {
        const size_t bar = s.find(u'|');
        const std::u16string_view field = Trim(s.substr(0, bar));
        if (!field.empty()) fields.emplace_back(field);
        if (bar == std::u16string_view::npos) return fields;
        s.remove_prefix(bar + 1);
    }
}

std::u16string GetParametersString(std::u16string_view s) {
    std::u16string joined;
    for (const std::u16string& field : GetParametersArray(s)) {
        if (!joined.empty()) joined += u'|';
        joined += field;
    }
    return joined;
}

std::u16string GetParametersString(std::span<const std::u16string> parameters) {
    std::u16string joined;
    for (const std::u16string& parameter : parameters) {
        const std::u16string_view kept = Trim(parameter);
        if (kept.empty()) continue;
        if (!joined.empty()) joined += u'|';
        joined += kept;
    }
    return joined;
}

std::vector<std::u16string> GetParametersArray(std::span<const std::u16string> parameters) {
    return GetParametersArray(GetParametersString(parameters));
}

void TRegistrySettings::SetData(std::u16string_view AParameters, std::u16string_view ASetFocus,
                                std::u16string_view AClose) {
    Parameters = AParameters;
    SetFocus = ASetFocus;
    Close = AClose;
}

TRegistrySettings TRegistrySettings::rsParameters(std::u16string_view AParameters,
                                                  std::u16string_view AProgramParameters) {
    TRegistrySettings request;
    request.Parameters = AParameters.empty() ? AProgramParameters : AParameters;
    return request;
}

TRegistrySettings TRegistrySettings::rsSetFocus(std::u16string_view ASetFocus) {
    TRegistrySettings request;
    request.SetFocus = ASetFocus.empty() ? u"1" : ASetFocus;
    return request;
}

TRegistrySettings TRegistrySettings::rsClose(std::u16string_view AClose) {
    TRegistrySettings request;
    request.Close = AClose.empty() ? u"1" : AClose;
    return request;
}

std::u16string RegistryKeyName(std::u16string_view appName) {
    if (appName.starts_with(u'\\')) appName.remove_prefix(1);
    return std::u16string(appName);
}

TRegistryCommand ChooseRegistryCommand(const TRegistrySettings& request) {
    if (!request.Parameters.empty()) return {TRegistryCommandKind::Parameters, request.Parameters};
    if (!request.SetFocus.empty()) return {TRegistryCommandKind::SetFocus, {}};
    if (!request.Close.empty()) return {TRegistryCommandKind::Close, {}};
    return {};
}

std::u16string Utf16FromBytes(const void* data, std::size_t byteCount) {
    std::u16string text;
    if (!data) return text;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t offset = 0; offset + 1 < byteCount; offset += 2) {
        char16_t unit;
        std::memcpy(&unit, bytes + offset, sizeof(unit));  // the payload need not be aligned
        if (unit == 0) break;
        text += unit;
    }
    return text;
}

}  // namespace korvalin
