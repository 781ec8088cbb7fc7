// Consistency of the window declarations: stacking, containers, pages, names, events, texts, pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/window_names.h"
#include "platform/declared_windows.h"
#include "platform/picture.h"
#include "platform/window_model.h"
#include "ui/windows.h"
#include "ui/windows/desktop_window.h"

namespace {

// The events each kind raises; a binding to any other event could never run.
bool KindRaises(ControlKind kind, Event event)
{
    switch (event) {
    case Event::Clicked: return kind == ControlKind::Button || kind == ControlKind::CheckBox;
    case Event::LeftButtonDown: return kind == ControlKind::PicBox || kind == ControlKind::TransLabel;
    case Event::GotFocus:
    case Event::LostFocus:
    case Event::KeyDown: return kind == ControlKind::EditBox;
    case Event::Created: return false;
    }
    return false;
}

bool HasBareLineFeed(std::string_view text)
{
    for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r') {
            return true;
        }
    }
    return false;
}

// Where the layouts themselves depart from a rule below.
enum class Rule { InFrontOfGroups, InsideContainer, Bound };
bool Excepted(WindowId window, std::string_view control, Rule rule)
{
    static const std::set<std::tuple<WindowId, std::string_view, Rule>> laidOutSo = {
        {PeakPerformanceWindow, "标签1", Rule::InFrontOfGroups},  // the banner reaches under the brand group
        {DesktopWindow, "透明标签138", Rule::InsideContainer},    // three pixels past its group's lower edge
        {DesktopWindow, "按钮182", Rule::Bound},                  // "点击后看手机" only guides the user
    };
    return laidOutSo.contains({window, control, rule});
}

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

// A picture that does not decode shows nothing; one smaller than its box is enlarged, blurred.
void ExpectPictureNoSmallerThanItsBox(const ControlDeclaration& control)
{
    const std::optional<Picture> picture = DecodePicture(control.picture);
    ASSERT_TRUE(picture.has_value()) << control.name << " does not decode";
    EXPECT_TRUE(picture->width >= control.rect.width && picture->height >= control.rect.height) << control.name;
}

// For every window: the window systems stack controls in declaration order, front-most first, so a
// control over a group box that does not hold it, declared after the group, would be hidden by it.
// A child is placed relative to its group, a page child relative to the page control: a position
// taken from the wrong corner puts it outside. Texts break lines with CR LF, as the edit boxes and
// captions of Windows need. A binding to an event its control never raises could never run. The
// pictures are built into the program file, so together they stay small.
TEST(WindowDeclarations, ControlsStandInFrontInsideTheirContainersBoundAndWithTheirPictures)
{
    std::set<const std::uint8_t*> pictures;
    std::size_t pictureBytes = 0;
    for (const WindowDeclaration* window : AllWindows()) {
        SCOPED_TRACE(window->title);
        std::span<const ControlDeclaration> controls = window->controls;
        const ControlIndex index(*window);
        EXPECT_FALSE(HasBareLineFeed(window->title));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const ControlDeclaration& control = controls[i];
            for (const ControlDeclaration& later : controls.subspan(i + 1)) {
                bool sibling = later.container == control.container && later.page == control.page;
                EXPECT_FALSE(control.kind == ControlKind::GroupBox && sibling && later.kind != ControlKind::GroupBox &&
                             Overlap(later.rect, control.rect) && !Excepted(window->id, later.name, Rule::InFrontOfGroups))
                    << later.name << " lies behind " << control.name;
            }
            const int container = index.ContainerOf(static_cast<int>(i));
            if (container >= 0 && !Excepted(window->id, control.name, Rule::InsideContainer)) {
                const Rect& inner = control.rect;
                const Rect& outer = controls[static_cast<std::size_t>(container)].rect;
                EXPECT_TRUE(inner.left >= 0 && inner.top >= 0 && inner.left + inner.width <= outer.width &&
                            inner.top + inner.height <= outer.height)
                    << control.name << " outside " << control.container;
            }
            EXPECT_FALSE(HasBareLineFeed(control.caption)) << control.name;
            bool clickable = false;
            for (const EventBinding& binding : control.bindings) {
                if (binding.handler != nullptr) {
                    EXPECT_TRUE(KindRaises(control.kind, binding.event)) << control.name;
                    clickable = clickable || binding.event == Event::Clicked;
                }
            }
            EXPECT_TRUE(clickable || control.kind != ControlKind::Button || Excepted(window->id, control.name, Rule::Bound))
                << "a button that does nothing: " << control.name;
            if (control.kind == ControlKind::PicBox) {
                ExpectPictureNoSmallerThanItsBox(control);
                pictureBytes += pictures.insert(control.picture.data()).second ? control.picture.size() : 0;
            }
        }
    }
    EXPECT_LT(pictureBytes, 1500u * 1024);
}

// Names, containers and pages as every window system checks them when it is given the windows: a
// misdeclared window ends this program naming the mistake. A window left out of the set could
// never open.
TEST(WindowSet, EveryProgramWindowIsDeclaredOnceAndPassesTheWindowSystemsCheck)
{
    DeclaredWindows declared;
    declared.Replace(AllWindows());
    for (WindowId window = StartWindow; window <= RedundantSelectionWindow; ++window) {
        EXPECT_NE(declared.Find(window), nullptr) << "window " << window;
    }
}

struct PageModule {
    DesktopPage page;
    std::span<const ControlDeclaration> (*controls)();
};

// The desktop window is composed from the page modules: a control on another page than its
// module's, or in another module's group, would show where no one looks for it.
TEST(DesktopPages, EveryPageModulesControlsAreOnItsOwnPage)
{
    const PageModule modules[] = {{MainMenuPage, MainMenuPageControls}, {HuaweiPage, HuaweiPageControls},
                                  {HonorPage, HonorPageControls},       {XiaomiPage, XiaomiPageControls},
                                  {FunctionPage, FunctionPageControls}, {AnimationPage, AnimationPageControls},
                                  {SlimmingPage, SlimmingPageControls}, {RootPage, RootPageControls}};
    for (const PageModule& module : modules) {
        std::set<std::string_view> groups;
        for (const ControlDeclaration& control : module.controls()) {
            if (control.kind == ControlKind::GroupBox) {
                groups.insert(control.name);
            }
        }
        for (const ControlDeclaration& control : module.controls()) {
            if (control.container == kDesktopTabs) {
                EXPECT_EQ(control.page, module.page) << control.name;
            } else {
                EXPECT_TRUE(groups.contains(control.container)) << control.name << " in " << control.container;
            }
        }
    }
}

}  // namespace
