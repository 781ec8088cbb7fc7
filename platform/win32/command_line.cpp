// The command line that RunProgram hands to CreateProcessW: a program's full path in quotes.
#include "platform/win32/command_line.h"

#include <cstddef>
#include <optional>

#include "platform/text.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "C:\..." or "C:/...", or a UNC path "\\server\share\...".
bool StartsWithFullPath(std::string_view line)
{
    bool driveLetter = line.size() >= 3 && AsciiLower(line[0]) >= 'a' && AsciiLower(line[0]) <= 'z' &&
                       line[1] == ':' && IsSeparator(line[2]);
    return driveLetter || line.starts_with("\\\\");
}

bool EndsWithProgramExtension(std::string_view name)
{
    if (name.size() < 4) {
        return false;
    }
    std::string extension;
    for (char c : name.substr(name.size() - 4)) {
        extension += AsciiLower(c);
    }
    return extension == ".exe" || extension == ".com" || extension == ".bat" || extension == ".cmd";
}

// The length of the program at the line's start: up to the first blank or the end that follows a
// program extension; none when there is no such place. UTF-8 never has ASCII bytes inside a
// multi-byte character, so a byte scan finds blanks and extensions.
std::optional<std::size_t> ProgramLength(std::string_view line)
{
    for (std::size_t end = 0; end <= line.size(); ++end) {
        if ((end == line.size() || IsBlank(line[end])) && EndsWithProgramExtension(line.substr(0, end))) {
            return end;
        }
    }
    return std::nullopt;
}

}  // namespace

// CreateProcessW takes a quoted first token as the whole program name instead of trying each
// blank-separated prefix in turn (CreateProcessW, lpApplicationName). A batch file Windows runs
// through "cmd.exe /c" with the whole line in quotes once more; cmd.exe, seeing more than two
// quotes, drops only the outermost pair and so keeps ours, even around parentheses and '&'
// (cmd /?, on /C).
std::string ProgramCommandLine(std::string_view commandLine)
{
    std::optional<std::size_t> length = StartsWithFullPath(commandLine) ? ProgramLength(commandLine) : std::nullopt;
    if (!length) {
        return std::string(commandLine);
    }
    return JoinText({"\"", commandLine.substr(0, *length), "\"", commandLine.substr(*length)});
}
