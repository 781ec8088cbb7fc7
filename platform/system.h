// Operating-system services: the program's directory, paths, files, the OS family, fatal errors.
#pragma once

#include <string>
#include <string_view>

#include "platform/text.h"

// Start-up, before anything else: takes the program's directory and makes it the current
// directory, so that bare names in command lines (adb, the companion scripts) are found there
// first; on Windows it also readies COM on this thread for the shell's "open" verb.
void InitialisePlatform();

// The directory that holds the program file, without a trailing separator ("C:" at a drive root).
std::string ProgramDirectory();

// directory + the system's separator + name ("C:" + "databank.ini" gives "C:\databank.ini").
std::string JoinPath(std::string_view directory, std::string_view name);

// A companion script's file name from its stem: ".bat" on Windows, ".sh" elsewhere.
std::string ScriptFileName(std::string_view stem);

// 1 Win32s, 2 Windows 95 family, 3 NT family, 0 other (every POSIX system reports 3).
int OsClass();

// What others may do with a file while it is read.
enum class FileSharing {
    DenyWriters,  // others may only read; the read fails while a writer has the file open
    Shared,       // others may read, write and delete: the file is read as it stands
};

// What became of reading a whole file.
enum class FileReading {
    Read,
    Missing,     // nothing at the path, or the path is empty
    Unreadable,  // something is there that cannot be read to its end: a folder, a file others hold, a read error
};

struct FileContents {
    FileReading reading = FileReading::Missing;
    Bytes bytes;  // the whole file when read, else empty
};

// The whole file, or why there is none. POSIX systems have no share modes: there every file is
// read as it stands.
FileContents ReadFileContents(std::string_view path, FileSharing sharing);

// The whole file; empty when it cannot be read.
inline Bytes ReadWholeFile(std::string_view path, FileSharing sharing)
{
    return ReadFileContents(path, sharing).bytes;
}

// Shows "运行时出错!\r\n" + detail in a message box and ends the program with exit code -1,
// without running the exit routine.
[[noreturn]] void FatalError(std::string_view detail);

// The routine the platform runs once when the program ends normally.
void SetExitRoutine(void (*routine)());
void RunExitRoutine();
