// TabPruef: checks table files from the command line with the program's own
// table reader. Everything but reading the arguments and writing the report
// lives in the core (tables/TabPruefC).
#include "tables/TabPruefC.h"
#include "util/TextUtils.h"

#include <string>
#include <vector>

#ifdef _WIN32

#include "tables/SystemCodecs.h"
#include "util/Win32Text.h"

#include <algorithm>

namespace {

using namespace korvalin;

// The console does not expand wildcards: a "*" or "?" in the last part of an
// argument gives the files it matches, in the order of the folder scan; an
// argument that matches nothing stays as it is and is reported missing.
void AddExpanded(const std::u16string& arg, std::vector<std::u16string>& args) {
    const std::u16string_view name = ExtractFileName(arg);
    if (name.find_first_of(u"*?") == std::u16string_view::npos) {
        args.push_back(arg);
        return;
    }
    const std::u16string folder(ExtractFilePath(arg));
    std::vector<std::u16string> found;
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW(WStr(arg), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found.push_back(folder + U16(data.cFileName));
        } while (FindNextFileW(search, &data));
        FindClose(search);
    }
    std::sort(found.begin(), found.end(),
              [](const std::u16string& a, const std::u16string& b) { return LowerCase(a) < LowerCase(b); });
    if (found.empty()) found.push_back(arg);
    args.insert(args.end(), found.begin(), found.end());
}

// Unicode to a console through WriteConsoleW, UTF-8 to a file or pipe.
void WriteLine(std::u16string_view line) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    std::u16string text(line);
    text.append(u"\r\n");
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, text.data(), DWORD(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = U16ToUtf8(text);
    WriteFile(out, bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) AddExpanded(U16(argv[i]), args);
    return RunTabPruef(args, SystemTextCodecs(), WriteLine);
}

#else

#include <cstdio>

int main(int argc, char** argv) {
    using namespace korvalin;
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8ToU16(argv[i]));
    TTextCodecs codecs;
    codecs.AnsiToText = Windows1252ToText;
    const int code = RunTabPruef(args, codecs, [](std::u16string_view line) {
        const std::string bytes = U16ToUtf8(line) + '\n';
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    });
    std::fflush(stdout);
    return code;
}

#endif
