// What handlers read and write on controls; a window that is not open reads empty and ignores writes.
#include "platform/box_lines.h"
#include "platform/headless/live_window.h"
#include "platform/headless/records.h"
#include "platform/window_system.h"

using headless::detail::FindControl;
using headless::detail::LiveControl;

namespace {

// Only an edit box takes appended text, and only a check box has a check, as on Win32.
LiveControl* FindOfKind(WindowId window, std::string_view control, ControlKind kind)
{
    LiveControl* found = FindControl(window, control);
    return found != nullptr && found->declaration->kind == kind ? found : nullptr;
}

}  // namespace

std::string GetText(WindowId window, std::string_view control)
{
    const auto* found = FindControl(window, control);
    return found == nullptr ? std::string() : found->text;
}

void SetText(WindowId window, std::string_view control, std::string_view text)
{
    if (auto* found = FindControl(window, control)) {
        found->text = text;
        found->caret = 0;
    }
}

// A multi-line box breaks long lines as on Win32, and a caret at the end follows the text; the text
// in memory tells where its last line stands.
void AppendText(WindowId window, std::string_view control, std::string_view text, LongLines longLines)
{
    auto* found = FindOfKind(window, control, ControlKind::EditBox);
    if (found == nullptr) {
        return;
    }
    const bool caretAtEnd = found->caret == found->text.size();
    if (found->declaration->multiLine) {
        BoxLine last = LastBoxLine(found->text);
        found->text += BreakLongLines(text, last, longLines == LongLines::Kept ? std::string::npos : kLongestBoxLine);
    } else {
        found->text.append(text);
    }
    if (caretAtEnd) {
        found->caret = found->text.size();
    }
}

void SetTextColour(WindowId window, std::string_view control, Rgb colour)
{
    if (auto* found = FindControl(window, control)) {
        found->textColour = colour;
    }
}

void ShowControl(WindowId window, std::string_view control, bool shown)
{
    if (auto* found = FindControl(window, control)) {
        found->shown = shown;
    }
}

bool IsChecked(WindowId window, std::string_view control)
{
    const auto* found = FindOfKind(window, control, ControlKind::CheckBox);
    return found != nullptr && found->checked;
}

void SetChecked(WindowId window, std::string_view control, bool checked)
{
    if (auto* found = FindOfKind(window, control, ControlKind::CheckBox)) {
        found->checked = checked;
    }
}

// Nothing waits to be painted in memory: what the control shows now is recorded as painted.
void RepaintNow(WindowId window, std::string_view control)
{
    if (auto* found = FindControl(window, control)) {
        headless::detail::RecordPainting({window, std::string(control), found->text});
    }
}

// An edit box in memory has no view to scroll; the tests read its whole text.
void ScrollToEnd(WindowId window, std::string_view control)
{
    if (auto* found = FindOfKind(window, control, ControlKind::EditBox)) {
        found->caret = found->text.size();
    }
}

std::size_t CaretOffset(WindowId window, std::string_view control)
{
    const auto* found = FindOfKind(window, control, ControlKind::EditBox);
    return found == nullptr ? 0 : found->caret;
}

void SetAlignment(WindowId window, std::string_view control, Align align)
{
    if (auto* found = FindOfKind(window, control, ControlKind::EditBox); found != nullptr && found->align != align) {
        found->align = align;
        found->text = found->declaration->caption;
        found->caret = 0;
    }
}
