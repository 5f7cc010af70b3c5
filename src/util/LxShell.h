// Shell and system-folder helpers of the Windows build: starting a program
// or document through the shell, the Program Files, special and temporary
// folders, and showing a text file in WordPad or Notepad.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korvalin {

// The full path of the running executable.
std::u16string ExeFilename();

// One call of the shell (ShellExecuteExW, without the shell's own error
// box); empty strings are passed as absent. True when the shell reports a
// start; otherwise Error, if given, gets the system's error code.
bool ShellStart(HWND owner, std::u16string_view file, std::u16string_view parameters, int showCommand,
                std::u16string_view verb, std::u16string_view folder, DWORD* error = nullptr);

// The value of an environment variable, empty when it is not set.
std::u16string EnvironmentVariable(std::u16string_view name);

// True for a 32-bit process on 64-bit Windows; false where the system has
// no IsWow64Process. Throws EKorvalin when the call fails.
bool IsWindows64Bit();

// "ProgramFilesDir" of HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion (the
// 64-bit view on 64-bit Windows) with a trailing backslash; empty when the
// key cannot be opened.
std::u16string GetProgramFilesDir();

// The path of a shell folder (a CSIDL) with a trailing backslash; empty on
// failure.
std::u16string GetSpecialFolder(int csidl);

// The system's folder for temporary files, ending in a backslash; empty on
// failure.
std::u16string GetTempFolder();

// The installed WordPad and Notepad, each empty when missing; only absolute
// folders are searched.
std::u16string FindWordPad();
std::u16string FindNotepad();

// A top-level window that already shows the file named Name: in WordPad,
// in Notepad, or in Notepad with unsaved changes; nullptr when none does.
HWND FindTextFileWindow(std::u16string_view name);

// Shows a text file: brings a window that shows it to the front, or opens it
// in WordPad, else Notepad, else its default program. False only when the
// file does not exist.
bool ShowTextFile(const std::u16string& filename);

}  // namespace korvalin
