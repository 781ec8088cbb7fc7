// The live windows and controls the Win32 window system builds from the declarations, and the
// internal operations its files share.
#pragma once

#include "platform/win32/windows_api.h"
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/box_lines.h"
#include "platform/declared_windows.h"
#include "platform/picture.h"
#include "platform/window_model.h"

struct LiveWindow;

// Declared positions, sizes and font heights are pixels at this DPI (100 % display scaling).
inline constexpr int kDeclaredDpi = 96;

// How many pixels of a window one declared pixel becomes: numerator / denominator. The monitor's
// DPI over 96, unless the window would then not fit the monitor's work area (dpi.cpp).
struct LayoutScale {
    int numerator = kDeclaredDpi;
    int denominator = kDeclaredDpi;
};

// One control of an open window. Owned by its LiveWindow; valid until the window's handle is gone.
struct LiveControl {
    const ControlDeclaration* declaration = nullptr;
    LiveWindow* window = nullptr;
    LiveControl* container = nullptr;  // the GroupBox or PageControl holding it; null = the window
    HWND handle = nullptr;
    HFONT font = nullptr;               // owned by the window's font cache, or the stock GUI font
    Rgb textColour = kNoColour;         // the declared colour until SetTextColour changes it
    Align align = Align::Left;          // the declared alignment until SetAlignment changes it
    RECT bounds{};                      // the declared rectangle at the window's scale, in its container
    POINT textOrigin{};                 // TransLabel: the rectangle's corner inside its (wider) window
    std::optional<Picture> picture;     // PicBox: already scaled to the (scaled) box and made opaque
    // Multi-line EditBox: its last line, kept by SetText and AppendText, so that appending never
    // reads the whole text back. What a user types into an editable box is not counted.
    BoxLine lastLine;
};

// One open window. Owns its controls and the fonts and brushes they use; those GDI objects are
// released in the destructor, which runs once every window handle of it has been destroyed.
struct LiveWindow {
    const WindowDeclaration* declaration = nullptr;
    HWND handle = nullptr;
    std::uint64_t serial = 0;             // tells two openings of the same window apart
    bool closing = false;                 // CloseWindowLater has posted its close message
    int dpi = kDeclaredDpi;               // its monitor's, which its frame is drawn at
    LayoutScale scale;                    // what its controls, fonts and pictures are scaled by
    bool moving = false;                  // the user is dragging it (between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE)
    std::vector<std::unique_ptr<LiveControl>> controls;  // in declared order
    HWND savedFocus = nullptr;            // the control to give the focus back on reactivation
    std::vector<HWND> disabledWindows;    // modal: the windows this one disabled, enabled again on closing
    std::vector<std::pair<Rgb, HBRUSH>> brushes;
    std::vector<std::pair<FontSpec, HFONT>> fonts;

    LiveWindow() = default;
    LiveWindow(const LiveWindow&) = delete;
    LiveWindow& operator=(const LiveWindow&) = delete;
    ~LiveWindow();
};

// Control identifiers inside a window: the declared index plus this offset.
inline constexpr int kFirstControlId = 100;
// Posted by CloseWindowLater; the window closes when the loop reaches it.
inline constexpr UINT kCloseLaterMessage = WM_APP + 1;

HINSTANCE ModuleInstance();

// dpi.cpp
int ScaleDeclared(int pixels, LayoutScale scale);
RECT ScaleDeclared(const Rect& declared, LayoutScale scale);  // edges scaled, so that touching controls still touch
bool SameScale(LayoutScale a, LayoutScale b);
int SystemDpi();
int WindowDpi(HWND window);  // the DPI of the monitor the window is on (the system DPI before Windows 10)
// A window's declared outer size (frame included, at 96 DPI) and its styles, which give its frame.
struct DeclaredOuter {
    SIZE size;
    DWORD style;
    DWORD exStyle;
};
// The scale for a window on a monitor of this DPI and work area: the DPI's own factor where the
// window then fits the work area, else the largest factor that fits, but not below 1.
LayoutScale ScaleToFit(const DeclaredOuter& declared, int dpi, const RECT& workArea);
// The outer size: the frame at the DPI around the declared client area at the scale.
SIZE OuterSize(const DeclaredOuter& declared, int dpi, LayoutScale scale);

// window_registry.cpp: the declared windows and the open ones.
const DeclaredWindow* FindDeclared(WindowId id);
void RegisterOpenWindow(std::unique_ptr<LiveWindow> window);
// Drops a destroyed window; true when it was registered and was the last open one.
bool ForgetWindow(const LiveWindow* window);
std::vector<LiveWindow*> OpenLiveWindows();  // in opening order
LiveWindow* FindOpenWindow(WindowId id);      // the newest opening, preferring one not being closed
LiveWindow* FindWindowBySerial(std::uint64_t serial);
LiveWindow* WindowOfHandle(HWND anyHandleInside);
LiveControl* ControlOfHandle(HWND control);
// The control of the window's newest opening; null when the window is not open. A name the
// declared window lacks is a programmer error, open or not.
LiveControl* FindControl(WindowId id, std::string_view name);
std::uint64_t NextWindowSerial();

// top_window.cpp: the window class and the window's lifecycle.
bool RegisterTopWindowClass();
void CloseLiveWindow(LiveWindow& window);  // as the close box: re-enables what it disabled, destroys it

// control_creation.cpp
bool CreateControls(LiveWindow& window, const ControlIndex& index);
// After a change of scale: every control re-placed, its font re-created and its picture scaled anew.
void RescaleControls(LiveWindow& window);
// Destroys the control's window and creates it afresh (declared text, current alignment, font
// and place), for what Windows fixes when a control is created. False when that fails.
bool RecreateControl(LiveControl& control);

// pane.cpp: the window class that draws Label, TransLabel, SplitterBar, PicBox and GroupBox.
bool RegisterPaneClass();
extern const wchar_t kPaneClass[];
// Where a TransLabel's window must stand so that its one line of text is never cut off.
RECT TransLabelBounds(const LiveControl& control);

// page_control.cpp
HWND CreatePageControl(LiveControl& control, HWND parent, const RECT& bounds, DWORD style, int id);
void ShowSelectedPage(LiveWindow& window, LiveControl& pageControl);
// Containers pass their children's notifications on to the top-level window.
LRESULT ForwardToTopWindow(HWND container, UINT message, WPARAM wParam, LPARAM lParam);
bool IsForwardedNotification(UINT message);

// colours.cpp
COLORREF ToColorRef(Rgb colour);
HBRUSH WindowBrush(LiveWindow& window, COLORREF colour);
COLORREF WindowBackground(const LiveWindow& window);
COLORREF ContainerBackground(const LiveControl& control);  // what shows behind the control
// The PageControl whose page shows behind the control, when no coloured group stands between.
const LiveControl* PageBehind(const LiveControl& control);
COLORREF ControlBackground(const LiveControl& control);     // its own colour, or the container's
COLORREF ControlTextColour(const LiveControl& control, int systemDefault);
// WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC / WM_CTLCOLORBTN of the top-level window; null = default.
HBRUSH ColourControl(UINT message, HDC dc, HWND control);

// fonts.cpp: fonts at the window's scale, owned by the window.
HFONT WindowFont(LiveWindow& window, const FontSpec& declared);  // height 0: the default GUI font
void ReleaseFonts(std::vector<std::pair<FontSpec, HFONT>>& fonts);

// picture_scaling.cpp
std::optional<Picture> PrepareBoxPicture(std::span<const std::uint8_t> bytes, int width, int height,
                                         COLORREF background);
void DrawPicture(HDC dc, const Picture& picture);

// control_access.cpp: the window's text, as any window holds it.
std::wstring WindowText(HWND handle);

// control_events.cpp: calls the control's handlers bound to the event, and none once its window
// has closed meanwhile.
void RaiseEvent(const LiveControl& control, Event event, const EventArgs& args = {});
void WatchControlEvents(LiveControl& control);
int CurrentModifiers();

// modal.cpp
void RunModalLoop(std::uint64_t serial, HWND owner);

// message_loop.cpp
void DispatchProgramMessage(MSG& message);
void MarkProgramEnding();
