// What a run of a command that changes the phone came to: done, or why not, in plain Chinese, for
// one step and for an action of several.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/runner.h"

// Why a change did or did not happen, by what adb and Android answered.
enum class Cause {
    Confirmed,        // adb ran it and Android's answer says the change is made
    NoPhone,          // adb found no phone
    SeveralPhones,    // several phones or emulators, none chosen
    NotAllowed,       // the phone has not yet allowed this computer to debug it
    Offline,          // the phone is offline, or adb is still connecting or authorizing it
    ChosenPhoneGone,  // the phone chosen by serial has left
    NotOnPhone,       // the app is not on the phone (for the user)
    SystemRefused,    // Android refused to remove or switch off the app
    ServerFight,      // another adb version on this PC replaced the server meanwhile
    TooLong,          // the command line was too long to run: refused, nothing ran
    NotStarted,       // the command interpreter could not be started
    ProgramClosed,    // the program closed before the command ran or ended
    Other,            // anything else; the reason is adb's or Android's first meaningful line
};

struct Verdict {
    Cause cause = Cause::Other;
    // The line that says why: the answer's line that decided the cause (the first line of a
    // message of several), or for Confirmed the answer's last line; empty when there was none.
    std::string reason;
    std::optional<unsigned long> exitCode;  // when the interpreter passed one on
};

// Judges the run of the command line. A change to a package or a setting (see ChangeOf) is
// confirmed by Android's exact answer, "adb tcpip" and "adb connect" by adb's, any other command
// by an empty answer. A non-zero exit code is never a success; a phone without adb's shell
// protocol ends every command with 0, and then the answer's text alone decides.
Verdict JudgeRun(std::string_view commandLine, const CommandRun& run);

// For a step of several: the phone already was as the step would leave it (an app to remove that
// is not on the phone), so the step counts as done.
bool IsAlreadySo(std::string_view commandLine, const Verdict& verdict);

// What the user is told about a verdict other than Confirmed: what happened and what to do, with
// the answer's line when it says more.
std::string VerdictMessage(const Verdict& verdict);

// The outcome of an action of one or more steps, added up as they run.
class StepTally {
public:
    // A step that ran, with its verdict; alreadySo as IsAlreadySo says.
    void Add(const Verdict& verdict, bool alreadySo = false);
    // A step refused before it ran; why is shown in the output box.
    void AddNotRun() { ++notRun_; }

    // The declared message when every step was done (and one at least changed something, or there
    // was no step); else what happened: the first failure's message when nothing was done, or
    // "完成 N 项，未完成 M 项" with the first failure's cause.
    std::string Message(std::string_view declared) const;

private:
    int changed_ = 0;
    int alreadySo_ = 0;
    int failed_ = 0;
    int notRun_ = 0;
    Verdict firstFailure_;
    Verdict firstAlreadySo_;
};
