// Reading what the companion scripts that change packages declare they change.
#include "core/script_changes.h"

#include <algorithm>
#include <optional>

#include "platform/files.h"
#include "platform/system.h"
#include "platform/text.h"

namespace {

// The scripts started by the program's buttons that change packages. Only their records are
// read as package changes; no other name in a log, however it looks, counts as one of them.
constexpr std::string_view kPackageScripts[] = {"goolgle_abl", "goolgle_dis", "hwread_IN", "hwread_UN", "hw_rec"};

// A script's own file is small; anything larger is not one of them.
constexpr std::size_t kLargestScript = 64 * 1024;

// The value assigned to the variable on the line starting at 'at', without its quotes, and where
// the assignment ends; none when the line assigns another variable. A shell value in double quotes
// may go on over the next lines up to its closing quote.
struct Assignment {
    std::string_view value;
    std::size_t end;
};

std::optional<Assignment> AssignmentAt(std::string_view text, std::size_t at, std::string_view name)
{
    std::size_t lineEnd = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, lineEnd - at);
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    bool batch = line.starts_with("set ");
    if (batch) {
        line.remove_prefix(4);
    }
    bool quoted = line.starts_with('"');
    line.remove_prefix(quoted ? 1 : 0);
    if (!line.starts_with(name) || !line.substr(name.size()).starts_with('=')) {
        return std::nullopt;
    }
    std::size_t valueStart = static_cast<std::size_t>(line.data() - text.data()) + name.size() + 1;
    if (!batch && !quoted && text.substr(valueStart).starts_with('"')) {
        std::size_t close = text.find('"', valueStart + 1);
        std::size_t end = close == std::string_view::npos ? text.size() : close;
        return Assignment{text.substr(valueStart + 1, end - valueStart - 1), std::min(end + 1, text.size())};
    }
    std::string_view value = text.substr(valueStart, lineEnd - valueStart);
    value = value.substr(0, value.find_last_not_of(" \t\r\"") + 1);
    return Assignment{value, lineEnd};
}

// Every word the variable is given, in order; a batch line that refers to the variable itself adds
// to what it held.
std::vector<std::string_view> VariableWords(std::string_view text, std::string_view name)
{
    const std::string itself = JoinText({"%", name, "%"});
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < text.size();) {
        std::optional<Assignment> assignment = AssignmentAt(text, at, name);
        if (!assignment) {
            at = std::min(text.find('\n', at), text.size()) + 1;
            continue;
        }
        std::vector<std::string_view> assigned = SplitWords(assignment->value);
        if (std::find(assigned.begin(), assigned.end(), itself) == assigned.end()) {
            words.clear();
        }
        std::copy_if(assigned.begin(), assigned.end(), std::back_inserter(words),
                     [&itself](std::string_view word) { return word != itself; });
        at = assignment->end + 1;
    }
    return words;
}

}  // namespace

std::vector<PhoneChange> DeclaredChanges(std::string_view scriptText)
{
    std::vector<std::string_view> change = VariableWords(scriptText, "change");
    std::vector<PhoneChange> changes;
    for (std::string_view package : VariableWords(scriptText, "packages")) {
        std::string command = "adb shell";
        for (std::string_view word : change) {
            command += JoinText({" ", word});
        }
        std::optional<PhoneChange> made = ChangeOf(JoinText({command, " ", package}));
        if (change.empty() || !made || made->package != package) {
            return {};
        }
        changes.push_back(std::move(*made));
    }
    return changes;
}

ScriptChanges ReadScriptChanges()
{
    ScriptChanges changes;
    for (std::string_view stem : kPackageScripts) {
        std::string name = ScriptFileName(stem);
        FileTail file = ReadFileTail(JoinPath(ProgramDirectory(), name), kLargestScript);
        std::string_view text(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size());
        if (std::vector<PhoneChange> declared = DeclaredChanges(text); !file.cut && !declared.empty()) {
            changes.emplace(std::move(name), std::move(declared));
        }
    }
    return changes;
}
