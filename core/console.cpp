// The desktop window's console: welcome text, the command box's hint and running what is typed.
#include "core/console.h"

#include <optional>
#include <string>
#include <utility>

#include "core/adb_location.h"
#include "core/command_state.h"
#include "core/operation_log.h"
#include "core/window_names.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

constexpr int kEnterKey = 13;
constexpr Rgb kTypingColour = 0x000000;
constexpr Rgb kPromptColour = 0x808080;

}  // namespace

void EnterDesktopWindow(const EventArgs&)
{
    CloseWindowLater(StartWindow);
    State().introText = kWelcomeText;
    SetText(DesktopWindow, kOutputBox, State().introText);
    if (std::optional<std::string> note = AdbNoteOnce()) {
        AppendText(DesktopWindow, kOutputBox, JoinText({"\r\n\r\n      ", *note}));
    }
    RepaintNow(DesktopWindow, kOutputBox);
}

void ClearCommandPrompt(const EventArgs&)
{
    if (CompareText(GetText(DesktopWindow, kCommandBox), kCommandPrompt) == 0) {
        SetText(DesktopWindow, kCommandBox, "");
        SetTextColour(DesktopWindow, kCommandBox, kTypingColour);
    }
}

void RestoreCommandPrompt(const EventArgs&)
{
    if (GetText(DesktopWindow, kCommandBox).empty()) {
        SetText(DesktopWindow, kCommandBox, kCommandPrompt);
        SetTextColour(DesktopWindow, kCommandBox, kPromptColour);
    }
}

void RunTypedCommand(const EventArgs& key)
{
    if (key.key != kEnterKey) {
        return;
    }
    std::string typed = GetText(DesktopWindow, kCommandBox);
    SetText(DesktopWindow, kCommandBox, "");
    RunAndRecord(std::move(typed), kConsoleOrigin);
}
