// The live windows and controls the headless window system builds from the declarations, and the
// internal operations its files share.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/declared_windows.h"
#include "platform/window_model.h"

namespace headless::detail {

// What a control shows now; built afresh from its declaration on every opening.
struct LiveControl {
    const ControlDeclaration* declaration = nullptr;
    int containerIndex = -1;  // index of its GroupBox or PageControl, -1 = the window itself
    std::string text;
    Rgb textColour = kNoColour;
    bool checked = false;
    bool shown = true;
    int visiblePage = 0;  // a PageControl's page on show
    Align align = Align::Left;
    std::size_t caret = 0;  // an edit box's caret: a byte offset in its text
};

// One opening of a window. Held by shared_ptr, so that code which raised an event can still look
// at the window after the handler returned, even if the handler destroyed it meanwhile.
struct LiveWindow {
    const WindowDeclaration* declaration = nullptr;
    std::vector<LiveControl> controls;  // in declared order
    bool beingClosed = false;
    bool destroyed = false;
    int focused = -1;      // index of the control with the focus, -1 = none
    int disablers = 0;     // modal windows and message boxes holding this window disabled
    std::vector<std::weak_ptr<LiveWindow>> disabledByThis;  // released when this window is destroyed
};
using WindowRef = std::shared_ptr<LiveWindow>;

// window_registry.cpp: the declared windows and the open ones.
const DeclaredWindow* FindDeclared(WindowId window);
// Open windows in opening order. A window being closed stays in the list until destroyed, so a
// fresh copy may sit beside it: lookups by id find the newest.
std::vector<WindowRef>& OpenList();
WindowRef FindOpen(WindowId window);
// An open window that takes user input (not disabled); null otherwise.
WindowRef FindEnabled(WindowId window);
// The control of the newest open copy of the window; null when the window is not open. A name
// the declared window lacks is a programmer error, open or not.
LiveControl* FindControl(WindowId window, std::string_view control);

// The index of the named control of the window; a name it does not declare is a programmer error.
int IndexOf(const LiveWindow& window, std::string_view control);

// control_creation.cpp: a fresh live window from the declaration: declared texts, colours and
// checks, first pages on show, nothing focused.
WindowRef Build(const DeclaredWindow& window);

// top_window.cpp: destroys the window at once, without events: the windows it disabled are enabled
// again, and the last window going ends the program.
void Destroy(const WindowRef& window);
// Forgets every window without events and without ending the program (a test's fresh start).
void DestroyAll();

// modal.cpp: disables every other open window and runs the nested loop of the modal window.
void RunModalLoop(const WindowRef& modal);

// control_events.cpp: calls the control's handlers bound to the event, and none once the window is
// destroyed meanwhile.
void Raise(const WindowRef& window, int controlIndex, Event event, const EventArgs& args = {});
// Moves the focus: LostFocus on the control that had it, then GotFocus. Nothing when unchanged.
void MoveFocus(const WindowRef& window, int controlIndex);

// message_loop.cpp: the event queue. Close messages go before user input, as Win32 hands out posted
// messages before input messages.
void PostClose(const WindowRef& window);
void RunQueue();
// Runs one queued event; false when none waits or the program is ending.
bool RunOneEvent();
// Runs a user action as the message loop dispatches it: the queue runs after it, unless the
// action was itself dispatched from inside another event (then the loop already running goes
// on, a modal one included).
void DispatchUserAction(const std::function<void()>& dispatch);
// A key the focused control has seen: Esc without modifiers closes the window as its close box
// does; Tab walks the tab stops on show. Enter has no effect of its own.
void HandleWindowKey(const WindowRef& window, int key, int modifiers);
void ClearQueue();
// Puts the action waiting for the window's modal opening (headless::WhenOpenedModally) first in line.
void QueueModalOpeningAction(WindowId window);
void SetProgramEnding(bool ending);

// message_box.cpp and records.cpp
void ClearMessages();
void ClearRecords();

}  // namespace headless::detail
