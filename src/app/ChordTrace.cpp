#include "app/ChordTrace.h"

#include <cstdio>
#include <iterator>

namespace korvalin {

namespace {

std::int64_t Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

}  // namespace

TChordTrace::TChordTrace() {
    wchar_t name[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"KORVALIN_CHORD_TRACE", name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    FFile = CreateFileW(name, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    QueryPerformanceFrequency(&FFrequency);
}

TChordTrace::~TChordTrace() {
    if (FFile != INVALID_HANDLE_VALUE) CloseHandle(FFile);
}

void TChordTrace::Posted() noexcept {
    if (FFile == INVALID_HANDLE_VALUE) return;
    if (FCount == std::size(FPosted)) return;  // nobody handles them: stop counting
    FPosted[(FFirst + FCount++) % std::size(FPosted)] = Now();
}

void TChordTrace::Handled(int keys) noexcept {
    if (FFile == INVALID_HANDLE_VALUE || FCount == 0) return;
    const std::int64_t ticks = Now() - FPosted[FFirst];
    FFirst = (FFirst + 1) % std::size(FPosted);
    --FCount;
    char line[64];
    const int size = std::snprintf(line, sizeof(line), "%d %lld\r\n", keys,
                                   static_cast<long long>(ticks * 1000000 / FFrequency.QuadPart));
    DWORD written = 0;
    WriteFile(FFile, line, DWORD(size), &written, nullptr);
}

}  // namespace korvalin
