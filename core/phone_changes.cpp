// The program's package and setting commands: what each changes, the answer that confirms it, and
// the way back.
#include "core/phone_changes.h"

#include <algorithm>

#include "core/runner.h"
#include "platform/text.h"

namespace {

using Kind = PhoneChange::Kind;
using Words = std::vector<std::string_view>;

bool IsWordOf(std::string_view word, std::string_view allowedPunctuation)
{
    auto allowed = [allowedPunctuation](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               allowedPunctuation.find(c) != std::string_view::npos;
    };
    return !word.empty() && std::all_of(word.begin(), word.end(), allowed);
}

bool IsPackageName(std::string_view word) { return IsWordOf(word, "._"); }
bool IsSettingKey(std::string_view word) { return IsWordOf(word, "._-"); }
bool IsNamespace(std::string_view word) { return word == "system" || word == "secure" || word == "global"; }

bool StartsWith(const Words& words, std::initializer_list<std::string_view> start)
{
    return words.size() >= start.size() && std::equal(start.begin(), start.end(), words.begin());
}

std::optional<PhoneChange> PackageChangeOf(const Words& words)
{
    struct Form {
        Kind kind;
        std::initializer_list<std::string_view> words;  // the command before the package name
    };
    static const Form kForms[] = {
        {Kind::Uninstall, {"adb", "shell", "pm", "uninstall", "--user", "0"}},
        {Kind::Restore, {"adb", "shell", "pm", "install-existing", "--user", "0"}},
        {Kind::Disable, {"adb", "shell", "pm", "disable-user"}},
        {Kind::Enable, {"adb", "shell", "pm", "enable"}},
    };
    for (const Form& form : kForms) {
        if (words.size() == form.words.size() + 1 && StartsWith(words, form.words) && IsPackageName(words.back())) {
            PhoneChange change;
            change.kind = form.kind;
            change.package = words.back();
            return change;
        }
    }
    return std::nullopt;
}

std::optional<PhoneChange> SettingChangeOf(const Words& words)
{
    if (StartsWith(words, {"adb", "shell", "settings", "put"}) && words.size() == 7 && IsNamespace(words[4]) &&
        IsSettingKey(words[5]) && IsPlainSettingValue(words[6])) {
        return PhoneChange{Kind::PutSetting, {}, std::string(words[4]), std::string(words[5]), std::string(words[6])};
    }
    if (StartsWith(words, {"adb", "shell", "settings", "delete"}) && words.size() == 6 && IsNamespace(words[4]) &&
        IsSettingKey(words[5])) {
        return PhoneChange{Kind::DeleteSetting, {}, std::string(words[4]), std::string(words[5]), std::string(kNotSet)};
    }
    return std::nullopt;
}

std::optional<std::string> ReplacedPackageState(const PhoneChange& change, std::string_view answer)
{
    std::optional<std::set<std::string>> listed = ListedPackages(answer);
    return listed ? ReplacedPackageState(change, listed->contains(change.package)) : std::nullopt;
}

// "settings get" answers the value, or "null" for a setting that is not set.
std::optional<std::string> ReplacedSetting(const PhoneChange& change, std::string_view answer)
{
    Words lines = AnswerLines(answer);
    if (lines.size() != 1 || !IsPlainSettingValue(lines.front())) {
        return std::nullopt;
    }
    return lines.front() == change.value ? std::string() : std::string(lines.front());
}

// "Deleted N rows".
bool IsDeletedRows(std::string_view line)
{
    if (!line.starts_with("Deleted ") || !line.ends_with(" rows")) {
        return false;
    }
    std::string_view count = line.substr(8, line.size() - 8 - 5);
    return IsWordOf(count, "") && count.find_first_not_of("0123456789") == std::string_view::npos;
}

PhoneChange PackageChange(Kind kind, std::string_view package)
{
    PhoneChange change;
    change.kind = kind;
    change.package = package;
    return change;
}

std::vector<PhoneChange> PackageChangesBetween(std::string_view package, std::string_view from, std::string_view to)
{
    bool known = from == kInstalled || from == kDisabledUser || from == kUninstalled;
    if (!known || from == to) {
        return {};
    }
    if (to == kUninstalled) {
        return {PackageChange(Kind::Uninstall, package)};
    }
    if (to == kInstalled) {
        return {PackageChange(from == kUninstalled ? Kind::Restore : Kind::Enable, package)};
    }
    if (to == kDisabledUser) {
        // A package removed for the user comes back enabled: it is switched off again after.
        if (from == kUninstalled) {
            return {PackageChange(Kind::Restore, package), PackageChange(Kind::Disable, package)};
        }
        return {PackageChange(Kind::Disable, package)};
    }
    return {};
}

}  // namespace

// The package manager's and the settings provider's shell commands (Android's
// PackageManagerShellCommand.java and SettingsService.java, MyShellCommand) answer on lines of
// their own.
std::vector<std::string_view> AnswerLines(std::string_view output)
{
    std::vector<std::string_view> lines;
    for (std::string_view line : LastFilledLines(output, output.size())) {
        if (!IsAdbServerNotice(line)) {
            lines.push_back(line.substr(0, line.find_last_not_of(" \t") + 1));
        }
    }
    return lines;
}

std::optional<std::set<std::string>> ListedPackages(std::string_view answer)
{
    std::set<std::string> packages;
    for (std::string_view line : AnswerLines(answer)) {
        if (!line.starts_with("package:")) {
            return std::nullopt;
        }
        packages.emplace(line.substr(8));
    }
    return packages;
}

std::string PhoneChange::Subject() const
{
    return IsSetting() ? JoinText({"setting ", space, " ", key}) : JoinText({"package ", package});
}

std::string PhoneChange::StateAfter() const
{
    switch (kind) {
    case Kind::Uninstall: return std::string(kUninstalled);
    case Kind::Restore:
    case Kind::Enable: return std::string(kInstalled);
    case Kind::Disable: return std::string(kDisabledUser);
    default: return value;
    }
}

std::optional<PhoneChange> ChangeOf(std::string_view commandLine)
{
    Words words = SplitWords(commandLine);
    std::optional<PhoneChange> change = PackageChangeOf(words);
    return change ? change : SettingChangeOf(words);
}

// A package removed for the user is not listed without -u; -d lists only the disabled ones.
std::optional<std::string> ReplacedPackageState(const PhoneChange& change, bool listed)
{
    const std::string unchanged;
    switch (change.kind) {
    case Kind::Uninstall: return std::string(listed ? kDisabledUser : kInstalled);
    case Kind::Restore: return listed ? unchanged : std::string(kUninstalled);
    case Kind::Disable: return listed ? unchanged : std::string(kInstalled);
    case Kind::Enable: return listed ? std::string(kDisabledUser) : unchanged;
    default: return std::nullopt;
    }
}

std::string StateQuery(const PhoneChange& change)
{
    if (change.IsSetting()) {
        return JoinText({"adb shell settings get ", change.space, " ", change.key});
    }
    std::string_view filter = change.kind == Kind::Restore ? "" : "-d ";
    return JoinText({"adb shell pm list packages --user 0 ", filter, change.package});
}

std::optional<std::string> ReplacedState(const PhoneChange& change, std::string_view queryAnswer)
{
    return change.IsSetting() ? ReplacedSetting(change, queryAnswer) : ReplacedPackageState(change, queryAnswer);
}

// The package manager's words: runUninstall prints "Success", runInstallExisting "Package P
// installed for user: N", runSetEnabledSetting "Package P new state: " and the state's name;
// "settings put" prints nothing, "settings delete" the rows it deleted. Anything else (a
// "Failure [...]", an exception, adb's "error: ..." or a shell's complaint) is not a success.
bool IsConfirmed(const PhoneChange& change, std::string_view output)
{
    Words lines = AnswerLines(output);
    if (change.kind == Kind::PutSetting) {
        return lines.empty();
    }
    if (lines.size() != 1) {
        return false;
    }
    std::string_view line = lines.front();
    switch (change.kind) {
    case Kind::Uninstall: return line == "Success";
    case Kind::Restore: return line == JoinText({"Package ", change.package, " installed for user: 0"});
    case Kind::Disable: return line == JoinText({"Package ", change.package, " new state: disabled-user"});
    case Kind::Enable: return line == JoinText({"Package ", change.package, " new state: enabled"});
    default: return IsDeletedRows(line);
    }
}

std::string PhoneChange::CommandLine() const
{
    switch (kind) {
    case Kind::Uninstall: return JoinText({"adb shell pm uninstall --user 0 ", package});
    case Kind::Restore: return JoinText({"adb shell pm install-existing --user 0 ", package});
    case Kind::Disable: return JoinText({"adb shell pm disable-user ", package});
    case Kind::Enable: return JoinText({"adb shell pm enable ", package});
    case Kind::PutSetting: return JoinText({"adb shell settings put ", space, " ", key, " ", value});
    case Kind::DeleteSetting: return JoinText({"adb shell settings delete ", space, " ", key});
    }
    return {};
}

std::vector<PhoneChange> ChangesBetween(const PhoneChange& subject, std::string_view from, std::string_view to)
{
    if (!subject.IsSetting()) {
        return PackageChangesBetween(subject.package, from, to);
    }
    if (from == to || (to != kNotSet && !IsPlainSettingValue(to))) {
        return {};
    }
    Kind kind = to == kNotSet ? Kind::DeleteSetting : Kind::PutSetting;
    return {PhoneChange{kind, {}, subject.space, subject.key, std::string(to)}};
}

bool IsPlainSettingValue(std::string_view value) { return IsWordOf(value, ".,_:+-"); }

bool SaysPackageIsAbsent(std::string_view output)
{
    Words lines = AnswerLines(output);
    return std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
        return line.starts_with("Failure [not installed for ") || line.ends_with(" doesn't exist") ||
               line.find("Unknown package: ") != std::string_view::npos;
    });
}

// The settings of tweaks/display_settings.cpp and tweaks/icon_blacklist.cpp.
bool IsOfferedSetting(const PhoneChange& change)
{
    static constexpr std::string_view kOffered[] = {
        "global window_animation_scale", "global transition_animation_scale", "global animator_duration_scale",
        "system screen_off_timeout", "system peak_refresh_rate", "system min_refresh_rate", "secure icon_blacklist",
    };
    std::string setting = JoinText({change.space, " ", change.key});
    return change.IsSetting() && std::find(std::begin(kOffered), std::end(kOffered), setting) != std::end(kOffered);
}
