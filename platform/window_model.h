// The declaration model: windows and controls as static data that every window system builds from.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// A window's identity, as the program numbers its windows.
using WindowId = std::uint32_t;

// Colours are 0xRRGGBB, as the layouts write them (#RRGGBB).
using Rgb = std::uint32_t;
inline constexpr Rgb kNoColour = 0xFFFFFFFFu;  // the window system's own colour for that element

enum class ControlKind { EditBox, PicBox, GroupBox, Label, Button, CheckBox, TransLabel, SplitterBar, PageControl };

enum class Event { Clicked, Created, LeftButtonDown, GotFocus, LostFocus, KeyDown };

// What the window system hands a handler: the key of KeyDown, the point of LeftButtonDown.
struct EventArgs {
    int key = 0;        // virtual-key code (13 = Enter, 27 = Esc, 9 = Tab)
    int modifiers = 0;  // ModifierShift | ModifierControl | ModifierAlt
    int x = 0;
    int y = 0;
};
inline constexpr int ModifierShift = 1;
inline constexpr int ModifierControl = 2;
inline constexpr int ModifierAlt = 4;

using Handler = void (*)(const EventArgs&);

struct EventBinding {
    Event event = Event::Clicked;
    Handler handler = nullptr;
};

// Face "" = the system's default face; height in pixels; weight 400 or 700. Character set GB2312.
struct FontSpec {
    std::string_view face;
    int height = 0;
    int weight = 400;
    bool underline = false;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class Align { Left, Centre };
enum class Border { None, Sunken, Single };

// One control. Built with the kind functions below and refined with the chained setters, so that
// a window's module reads like its layout table: one line per control, front-most first.
struct ControlDeclaration {
    ControlKind kind = ControlKind::Label;
    std::string_view name;
    std::string_view caption;       // caption, or the initial content of an edit box
    Rect rect;                      // relative to the container (a page child: the PageControl's corner)
    std::string_view container;     // name of the GroupBox or PageControl holding it; "" = the window
    int page = -1;                  // page index, only for direct children of the PageControl
    Rgb textColour = kNoColour;
    Rgb background = kNoColour;
    FontSpec font;                  // height 0 = no font: the default GUI font
    Align align = Align::Left;
    bool wordWrap = false;
    Border border = Border::None;
    bool multiLine = false;
    bool verticalScroll = false;
    bool readOnly = false;
    bool checked = false;
    bool skipsTab = false;                   // a tab-stop kind that Tab passes over
    std::span<const std::uint8_t> picture;   // PNG or JPEG bytes of a PicBox
    std::span<const std::string_view> pages; // page captions of a PageControl
    std::array<EventBinding, 3> bindings{};  // unused slots have no handler

    constexpr ControlDeclaration In(std::string_view group) const { auto c = *this; c.container = group; return c; }
    constexpr ControlDeclaration OnPage(std::string_view pageControl, int index) const
    {
        auto c = *this;
        c.container = pageControl;
        c.page = index;
        return c;
    }
    constexpr ControlDeclaration Colours(Rgb text, Rgb back = kNoColour) const
    {
        auto c = *this;
        c.textColour = text;
        c.background = back;
        return c;
    }
    constexpr ControlDeclaration Font(FontSpec f) const { auto c = *this; c.font = f; return c; }
    constexpr ControlDeclaration Centred() const { auto c = *this; c.align = Align::Centre; return c; }
    constexpr ControlDeclaration WordWrap() const { auto c = *this; c.wordWrap = true; return c; }
    constexpr ControlDeclaration Framed(Border b) const { auto c = *this; c.border = b; return c; }
    constexpr ControlDeclaration MultiLine() const { auto c = *this; c.multiLine = true; return c; }
    constexpr ControlDeclaration Scrolled() const { auto c = *this; c.verticalScroll = true; return c; }
    constexpr ControlDeclaration ReadOnly() const { auto c = *this; c.readOnly = true; return c; }
    constexpr ControlDeclaration Checked() const { auto c = *this; c.checked = true; return c; }
    constexpr ControlDeclaration SkipsTab() const { auto c = *this; c.skipsTab = true; return c; }
    constexpr ControlDeclaration On(Event event, Handler handler) const
    {
        auto c = *this;
        for (auto& slot : c.bindings) {
            if (slot.handler == nullptr) {
                slot = {event, handler};
                break;
            }
        }
        return c;
    }
};

constexpr ControlDeclaration Control(ControlKind kind, std::string_view name, std::string_view caption, Rect rect)
{
    ControlDeclaration c;
    c.kind = kind;
    c.name = name;
    c.caption = caption;
    c.rect = rect;
    return c;
}
constexpr ControlDeclaration EditBox(std::string_view name, std::string_view text, Rect r) { return Control(ControlKind::EditBox, name, text, r); }
constexpr ControlDeclaration GroupBox(std::string_view name, std::string_view caption, Rect r) { return Control(ControlKind::GroupBox, name, caption, r); }
constexpr ControlDeclaration Label(std::string_view name, std::string_view caption, Rect r) { return Control(ControlKind::Label, name, caption, r); }
constexpr ControlDeclaration Button(std::string_view name, std::string_view caption, Rect r) { return Control(ControlKind::Button, name, caption, r); }
constexpr ControlDeclaration CheckBox(std::string_view name, std::string_view caption, Rect r) { return Control(ControlKind::CheckBox, name, caption, r); }
constexpr ControlDeclaration TransLabel(std::string_view name, std::string_view caption, Rect r) { return Control(ControlKind::TransLabel, name, caption, r); }
constexpr ControlDeclaration PicBox(std::string_view name, std::span<const std::uint8_t> picture, Rect r)
{
    auto c = Control(ControlKind::PicBox, name, {}, r);
    c.picture = picture;
    return c;
}
constexpr ControlDeclaration SplitterBar(std::string_view name, Rect r)
{
    auto c = Control(ControlKind::SplitterBar, name, {}, r);
    c.background = 0x8080C0;
    return c;
}
constexpr ControlDeclaration PageControl(std::string_view name, std::span<const std::string_view> pages, Rect r)
{
    auto c = Control(ControlKind::PageControl, name, {}, r);
    c.pages = pages;
    c.font = {"黑体", 19};
    return c;
}

struct WindowDeclaration {
    WindowId id = 0;
    std::string_view title;
    int width = 0;   // outer size, frame and title bar included
    int height = 0;
    Rgb background = kNoColour;
    std::span<const ControlDeclaration> controls;  // front-most first
    Handler created = nullptr;
};

// Buttons, check boxes and edit boxes take the focus with Tab, unless declared to skip it.
constexpr bool IsTabStop(const ControlDeclaration& c)
{
    return (c.kind == ControlKind::Button || c.kind == ControlKind::CheckBox || c.kind == ControlKind::EditBox) &&
           !c.skipsTab;
}
