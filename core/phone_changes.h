// What one of the program's command lines changes on the phone, how Android says it did it, and
// the commands that take a package or a setting from one state to another.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// A package's state for user 0, as the package manager leaves it.
inline constexpr std::string_view kInstalled = "installed";         // installed and enabled
inline constexpr std::string_view kDisabledUser = "disabled-user";  // installed, switched off by the user
inline constexpr std::string_view kUninstalled = "uninstalled";     // removed for user 0, still on the phone
// A setting's state is its value; this one is a setting that is not set.
inline constexpr std::string_view kNotSet = "null";

// A change one of the program's own command lines makes when Android carries it out:
//   adb shell pm uninstall --user 0 P        adb shell pm install-existing --user 0 P
//   adb shell pm disable-user P              adb shell pm enable P
//   adb shell settings put NAMESPACE KEY V   adb shell settings delete NAMESPACE KEY
// Its subject names what it changes ("package P", "setting NAMESPACE KEY"), the same for every
// command that changes the same thing.
struct PhoneChange {
    enum class Kind { Uninstall, Restore, Disable, Enable, PutSetting, DeleteSetting };
    Kind kind = Kind::Uninstall;
    std::string package;                // the package kinds
    std::string space, key, value;      // the setting kinds; value is kNotSet for a delete

    std::string Subject() const;
    bool IsSetting() const { return kind == Kind::PutSetting || kind == Kind::DeleteSetting; }
    // The state the change leaves, unless the subject was in it already.
    std::string StateAfter() const;
    // The program's own command line that makes it.
    std::string CommandLine() const;
    bool operator==(const PhoneChange&) const = default;
};

// The change a command line makes; none for anything else, a typed variant included (another
// user, a value of several words, a value that the interpreter would read as syntax).
std::optional<PhoneChange> ChangeOf(std::string_view commandLine);

// The command that reads what the change needs to know of the phone before it is made.
std::string StateQuery(const PhoneChange& change);

// What a package change replaces, from whether its package is among those its query would list
// (switched off for a removal, switching off or on; installed for bringing back).
std::optional<std::string> ReplacedPackageState(const PhoneChange& change, bool listed);

// What the change will replace, read from the query's answer: the state it takes back to, or
// the empty text when the change will leave the subject as it is. None when the answer is not
// one Android gives (no phone, an error) or the old value cannot be written back unharmed.
std::optional<std::string> ReplacedState(const PhoneChange& change, std::string_view queryAnswer);

// The answer's lines that say something, in order, without trailing blanks and without adb's
// lines about its server (see IsAdbServerNotice).
std::vector<std::string_view> AnswerLines(std::string_view output);

// The packages of a "pm list packages" answer, one "package:NAME" line each; none when another
// line is among them (an error of the package manager's).
std::optional<std::set<std::string>> ListedPackages(std::string_view answer);

// True when the command's whole answer is the one Android gives when it has made the change.
bool IsConfirmed(const PhoneChange& change, std::string_view output);

// The changes that bring the subject of a change (its package or setting) from one state to
// another, in order; empty when there is no way (an unknown state, a value that cannot be written
// back unharmed).
std::vector<PhoneChange> ChangesBetween(const PhoneChange& subject, std::string_view from, std::string_view to);

// True when the answer says the phone has no such package for user 0: the package manager's
// "Failure [not installed for 0]" (runUninstall), "Package P doesn't exist" (runInstallExisting's
// NameNotFoundException) and "Unknown package: P" (setApplicationEnabledSetting's
// IllegalArgumentException), in PackageManagerShellCommand.java.
bool SaysPackageIsAbsent(std::string_view output);

// True for a setting that one of the program's own buttons changes: the animation scales, the
// screen-off time, the refresh rates and the status-bar icons.
bool IsOfferedSetting(const PhoneChange& change);

// True for a setting value that can be handed to "settings put" as one word, unquoted, through
// the command interpreter: letters, digits and . _ , : + - only.
bool IsPlainSettingValue(std::string_view value);
