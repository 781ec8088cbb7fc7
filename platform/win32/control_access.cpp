// What handlers read and write on controls; a window or control that is not open reads empty and ignores writes.
#include <algorithm>
#include <string>

#include "platform/box_lines.h"
#include "platform/win32/live_window.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"

namespace {

bool IsKind(const LiveControl* control, ControlKind kind)
{
    return control != nullptr && control->declaration->kind == kind;
}

// Pane kinds paint from their window text; a transparent one must have its background repainted
// as well, so the area is invalidated in the parent together with everything standing there.
void RedrawControl(const LiveControl& control)
{
    if (control.declaration->kind == ControlKind::TransLabel) {
        RECT area;
        GetWindowRect(control.handle, &area);
        HWND parent = GetParent(control.handle);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    } else {
        InvalidateRect(control.handle, nullptr, TRUE);
    }
}

}  // namespace

// GetWindowTextLengthW may report more than the text holds (GetWindowTextLength, Remarks): the
// count that GetWindowTextW copies is what counts.
std::wstring WindowText(HWND handle)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(handle, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string GetText(WindowId window, std::string_view name)
{
    LiveControl* control = FindControl(window, name);
    return control == nullptr ? std::string() : WideToUtf8(WindowText(control->handle));
}

void SetText(WindowId window, std::string_view name, std::string_view text)
{
    LiveControl* control = FindControl(window, name);
    if (control == nullptr) {
        return;
    }
    if (text.empty() && IsKind(control, ControlKind::EditBox)) {
        // The runner empties the output box before every command. Replacing the whole selection
        // leaves the same empty box with the caret at its start, and costs an edit control with
        // a scroll bar half of what WM_SETTEXT does (under Wine, 5 ms against 11).
        SendMessageW(control->handle, EM_SETSEL, 0, -1);
        SendMessageW(control->handle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    } else {
        SetWindowTextW(control->handle, Utf8ToWide(text).c_str());
    }
    control->lastLine = LastBoxLine(text);
    RedrawControl(*control);
}

// Selects the end, replaces that empty selection, then gives the user's selection back; a caret
// that stood at the end stays at the new end, so that the box follows the growing text. A
// multi-line box gets long lines broken: its time to lay out a line grows with the square of the
// line's length.
void AppendText(WindowId window, std::string_view name, std::string_view text, LongLines longLines)
{
    LiveControl* control = FindControl(window, name);
    if (!IsKind(control, ControlKind::EditBox) || text.empty()) {
        return;
    }
    std::size_t longest = longLines == LongLines::Kept ? std::string::npos : kLongestBoxLine;
    std::string shown =
        control->declaration->multiLine ? BreakLongLines(text, control->lastLine, longest) : std::string(text);
    HWND box = control->handle;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    auto length = static_cast<DWORD>(GetWindowTextLengthW(box));
    SendMessageW(box, EM_SETSEL, length, length);
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Utf8ToWide(shown).c_str()));
    if (start != length || end != length) {
        SendMessageW(box, EM_SETSEL, start, end);
    }
}

void SetTextColour(WindowId window, std::string_view name, Rgb colour)
{
    LiveControl* control = FindControl(window, name);
    if (control == nullptr) {
        return;
    }
    control->textColour = colour;
    RedrawControl(*control);
}

bool IsChecked(WindowId window, std::string_view name)
{
    LiveControl* control = FindControl(window, name);
    return IsKind(control, ControlKind::CheckBox) && SendMessageW(control->handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(WindowId window, std::string_view name, bool checked)
{
    LiveControl* control = FindControl(window, name);
    if (IsKind(control, ControlKind::CheckBox)) {
        SendMessageW(control->handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void ShowControl(WindowId window, std::string_view name, bool shown)
{
    if (LiveControl* control = FindControl(window, name)) {
        ShowWindow(control->handle, shown ? SW_SHOW : SW_HIDE);
    }
}

void RepaintNow(WindowId window, std::string_view name)
{
    LiveControl* control = FindControl(window, name);
    if (control != nullptr) {
        UpdateWindow(control->handle);
    }
}

// EM_SCROLLCARET scrolls the caret into view, so the caret goes to the end first.
void ScrollToEnd(WindowId window, std::string_view name)
{
    LiveControl* control = FindControl(window, name);
    if (!IsKind(control, ControlKind::EditBox)) {
        return;
    }
    auto length = static_cast<WPARAM>(GetWindowTextLengthW(control->handle));
    SendMessageW(control->handle, EM_SETSEL, length, static_cast<LPARAM>(length));
    SendMessageW(control->handle, EM_SCROLLCARET, 0, 0);
}

// EM_GETSEL counts UTF-16 units; its result packs them into 16 bits, so the start is taken from
// the pointer it fills (EM_GETSEL, Remarks).
std::size_t CaretOffset(WindowId window, std::string_view name)
{
    LiveControl* control = FindControl(window, name);
    if (!IsKind(control, ControlKind::EditBox)) {
        return 0;
    }
    DWORD start = 0;
    SendMessageW(control->handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    std::wstring text = WindowText(control->handle);
    return WideToUtf8(std::wstring_view(text).substr(0, std::min<std::size_t>(start, text.size()))).size();
}

// An edit control takes ES_LEFT and ES_CENTER only when it is created (Edit Control Styles).
void SetAlignment(WindowId window, std::string_view name, Align align)
{
    LiveControl* control = FindControl(window, name);
    if (!IsKind(control, ControlKind::EditBox) || control->align == align) {
        return;
    }
    control->align = align;
    RecreateControl(*control);
}
