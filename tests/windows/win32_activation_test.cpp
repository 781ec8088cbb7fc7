// Which window has the keyboard and which stands in front: after a message box, and with a modal window open.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"

#include <array>

#include "platform/win32/live_window.h"
#include "platform/window_system.h"
#include "support/message_box_answerer.h"
#include "support/win32_windows.h"

namespace {

enum TestWindow : WindowId { KeeperWindow = 1, FormWindow, ModalWindow };

const ControlDeclaration kFormControls[] = {
    Button("按钮", "确定", {10, 10, 80, 24}),
    EditBox("编辑框", "", {10, 40, 200, 24}),
};
const WindowDeclaration kKeeper{KeeperWindow, "保持窗口", 200, 150, kNoColour, {}, nullptr};
const WindowDeclaration kForm{FormWindow, "表单窗口", 300, 200, kNoColour, kFormControls, nullptr};
const WindowDeclaration kModal{ModalWindow, "模态窗口", 300, 200, kNoColour, {}, nullptr};
const std::array<const WindowDeclaration*, 3> kWindows{&kKeeper, &kForm, &kModal};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new KeeperEnvironment(kWindows, KeeperWindow));

HWND WindowHandle(WindowId id)
{
    LiveWindow* window = FindOpenWindow(id);
    return window != nullptr ? window->handle : nullptr;
}

TEST(MessageBoxes, GivesTheKeyboardBackSoThatEscClosesTheWindowAtOnce)
{
    ASSERT_TRUE(OpenWindow(FormWindow, false));
    HWND form = WindowHandle(FormWindow);
    HWND edit = FindControl(FormWindow, "编辑框")->handle;
    SetForegroundWindow(form);
    SetFocus(edit);
    {
        MessageBoxAnswerer user;
        ShowMessage("完成");
    }
    EXPECT_EQ(GetActiveWindow(), form);
    ASSERT_EQ(GetFocus(), edit) << "the control the user was in";
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    ProcessPendingEvents();
    EXPECT_EQ(FindOpenWindow(FormWindow), nullptr);
}

struct ModalObservation {
    HWND owner = nullptr;
    bool appWindow = false;
    bool aboveOwner = false;
};
ModalObservation observed;

// Whether `front` comes before `back` in the top-level z-order.
bool StandsAbove(HWND front, HWND back)
{
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == front) {
            return true;
        }
        if (window == back) {
            return false;
        }
    }
    return false;
}

// As a click on the disabled keeper's task-bar button: the keeper is brought to the top.
void CALLBACK RaiseOwnerAndObserve(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND modal = WindowHandle(ModalWindow);
    HWND keeper = WindowHandle(KeeperWindow);
    observed.owner = GetWindow(modal, GW_OWNER);
    observed.appWindow = (GetWindowLongW(modal, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
    SetWindowPos(keeper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    observed.aboveOwner = StandsAbove(modal, keeper);
    CloseWindowLater(ModalWindow);
}

TEST(ModalWindow, IsOwnedByItsOpenerAndStaysAboveIt)
{
    HWND keeper = WindowHandle(KeeperWindow);
    SetForegroundWindow(keeper);
    SetTimer(nullptr, 0, 50, RaiseOwnerAndObserve);
    ASSERT_TRUE(OpenWindow(ModalWindow, true));
    EXPECT_EQ(observed.owner, keeper);
    EXPECT_TRUE(observed.appWindow) << "keeps its own task-bar button";
    EXPECT_TRUE(observed.aboveOwner);
    EXPECT_EQ(GetActiveWindow(), keeper) << "the opener is active again";
}

TEST(ModelessWindow, HasNoOwner)
{
    SetForegroundWindow(WindowHandle(KeeperWindow));
    ASSERT_TRUE(OpenWindow(FormWindow, false));
    EXPECT_EQ(GetWindow(WindowHandle(FormWindow), GW_OWNER), nullptr);
    CloseWindowLater(FormWindow);
    ProcessPendingEvents();
}

}  // namespace
