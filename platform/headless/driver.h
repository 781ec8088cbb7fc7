// What tests do to the headless window system: act as the user, read what the windows show, and
// read what the program started, opened and said in message boxes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_model.h"

namespace headless {

// Closes every window without events, empties the event queue and forgets every record; the
// declarations stay known. Tests call it between cases.
void Reset();

// User input queued as window events: run by the next ProcessPendingEvents (for example during a
// command run), by a modal window's nested loop, or by RunMessageLoop, in the order posted.
void Post(std::function<void()> userAction);
// A probe of whether the program answers: called by every ProcessPendingEvents before the waiting
// events run, as a message another program sends is answered whenever the program lets messages
// through. The probe may act as the user. Reset removes it.
void SetAnswerProbe(std::function<void()> probe);
// User input for a window that a handler will open modally: it runs first in the window's nested
// loop, once the window is open, whatever runs before the window opens. One action per window.
void WhenOpenedModally(WindowId window, std::function<void()> userAction);

// Direct user actions, dispatched at once as if by the message loop. A disabled window (behind a
// modal one or a message box) ignores them.
void Click(WindowId window, std::string_view control);        // Button, CheckBox (toggles first)
void PressMouse(WindowId window, std::string_view control);   // LeftButtonDown
void Focus(WindowId window, std::string_view control);        // LostFocus, then GotFocus
void PressKey(WindowId window, int key, int modifiers = 0);   // to the focused control; Esc, Tab
void Type(WindowId window, std::string_view text);            // appended to the focused edit box
void CloseBox(WindowId window);                               // the title bar's close box
// Clicks into an edit box at the byte offset of its text: the caret goes there.
void PlaceCaret(WindowId window, std::string_view control, std::size_t offset);

// What the windows show.
bool IsOpen(WindowId window);
bool IsEnabled(WindowId window);
std::vector<WindowId> OpenWindows();  // in opening order
std::string FocusedControl(WindowId window);
Rgb TextColour(WindowId window, std::string_view control);
int VisiblePage(WindowId window, std::string_view pageControl);
bool IsShown(WindowId window, std::string_view control);
Align Alignment(WindowId window, std::string_view control);
std::string_view WindowTitle(WindowId window);

// What the program did. Message boxes are answered at once unless a responder is set; the
// responder runs while the box is shown (the other windows disabled).
std::vector<std::string> Messages();
void SetMessageResponder(std::function<void(std::string_view text)> responder);
// How AskYesNo questions are answered (No until set); they are recorded among the messages and
// shown to the responder like them.
void AnswerQuestions(bool yes);

struct StartedProgram {
    std::string commandLine;
    bool waitForExit = false;
    int showState = 0;
};
// RunProgram calls, in order. The headless system also starts them for real, hidden.
std::vector<StartedProgram> StartedPrograms();
std::vector<std::string> OpenedAddresses();

// What RepaintNow put on screen at once, in order: the control and the text it showed then.
struct Painting {
    WindowId window = 0;
    std::string control;
    std::string text;
};
std::vector<Painting> Paintings();

}  // namespace headless
