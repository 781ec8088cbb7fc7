// Consistency of the window declarations: containers, pages, names, tab stops, events, texts, pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <ostream>
#include <regex>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/window_names.h"
#include "pictures/avatar.h"
#include "pictures/community_banner.h"
#include "pictures/donation.h"
#include "pictures/entry_banner.h"
#include "pictures/follow_banner.h"
#include "pictures/pay_qr_alipay.h"
#include "pictures/pay_qr_wechat.h"
#include "platform/declared_windows.h"
#include "platform/picture.h"
#include "platform/window_model.h"
#include "ui/windows.h"
#include "ui/windows/information_texts.h"

namespace {

struct WindowUnderTest {
    const char* name;  // test name suffix
    const WindowDeclaration& (*declaration)();
    WindowId id;
};

// Every window checked here; a window joins the checks by one line.
const WindowUnderTest kWindows[] = {
    {"Start", StartWindowDeclaration, StartWindow},
    {"UpdateHistory", UpdateHistoryWindowDeclaration, UpdateHistoryWindow},
    {"Faq", FaqWindowDeclaration, FaqWindow},
    {"Community", CommunityWindowDeclaration, CommunityWindow},
    {"Tutorial", TutorialWindowDeclaration, TutorialWindow},
    {"Donation", DonationWindowDeclaration, DonationWindow},
    {"RunStatus", RunStatusWindowDeclaration, RunStatusWindow},
    {"OperationLog", OperationLogWindowDeclaration, OperationLogWindow},
    {"Desktop", DesktopWindowDeclaration, DesktopWindow},
    {"PeakPerformance", PeakPerformanceWindowDeclaration, PeakPerformanceWindow},
    {"RedundantSelection", RedundantSelectionWindowDeclaration, RedundantSelectionWindow},
};
void PrintTo(const WindowUnderTest& window, std::ostream* out) { *out << window.name; }

// The pixel size each picture box's picture has in the layouts.
struct StatedPicture {
    WindowId window;
    std::string_view control;
    int width;
    int height;
};
constexpr StatedPicture kStatedPictures[] = {
    {StartWindow, "图片框1", 1934, 1934},
    {StartWindow, "图片框2", 851, 264},
    {StartWindow, "图片框3", 1667, 592},
    {CommunityWindow, "图片框1", 1670, 568},
    {DonationWindow, "图片框1", 641, 423},
    {DesktopWindow, "图片框1", 1934, 1934},
    {DesktopWindow, "图片框2", 657, 658},
    {DesktopWindow, "图片框3", 478, 484},
};

// The events each kind raises; a binding to any other event could never run.
bool KindRaises(ControlKind kind, Event event)
{
    switch (event) {
    case Event::Clicked:
        return kind == ControlKind::Button || kind == ControlKind::CheckBox;
    case Event::LeftButtonDown:
        return kind == ControlKind::PicBox || kind == ControlKind::TransLabel;
    case Event::GotFocus:
    case Event::LostFocus:
    case Event::KeyDown:
        return kind == ControlKind::EditBox;
    case Event::Created:
        return false;
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

class WindowDeclarations : public ::testing::TestWithParam<WindowUnderTest> {
protected:
    const WindowDeclaration& Window() const { return GetParam().declaration(); }
};

TEST_P(WindowDeclarations, DeclaresItsOwnId) { EXPECT_EQ(Window().id, GetParam().id); }

bool LiesInside(const Rect& inner, const Rect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

// A control over a group box that does not hold it must stand in front of the group, which
// would otherwise hide it.
TEST_P(WindowDeclarations, ControlsOverAGroupTheyDoNotBelongToStandInFrontOfIt)
{
    std::span<const ControlDeclaration> controls = Window().controls;
    for (std::size_t group = 0; group < controls.size(); ++group) {
        if (controls[group].kind != ControlKind::GroupBox) {
            continue;
        }
        for (const ControlDeclaration& control : controls.subspan(group + 1)) {
            bool sibling = control.container == controls[group].container && control.page == controls[group].page;
            EXPECT_FALSE(sibling && LiesInside(control.rect, controls[group].rect))
                << control.name << " lies behind " << controls[group].name;
        }
    }
}

TEST_P(WindowDeclarations, ButtonsCheckBoxesAndEditBoxesAreTabStopsExceptTheCommandBox)
{
    for (const ControlDeclaration& control : Window().controls) {
        const bool tabKind = control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox ||
                             control.kind == ControlKind::EditBox;
        EXPECT_EQ(IsTabStop(control), tabKind && control.name != kCommandBox) << control.name;
    }
}

TEST_P(WindowDeclarations, BindingsUseEventsTheirControlRaises)
{
    for (const ControlDeclaration& control : Window().controls) {
        for (const EventBinding& binding : control.bindings) {
            if (binding.handler != nullptr) {
                EXPECT_TRUE(KindRaises(control.kind, binding.event)) << control.name;
            }
        }
    }
}

TEST_P(WindowDeclarations, TextsBreakLinesWithCarriageReturnLineFeed)
{
    EXPECT_FALSE(HasBareLineFeed(Window().title));
    for (const ControlDeclaration& control : Window().controls) {
        EXPECT_FALSE(HasBareLineFeed(control.caption)) << control.name;
    }
}

TEST_P(WindowDeclarations, EveryPictureDecodesToTheSizeItsLayoutStates)
{
    for (const ControlDeclaration& control : Window().controls) {
        if (control.kind != ControlKind::PicBox) {
            continue;
        }
        auto stated = std::find_if(std::begin(kStatedPictures), std::end(kStatedPictures), [&](const StatedPicture& p) {
            return p.window == Window().id && p.control == control.name;
        });
        ASSERT_NE(stated, std::end(kStatedPictures)) << "no stated size for " << control.name;
        const std::optional<Picture> picture = DecodePicture(control.picture);
        ASSERT_TRUE(picture.has_value()) << control.name << " does not decode";
        EXPECT_EQ(picture->width, stated->width) << control.name;
        EXPECT_EQ(picture->height, stated->height) << control.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowDeclarations, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<WindowUnderTest>& info) { return info.param.name; });

// Names, containers and pages as every window system checks them when it is given the windows: a
// misdeclared window ends this program naming the mistake.
TEST(WindowSet, EveryProgramWindowIsDeclaredOnceAndPassesTheWindowSystemsCheck)
{
    DeclaredWindows declared;
    declared.Replace(AllWindows());
    for (WindowId window = StartWindow; window <= RedundantSelectionWindow; ++window) {
        EXPECT_NE(declared.Find(window), nullptr) << "window " << window;
    }
}

// The payment pictures are shown only by the desktop window, so they are checked here as files.
TEST(PictureFiles, EveryPictureHasItsLayoutSizeAndStaysSmall)
{
    struct File {
        std::span<const std::uint8_t> bytes;
        int width;
        int height;
    };
    const File files[] = {
        {kAvatarJpg, 1934, 1934},      {kFollowBannerJpg, 1667, 592}, {kEntryBannerPng, 851, 264},
        {kCommunityBannerPng, 1670, 568}, {kDonationPng, 641, 423},   {kPayQrAlipayJpg, 657, 658},
        {kPayQrWechatJpg, 478, 484},
    };
    std::size_t total = 0;
    for (const File& file : files) {
        const std::optional<Picture> picture = DecodePicture(file.bytes);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, file.width);
        EXPECT_EQ(picture->height, file.height);
        total += file.bytes.size();
    }
    EXPECT_LT(total, 1500u * 1024) << "the pictures are built into the program file";
}

// Lines of the change history: an entry's first line starts with its date, the others with blanks.
std::vector<std::string> HistoryDates()
{
    const std::string text(UpdateHistoryText());
    const std::regex entryLine(R"((^|\r\n)(\d{4}\.\d{2}\.\d{2})更新)");
    std::vector<std::string> dates;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), entryLine); it != std::sregex_iterator(); ++it) {
        dates.push_back((*it)[2]);
    }
    return dates;
}

TEST(InformationTexts, UpdateHistoryRunsNewestFirstFromTheLatestToTheFirstRelease)
{
    const std::vector<std::string> dates = HistoryDates();
    ASSERT_FALSE(dates.empty());
    EXPECT_EQ(dates.front(), "2023.05.09");
    EXPECT_EQ(dates.back(), "2021.01.20");
    EXPECT_TRUE(std::is_sorted(dates.begin(), dates.end(), std::greater<>())) << "entries out of order";
    EXPECT_EQ(std::set<std::string>(dates.begin(), dates.end()).size(), dates.size()) << "a date twice";
}

TEST(InformationTexts, EveryHistoryLineIsADatedEntryOrAnIndentedContinuation)
{
    const std::string text(UpdateHistoryText());
    ASSERT_TRUE(text.ends_with("\r\n"));
    const std::regex dated(R"(\d{4}\.\d{2}\.\d{2}更新.+)");
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; start = end + 2, end = text.find("\r\n", start)) {
        const std::string line = text.substr(start, end - start);
        EXPECT_TRUE(std::regex_match(line, dated) || line.starts_with("   ")) << line;
    }
}

}  // namespace
