// Files that the program keeps for itself (the operation log): appending, rotating, reading the
// newest part, removing, and the user's own folder for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

// Appends text to a text file in one write, creating the file (not its folder) when missing.
// Writers in other processes appending at the same time never interleave inside one call's text,
// and what is written belongs to the system at once: a crash of the program loses none of it. An
// empty file gets the header first (a byte-order mark). A file that holds more than the header and
// does not end in a line feed ends in a line left unfinished: by a write that the disk had room
// for only part of, or by other hands. That line gets the unfinished mark and a CR LF first (a
// lone CR only the LF it lacks), so that it is not taken for a whole one and the text always
// starts a line of its own. Programs appending and rotating take turns for this; one that keeps
// the turn too long is not waited for. False when the text was not written in full: not at all,
// or cut short, when the disk is full.
bool AppendToTextFile(std::string_view path, std::string_view text, std::string_view header,
                      std::string_view unfinishedMark);

// For the backends. What AppendToTextFile writes to a file of that size whose last byte is
// lastByte; and taking the turn that appending and rotating programs share, by tryOnce until it
// succeeds or a short while has passed (false then).
std::string TextToAppend(std::uint64_t size, char lastByte, std::string_view text, std::string_view header,
                         std::string_view unfinishedMark);
bool TakeTurn(const std::function<bool()>& tryOnce);

// When the file has grown past limit bytes, renames it to rotatedPath, replacing what is there.
// The size is read and the rename made on the one opened file in the appenders' turn, so that two
// programs rotating at once never move a file that the other has just begun. A rotated file that
// a reader holds open (sharing delete, as this program's readers do) is replaced all the same; the
// reader goes on reading what it opened. Nothing happens to a smaller, missing or busy file.
void RotateFile(std::string_view path, std::string_view rotatedPath, std::uint64_t limit);

// When a regular file was last written, in the system's own units: only for comparing two files.
// Nothing when there is no regular file at the path.
std::optional<std::int64_t> LastWriteTime(std::string_view path);

// At most the last maxBytes bytes of a regular file, read while others may append to it.
struct FileTail {
    Bytes bytes;              // empty when the file is missing, empty or unreadable
    bool cut = false;         // the file holds more before these bytes
    std::uint64_t start = 0;  // where the bytes start in the file
    // A file is there but could not be opened or read (another program holds it locked, no
    // access); a folder or anything else that is not a regular file counts as no file.
    bool unreadable = false;
};
FileTail ReadFileTail(std::string_view path, std::size_t maxBytes);

// Removes the file; true when none is left at the path (also when there was none).
bool RemoveFile(std::string_view path);

// Makes the folder and any missing folders above it; true when it exists afterwards.
bool MakeFolder(std::string_view path);

// This user's folder for the program's own files, not created here: "Pellucor" in the local
// application-data folder on Windows, "pellucor" in $XDG_STATE_HOME (or ~/.local/state) on
// POSIX systems. Empty when the system names none.
std::string UserStateDirectory();
