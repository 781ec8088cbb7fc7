// The window-system operations the handlers use; implemented by platform/win32 and platform/headless.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/window_model.h"

// Makes the declared windows known to the window system; called once at start-up, before any
// window opens. The declarations must outlive the program's run.
void InitialiseWindowSystem(std::span<const WindowDeclaration* const> windows);

// Already open (and not being closed): brought to the front, true. Otherwise built afresh from its
// declaration; its Created handler runs before the call returns. Modal: every other window is
// disabled and a nested loop runs until this window has closed (or the program is ending).
// False when the window cannot be built.
bool OpenWindow(WindowId window, bool modal);

// Closes the window once the current handler has returned. The last window closing ends the program.
void CloseWindowLater(WindowId window);

// Control contents. Texts are UTF-8 with CR LF line breaks. A window or control that is not open
// reads as the empty text and ignores writes (a handler may outlive its window during a run).
std::string GetText(WindowId window, std::string_view control);
void SetText(WindowId window, std::string_view control, std::string_view text);
// What AppendText does with a line that grows past kLongestBoxLine characters (platform/box_lines.h)
// in a multi-line box: breaks it, or keeps it whole for a box whose lines each stand for something
// and are kept short by their writer.
enum class LongLines { Broken, Kept };

// Adds text at the end of an edit box without rewriting what it holds: linear in the text added.
// A multi-line box gets a line break wherever a line would grow past kLongestBoxLine characters,
// unless its lines are Kept; GetText then reads those breaks too. A caret that stood at the end of
// the text stays at the new end.
void AppendText(WindowId window, std::string_view control, std::string_view text,
                LongLines longLines = LongLines::Broken);
void SetTextColour(WindowId window, std::string_view control, Rgb colour);
bool IsChecked(WindowId window, std::string_view control);
// Raises no Clicked event.
void SetChecked(WindowId window, std::string_view control, bool checked);
// Shows or hides a control; a hidden one takes no clicks and no focus. Every control is shown
// when its window opens.
void ShowControl(WindowId window, std::string_view control, bool shown);
// Paints the control's pending changes now, without waiting for the message loop.
void RepaintNow(WindowId window, std::string_view control);
// Scrolls a multi-line edit box to its last line, the caret at the end of its text.
void ScrollToEnd(WindowId window, std::string_view control);
// Where the caret of an edit box stands: the byte offset in its (UTF-8) text of the selection's
// start; 0 when the control is not open.
std::size_t CaretOffset(WindowId window, std::string_view control);
// Aligns an edit box's text anew. Its text and caret are not kept: set the text afterwards.
void SetAlignment(WindowId window, std::string_view control, Align align);

// Dispatches every waiting window event, then returns; a pending quit is left for the outer loop.
void ProcessPendingEvents();

// A message box: caption "信息：", one OK button, task-modal, no owner. Returns when closed.
// Does nothing once the program is ending.
void ShowMessage(std::string_view text);
// A question in the same kind of box, with Yes and No buttons, No the default one. True for Yes;
// false for No, and at once once the program is ending.
bool AskYesNo(std::string_view question);

// True once the last window has closed (the quit is pending or the loop has ended).
bool IsProgramEnding();

// Runs the message loop until the last window has closed; returns the exit code (0).
int RunMessageLoop();
