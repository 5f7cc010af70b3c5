#include "util/ShellPaths.h"

#include "util/TextUtils.h"

namespace korvalin {

std::u16string QuoteIfBlank(std::u16string_view text) {
    if (text.find(u' ') == std::u16string_view::npos) return std::u16string(text);
    std::u16string quoted(1, u'"');
    for (const char16_t c : text) {
        if (c == u'"') quoted += u'"';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

bool IsAbsoluteFolder(std::u16string_view folder) {
    const auto slash = [](char16_t c) { return c == u'\\' || c == u'/'; };
    if (folder.size() >= 3 && slash(folder[0]) && slash(folder[1]) && !slash(folder[2])) return true;
    if (folder.size() < 3) return false;
    const char16_t drive = folder[0];
    return ((drive >= u'A' && drive <= u'Z') || (drive >= u'a' && drive <= u'z')) && folder[1] == u':' &&
           slash(folder[2]);
}

std::vector<std::u16string> SplitFolderList(std::u16string_view list) {
    std::vector<std::u16string> folders;
    while (true) {
        const size_t end = list.find(u';');
        std::u16string_view folder = Trim(list.substr(0, end));
        if (folder.size() >= 2 && folder.front() == u'"' && folder.back() == u'"')
            folder = Trim(folder.substr(1, folder.size() - 2));
        if (!folder.empty()) folders.emplace_back(folder);
        if (end == std::u16string_view::npos) break;
        list.remove_prefix(end + 1);
    }
    return folders;
}

std::u16string WithTrailingDelimiter(std::u16string_view folder) {
    std::u16string result(folder);
    if (!result.empty() && result.back() != u'\\' && result.back() != u'/' && result.back() != u':') result += u'\\';
    return result;
}

std::u16string SearchFileInFolders(std::u16string_view name, const std::vector<std::u16string>& folders,
                                   const TFileExistsFn& fileExists) {
    for (const std::u16string& folder : folders) {
        if (!IsAbsoluteFolder(folder)) continue;
        std::u16string path = WithTrailingDelimiter(folder).append(name);
        if (fileExists(path)) return path;
    }
    return {};
}

std::u16string NotepadPath(std::u16string_view systemRoot, std::u16string_view pathList,
                           const TFileExistsFn& fileExists) {
    if (IsAbsoluteFolder(systemRoot)) {
        std::u16string path = WithTrailingDelimiter(systemRoot).append(u"System32\\notepad.exe");
        if (fileExists(path)) return path;
    }
    return SearchFileInFolders(u"notepad.exe", SplitFolderList(pathList), fileExists);
}

std::u16string WordPadPath(std::u16string_view programFiles, std::u16string_view programFilesDir,
                           std::u16string_view pathList, const TFileExistsFn& fileExists) {
    if (IsAbsoluteFolder(programFiles)) {
        std::u16string path = WithTrailingDelimiter(programFiles).append(u"Windows NT\\Accessories\\wordpad.exe");
        if (fileExists(path)) return path;
    }
    std::vector<std::u16string> folders{u"c:\\Program Files (x86)\\Windows Nt\\Accessories\\"};
    for (std::u16string& folder : SplitFolderList(pathList)) folders.push_back(std::move(folder));
    if (!programFilesDir.empty()) {
        const std::u16string p = WithTrailingDelimiter(programFilesDir);
        for (const std::u16string_view sub : {u"Windows Nt\\Zubehör\\", u"Windows Nt\\Accessories\\", u"Zubehör\\"})
            folders.push_back(std::u16string(p).append(sub));
    }
    return SearchFileInFolders(u"WordPad.exe", folders, fileExists);
}

std::vector<std::u16string> TextFileWindowCaptions(std::u16string_view name) {
    std::vector<std::u16string> captions;
    captions.push_back(std::u16string(name).append(u" - WordPad"));
    captions.push_back(std::u16string(name).append(u" - Editor"));
    captions.push_back(std::u16string(u"*").append(name).append(u" - Editor"));
    return captions;
}

}  // namespace korvalin
