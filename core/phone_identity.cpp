// Reading the phone's identity with one adb call, and keeping it for the length of an action.
#include "core/phone_identity.h"

#include <vector>

#include "core/command_state.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

int scopeDepth = 0;
std::optional<PhoneReading> scopedReading;

// The answer's lines without adb's notices about its server; an empty property is an empty line.
std::vector<std::string> PropertyLines(std::string_view answer)
{
    std::vector<std::string> lines;
    while (!answer.empty()) {
        std::size_t end = answer.find('\n');
        std::string_view line = answer.substr(0, end);
        answer.remove_prefix(end == std::string_view::npos ? answer.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (!IsAdbServerNotice(line)) {
            lines.emplace_back(line);
        }
    }
    return lines;
}

bool IsNumber(std::string_view text)
{
    return !text.empty() && text.size() < 4 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

constexpr std::string_view kNoModel = "未知型号";
constexpr std::string_view kNoSerial = "无序列号";

std::string PhoneIdentity::Name() const
{
    return JoinText({model.empty() ? kNoModel : std::string_view(model), "（",
                     serial.empty() ? kNoSerial : std::string_view(serial), "）"});
}

// The serial is the text between the last "（" and the closing "）": a model may hold brackets.
std::optional<PhoneIdentity> PhoneFromName(std::string_view name)
{
    constexpr std::string_view kOpen = "（";
    constexpr std::string_view kClose = "）";
    std::size_t open = name.rfind(kOpen);
    if (open == std::string_view::npos || !name.ends_with(kClose)) {
        return std::nullopt;
    }
    std::string_view model = name.substr(0, open);
    std::string_view serial = name.substr(open + kOpen.size(), name.size() - open - kOpen.size() - kClose.size());
    return PhoneIdentity{model == kNoModel ? std::string() : std::string(model),
                         serial == kNoSerial ? std::string() : std::string(serial)};
}

bool CanRestoreRemovals(const PhoneIdentity& phone) { return phone.sdk == 0 || phone.sdk >= kFirstSdkWithInstallExisting; }

std::optional<PhoneFacts> ParsePhoneFacts(std::string_view answer)
{
    std::vector<std::string> lines = PropertyLines(answer);
    while (lines.size() > 3 && lines.back().empty()) {
        lines.pop_back();  // the answer's last line end
    }
    if (lines.size() < 3 || !IsNumber(lines[2])) {
        return std::nullopt;
    }
    PhoneFacts facts{{lines[0], lines[1], TextToInteger(lines[2])}, std::set<std::string>()};
    for (std::size_t i = 3; i < lines.size(); ++i) {
        if (!lines[i].starts_with("package:")) {
            facts.disabledPackages.reset();
            break;
        }
        facts.disabledPackages->insert(lines[i].substr(8));
    }
    return facts;
}

// The read is the program's own: the output box and the current command are left as they were.
PhoneReading ReadAttachedPhone()
{
    std::string shown = GetText(DesktopWindow, kOutputBox);
    std::string current = State().currentCommand;
    std::string query(kIdentityQuery);
    CommandRun run = RunCommandLine(query);
    State().currentCommand = std::move(current);
    SetText(DesktopWindow, kOutputBox, shown);
    PhoneReading reading{std::nullopt, JudgeRun(query, run), std::nullopt};
    if (std::optional<PhoneFacts> facts = ParsePhoneFacts(run.output)) {
        reading = {facts->identity, reading.verdict, std::move(facts->disabledPackages)};
        reading.verdict.cause = Cause::Confirmed;
    }
    return reading;
}

ActionScope::ActionScope() { ++scopeDepth; }

ActionScope::~ActionScope()
{
    if (--scopeDepth == 0) {
        scopedReading.reset();
    }
}

bool IsActionUnderway() { return scopeDepth > 0; }

const PhoneReading& ActionPhone()
{
    static PhoneReading unscoped;
    if (scopeDepth == 0) {
        unscoped = ReadAttachedPhone();
        return unscoped;
    }
    if (!scopedReading) {
        scopedReading = ReadAttachedPhone();
    }
    return *scopedReading;
}

std::optional<std::optional<std::string>> ReplacedStateFromRead(const PhoneChange& change)
{
    bool fromList = change.kind == PhoneChange::Kind::Uninstall || change.kind == PhoneChange::Kind::Disable ||
                    change.kind == PhoneChange::Kind::Enable;
    if (scopeDepth == 0 || !scopedReading || !scopedReading->disabledPackages || !fromList) {
        return std::nullopt;
    }
    return ReplacedPackageState(change, scopedReading->disabledPackages->contains(change.package));
}

void NoteConfirmedChange(const PhoneChange& change)
{
    if (scopeDepth == 0 || !scopedReading || !scopedReading->disabledPackages) {
        return;
    }
    if (change.kind == PhoneChange::Kind::Disable) {
        scopedReading->disabledPackages->insert(change.package);
    } else if (change.kind == PhoneChange::Kind::Enable || change.kind == PhoneChange::Kind::Uninstall) {
        scopedReading->disabledPackages->erase(change.package);
    }
}
