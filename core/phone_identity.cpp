// Reading the phone's identity with one adb call, and keeping it for the length of an action.
#include "core/phone_identity.h"

#include <algorithm>
#include <vector>

#include "core/command_state.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

int scopeDepth = 0;
ActionReads scopeReads;
std::optional<PhoneReading> scopedReading;

// The lines the phone's shell echoes before each of an action's other reads.
constexpr std::string_view kInstalledMark = "=installed";
constexpr std::string_view kSettingMark = "=setting";

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

// The answer after the properties, cut at the echoed lines: the switched-off list first, with no
// line before it, then one section for each other read.
struct Section {
    std::string_view mark;
    std::vector<std::string> lines;
};

std::vector<Section> SectionsOf(const std::vector<std::string>& lines)
{
    std::vector<Section> sections(1);
    for (const std::string& line : lines) {
        if (line == kInstalledMark || line == kSettingMark) {
            sections.push_back({line == kInstalledMark ? kInstalledMark : kSettingMark, {}});
        } else {
            sections.back().lines.push_back(line);
        }
    }
    return sections;
}

std::vector<std::string_view> ExpectedMarks(const ActionReads& reads)
{
    std::vector<std::string_view> marks;
    if (reads.installedPackages) {
        marks.push_back(kInstalledMark);
    }
    marks.insert(marks.end(), reads.settings.size(), kSettingMark);
    return marks;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines) {
        joined += line + "\n";
    }
    return joined;
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

ActionReads ReadsFor(std::span<const PhoneChange> changes)
{
    ActionReads reads;
    for (const PhoneChange& change : changes) {
        reads.installedPackages = reads.installedPackages || change.kind == PhoneChange::Kind::Restore;
        auto same = [&change](const SettingName& name) { return name.space == change.space && name.key == change.key; };
        if (change.IsSetting() && std::none_of(reads.settings.begin(), reads.settings.end(), same)) {
            reads.settings.push_back({change.space, change.key});
        }
    }
    return reads;
}

std::string PhoneQuery(const ActionReads& reads)
{
    std::string query(kIdentityQuery.substr(0, kIdentityQuery.size() - 1));
    if (reads.installedPackages) {
        query += JoinText({";echo ", kInstalledMark, ";pm list packages --user 0"});
    }
    for (const SettingName& setting : reads.settings) {
        query += JoinText({";echo ", kSettingMark, ";settings get ", setting.space, " ", setting.key});
    }
    return query + "\"";
}

std::optional<PhoneFacts> ParsePhoneFacts(std::string_view answer, const ActionReads& reads)
{
    std::vector<std::string> lines = PropertyLines(answer);
    while (lines.size() > 3 && lines.back().empty()) {
        lines.pop_back();  // the answer's last line end
    }
    if (lines.size() < 3 || !IsNumber(lines[2])) {
        return std::nullopt;
    }
    PhoneFacts facts{{lines[0], lines[1], TextToInteger(lines[2])}, std::nullopt, std::nullopt, {}};
    std::vector<std::string_view> marks = ExpectedMarks(reads);
    std::vector<Section> sections = SectionsOf({lines.begin() + 3, lines.end()});
    facts.disabledPackages = ListedPackages(JoinLines(sections.front().lines));
    std::size_t setting = 0;
    for (std::size_t i = 1; i < sections.size() && i <= marks.size() && sections[i].mark == marks[i - 1]; ++i) {
        if (sections[i].mark == kInstalledMark) {
            facts.installedPackages = ListedPackages(JoinLines(sections[i].lines));
            continue;
        }
        const SettingName& name = reads.settings[setting++];
        PhoneChange subject{PhoneChange::Kind::PutSetting, {}, name.space, name.key, {}};
        facts.settingAnswers[subject.Subject()] = JoinLines(sections[i].lines);
    }
    return facts;
}

// The read is the program's own: the output box and the current command are left as they were.
PhoneReading ReadAttachedPhone(const ActionReads& reads)
{
    std::string shown = GetText(DesktopWindow, kOutputBox);
    std::string current = State().currentCommand;
    std::string query = PhoneQuery(reads);
    CommandRun run = RunCommandLine(query);
    State().currentCommand = std::move(current);
    SetText(DesktopWindow, kOutputBox, shown);
    PhoneReading reading{std::nullopt, JudgeRun(query, run), ParsePhoneFacts(run.output, reads)};
    if (reading.facts) {
        reading.phone = reading.facts->identity;
        reading.verdict.cause = Cause::Confirmed;
    }
    return reading;
}

ActionScope::ActionScope(ActionReads reads)
{
    if (scopeDepth++ == 0) {
        scopeReads = std::move(reads);
    }
}

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
        scopedReading = ReadAttachedPhone(scopeReads);
    }
    return *scopedReading;
}

// Removals and switching off or on go by the switched-off list, bringing back by the installed
// one, a setting by its own read's answer.
std::optional<std::optional<std::string>> ReplacedStateFromRead(const PhoneChange& change)
{
    if (scopeDepth == 0 || !scopedReading || !scopedReading->facts) {
        return std::nullopt;
    }
    const PhoneFacts& facts = *scopedReading->facts;
    if (change.IsSetting()) {
        auto answer = facts.settingAnswers.find(change.Subject());
        if (answer == facts.settingAnswers.end()) {
            return std::nullopt;
        }
        return ReplacedState(change, answer->second);
    }
    const std::optional<std::set<std::string>>& list =
        change.kind == PhoneChange::Kind::Restore ? facts.installedPackages : facts.disabledPackages;
    if (!list) {
        return std::nullopt;
    }
    return ReplacedPackageState(change, list->contains(change.package));
}

void NoteConfirmedChange(const PhoneChange& change)
{
    if (scopeDepth == 0 || !scopedReading || !scopedReading->facts) {
        return;
    }
    PhoneFacts& facts = *scopedReading->facts;
    auto follow = [&change](std::optional<std::set<std::string>>& list, bool listed) {
        if (list && listed) {
            list->insert(change.package);
        } else if (list) {
            list->erase(change.package);
        }
    };
    switch (change.kind) {
    case PhoneChange::Kind::Uninstall:
        follow(facts.disabledPackages, false);
        follow(facts.installedPackages, false);
        break;
    case PhoneChange::Kind::Restore: follow(facts.installedPackages, true); break;
    case PhoneChange::Kind::Disable: follow(facts.disabledPackages, true); break;
    case PhoneChange::Kind::Enable: follow(facts.disabledPackages, false); break;
    default: facts.settingAnswers[change.Subject()] = change.value; break;
    }
}
