// Which phone a command reaches: its model, serial number and Android version, read once per action.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/phone_changes.h"
#include "core/run_verdict.h"

// The phone as records and plans name it. A record without one names "未知手机".
struct PhoneIdentity {
    std::string model;   // ro.product.model
    std::string serial;  // ro.serialno: the phone's own, the same over USB and Wi-Fi
    int sdk = 0;         // ro.build.version.sdk; 0 when unknown

    // "HONOR_X40（ABC123）", as records and questions show it.
    std::string Name() const;
    bool operator==(const PhoneIdentity& other) const { return model == other.model && serial == other.serial; }
};

inline constexpr std::string_view kUnknownPhone = "未知手机";

// The phone from its Name(); none for any other text.
std::optional<PhoneIdentity> PhoneFromName(std::string_view name);

// Android 8.0 (SDK 26) brought `install-existing` to the package manager's shell command
// (PackageManagerShellCommand.java, runInstallExisting): before it a removal for the user cannot
// be taken back by any command. On Android 7.0 to 7.1.2, Pm.java answers "Error: unknown command
// 'install-existing'" and `cmd package` (PackageManagerShellCommand's default handler) "Unknown
// command: install-existing", as users of those phones report.
inline constexpr int kFirstSdkWithInstallExisting = 26;
bool CanRestoreRemovals(const PhoneIdentity& phone);

// What an action reads of the phone besides its identity and the packages switched off for the
// user, declared before its first change: the package states a change needs when it brings
// packages back, and the settings it sets.
struct SettingName {
    std::string space, key;
};
struct ActionReads {
    bool installedPackages = false;  // the packages installed for the user
    std::vector<SettingName> settings;
};

// What changes need read before they are made, so that their records can say how to take them back.
ActionReads ReadsFor(std::span<const PhoneChange> changes);

// The one command an action reads the phone with: three properties and the packages switched off
// for the user, in one shell call, so that the action's changes need no reads of their own.
inline constexpr std::string_view kIdentityQuery =
    "adb shell \"getprop ro.product.model;getprop ro.serialno;getprop ro.build.version.sdk;"
    "pm list packages --user 0 -d\"";

// The identity query with the action's other reads in the same shell call, each after a line of
// its own that the phone's shell echoes, so that an answer of any length is told from the next:
// "pm list packages --user 0" (installed for the user, enabled or not) and "settings get NS KEY"
// (one line, "null" when the setting is not set: SettingsService.java, MyShellCommand).
std::string PhoneQuery(const ActionReads& reads);

// What one read of the phone found: its identity, and the packages switched off for the user
// ("package:NAME" lines), when the package manager answered with a list; and what the action's
// other reads found: the packages installed for the user, and for each setting read (by its
// change's Subject()) the answer as "settings get" would give it alone.
struct PhoneFacts {
    PhoneIdentity identity;
    std::optional<std::set<std::string>> disabledPackages;
    std::optional<std::set<std::string>> installedPackages;
    std::map<std::string, std::string> settingAnswers;
};

// The facts from the query's answer: the three properties on its first lines after adb's notices,
// then the list, then the other reads in the order PhoneQuery(reads) asked for them; none when the
// answer is anything else (an error of adb's, a phone that did not answer). A list with a line of
// another kind is no list; a read whose echoed line is missing is not known.
std::optional<PhoneFacts> ParsePhoneFacts(std::string_view answer, const ActionReads& reads = {});

// What reading the phone found: the phone, or the verdict that says why there is none; while an
// action runs, the other facts as the read found them and the action's confirmed changes left them.
struct PhoneReading {
    std::optional<PhoneIdentity> phone;
    Verdict verdict;
    std::optional<PhoneFacts> facts;
};

// Runs the query through the runner; the output box is left showing what it showed before.
PhoneReading ReadAttachedPhone(const ActionReads& reads = {});

// An action that changes the phone, from its start to its end. While one exists, the phone is read
// at most once: the first change of the action reads it, with the reads the outermost scope
// declared, and the action's later changes, and their records, name the same phone; and a change
// is underway (see IsChangeUnderway), from the first read on. Scopes nest; the outermost one
// forgets the phone when it ends, so that the next action reads it again.
class ActionScope {
public:
    explicit ActionScope(ActionReads reads = {});
    ~ActionScope();
    ActionScope(const ActionScope&) = delete;
    ActionScope& operator=(const ActionScope&) = delete;
};

bool IsActionUnderway();

// The phone of the action now running, read now if the action has not read it yet (and every
// time outside a scope).
const PhoneReading& ActionPhone();

// What the change replaces, known from the action's read without a query of its own. None when the
// read does not tell (a package brought back or a setting the action did not declare, a list the
// phone did not give); then the change's own query is needed.
std::optional<std::optional<std::string>> ReplacedStateFromRead(const PhoneChange& change);
// A change Android confirmed during the action: what the read found follows it.
void NoteConfirmedChange(const PhoneChange& change);
