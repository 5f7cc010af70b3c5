#include "app/DokumentArt.h"

#include "util/TextUtils.h"

namespace korvalin {

int SaveFilterIndex(TDocumentKind kind) { return kind == TDocumentKind::Brf ? 2 : kind == TDocumentKind::Pef ? 3 : 1; }

TDocumentKind SaveKindOf(std::u16string_view filename, int filterIndex) {
    if (const TDocumentKind kind = DocumentKindOf(filename); kind != TDocumentKind::Rtf) return kind;
    const std::u16string_view name = ExtractFileName(filename);
    if (name.size() >= 4 && SameText(name.substr(name.size() - 4), u".rtf")) return TDocumentKind::Rtf;
    return filterIndex == 2 ? TDocumentKind::Brf : filterIndex == 3 ? TDocumentKind::Pef : TDocumentKind::Rtf;
}

}  // namespace korvalin
