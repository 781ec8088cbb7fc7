// The headless window system's inner state: live windows and controls, lookup, events and the queue.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/window_model.h"

namespace headless::detail {

// What a control shows now; built afresh from its declaration on every opening.
struct LiveControl {
    const ControlDeclaration* declaration = nullptr;
    int containerIndex = -1;  // index of its GroupBox or PageControl, -1 = the window itself
    std::string text;
    Rgb textColour = kNoColour;
    bool checked = false;
    int visiblePage = 0;  // a PageControl's page on show
};

// One opening of a window. Held by shared_ptr, so that code which raised an event can still look
// at the window after the handler returned, even if the handler destroyed it meanwhile.
struct LiveWindow {
    const WindowDeclaration* declaration = nullptr;
    std::vector<LiveControl> controls;
    std::unordered_map<std::string_view, int> indexByName;
    bool beingClosed = false;
    bool destroyed = false;
    int focused = -1;      // index of the control with the focus, -1 = none
    int disablers = 0;     // modal windows and message boxes holding this window disabled
    std::vector<std::weak_ptr<LiveWindow>> disabledByThis;  // released when this window is destroyed
};
using WindowRef = std::shared_ptr<LiveWindow>;

const WindowDeclaration* FindDeclaration(WindowId window);
// A fresh live window from the declaration: declared texts, colours and checks, first pages on show,
// nothing focused. A declaration that names controls twice or misplaces one is a programmer error.
WindowRef Build(const WindowDeclaration& declaration);

// Open windows in opening order. A window being closed stays in the list until destroyed, so a
// fresh copy may sit beside it: lookups by id find the newest.
std::vector<WindowRef>& OpenList();
WindowRef FindOpen(WindowId window);
// An open window that takes user input (not disabled); null otherwise.
WindowRef FindEnabled(WindowId window);
// The control's index; a name the window does not declare is a programmer error and aborts.
int ControlIndex(const LiveWindow& window, std::string_view control);
// The control of the newest open copy of the window; null when the window is not open.
LiveControl* FindControl(WindowId window, std::string_view control);

// Destroys the window at once, without events: the windows it disabled are enabled again, and the
// last window going ends the program.
void Destroy(const WindowRef& window);
// Forgets every window without events and without ending the program (a test's fresh start).
void DestroyAll();
// Whether every container up the chain is on show, a page child only while its page is.
bool IsShown(const LiveWindow& window, int controlIndex);

// Calls the control's handlers bound to the event; stops if the window is destroyed meanwhile.
void Raise(const WindowRef& window, int controlIndex, Event event, const EventArgs& args = {});
// Moves the focus: LostFocus on the control that had it, then GotFocus. Nothing when unchanged.
void MoveFocus(const WindowRef& window, int controlIndex);

// The event queue. Close messages go before user input, as Win32 hands out posted messages
// before input messages.
void PostClose(const WindowRef& window);
void RunQueue();
// Runs a user action as the message loop dispatches it: the queue runs after it, unless the
// action was itself dispatched from inside another event (then the loop already running goes
// on, a modal one included).
void DispatchUserAction(const std::function<void()>& dispatch);
// Runs one queued event; false when none waits or the program is ending.
bool RunOneEvent();
void ClearQueue();
void SetProgramEnding(bool ending);

void ClearMessages();
void ClearRecords();

[[noreturn]] void ProgrammerError(std::string_view what);

}  // namespace headless::detail
