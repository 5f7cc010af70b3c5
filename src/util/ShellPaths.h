// Portable rules for starting other programs: quoting a command-line
// argument and finding a program along a list of folders.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

// Text in double quotes, every double quote inside doubled, when it holds a
// blank; otherwise unchanged.
std::u16string QuoteIfBlank(std::u16string_view text);

// A drive path ("C:\..." or "C:/...") or a network path ("\\server\...").
// A bare name, ".", "..\x", "\x" and "C:x" are relative to a current folder
// and do not count.
bool IsAbsoluteFolder(std::u16string_view folder);

// The folders of a list separated by ";", each without surrounding blanks
// and double quotes; empty entries are dropped.
std::vector<std::u16string> SplitFolderList(std::u16string_view list);

// Folder followed by "\" unless it already ends in "\", "/" or ":".
std::u16string WithTrailingDelimiter(std::u16string_view folder);

using TFileExistsFn = std::function<bool(const std::u16string& path)>;

// The first existing Name in the absolute folders among Folders, in order;
// empty when there is none. Relative folders are skipped, and the name is
// never looked up on its own: a program file planted in whatever folder is
// current (a document folder, say) must not be started in place of the
// system's own.
std::u16string SearchFileInFolders(std::u16string_view name, const std::vector<std::u16string>& folders,
                                   const TFileExistsFn& fileExists);

// Notepad: SystemRoot + "System32\notepad.exe" when SystemRoot is absolute
// and the file exists, else the first "notepad.exe" in the absolute folders
// of PathList; empty when there is none.
std::u16string NotepadPath(std::u16string_view systemRoot, std::u16string_view pathList,
                           const TFileExistsFn& fileExists);

// WordPad: ProgramFiles + "Windows NT\Accessories\wordpad.exe", else
// "WordPad.exe" in "c:\Program Files (x86)\Windows Nt\Accessories\", the
// folders of PathList, and the "Windows Nt\Zubehör\", "Windows
// Nt\Accessories\" and "Zubehör\" folders of ProgramFilesDir; absolute
// folders only; empty when there is none.
std::u16string WordPadPath(std::u16string_view programFiles, std::u16string_view programFilesDir,
                           std::u16string_view pathList, const TFileExistsFn& fileExists);

// The captions of a window that already shows a file named Name, in the
// order they are looked for: WordPad, Notepad, Notepad with unsaved changes.
std::vector<std::u16string> TextFileWindowCaptions(std::u16string_view name);

}  // namespace korvalin
