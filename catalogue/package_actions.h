// Package actions: a command template, a list of catalogue steps and a completion message, run by
// one procedure for every package button of the program.
#pragma once

#include <span>
#include <string_view>

#include "platform/window_model.h"

enum class PackageActionKind { Uninstall, Restore, Disable, Enable };

// The package-manager command of the kind; the package name follows its final blank directly.
std::string_view CommandTemplate(PackageActionKind kind);

// A check box that must be checked for a step to run; no check box named = no gate.
struct Gate {
    WindowId window = 0;
    std::string_view checkBox;
};

struct PackageStep {
    std::string_view section;  // "华为" or "荣耀"
    std::string_view key;
    Gate gate;
};

// The steps are run in order; the message is shown at the end when Android confirmed every step
// whose gate was open.
struct PackageAction {
    PackageActionKind kind = PackageActionKind::Uninstall;
    std::span<const PackageStep> steps;
    std::string_view message;
};

inline constexpr std::string_view kDone = "完成";

// For each step whose gate is open: looks the key up afresh, runs the template followed by the
// value with its output shown in the desktop window's output box, and goes on whatever the command
// did. A gate is read when a key's first step comes up; consecutive steps of the same key and gate
// (one key in both sections) go by that one reading, so they run both or neither. A step whose key
// has no value (or whose catalogue is missing or unreadable) runs nothing, and neither does a value
// that is not a safe package name or is longer than any package name; why each did not run is
// added to the output box after the action's last step. Then the message (see StepTally): the
// declared one when Android confirmed every step that ran (an app to remove that is not on the
// phone counts as removed when others were), else why not, by cause, and how many steps were done.
// Before the first removal on a phone before Android 8.0, where no removal can be taken back, the
// user is asked; No ends the action with nothing run.
void RunPackageAction(const PackageAction& action);

// True when the value can reach the command interpreter unquoted: no control characters and no
// ASCII other than letters, digits, '.', '_', '-' and blanks. Other characters (the default
// "没有命令输入" among them) mean nothing to the interpreter.
bool IsSafePackageName(std::string_view value);
