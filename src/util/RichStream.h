// A rich edit's content in and out as RTF or plain text.
#pragma once

#include "util/Wnd.h"

#include <string>
#include <string_view>

namespace korvalin {

// The whole content as the control's RTF writer gives it.
std::string RichToRtf(const TRichEdit& edit);
// Writes the whole content as RTF into an open file; throws EKorvalin with
// the system's reason when a write fails.
void RichToRtfFile(const TRichEdit& edit, HANDLE file);
// Replaces the content by RTF; false when the control's reader rejects it.
bool RichFromRtf(TRichEdit& edit, std::string_view rtf);

// Replaces the content by a document file's bytes: RTF when the bytes are
// RTF and the reader takes them, otherwise plain text in the encoding its
// byte order mark names (UTF-16 LE or BE, UTF-8) or the ANSI code page.
// Throws EKorvalin ("Stream konnte nicht geladen werden") when neither works.
void LoadDocumentBytes(TRichEdit& edit, std::string_view bytes);

}  // namespace korvalin
