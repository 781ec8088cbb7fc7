// Real Win32 windows built from test declarations: geometry, looks, events, keyboard, modality,
// activation (which window has the keyboard and which stands in front), the loops (a run nested in
// a run, the program's end) and the fatal-error report.
#include <gtest/gtest.h>

#include "platform/win32/windows_api.h"
#include <commctrl.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/command_state.h"
#include "core/runner.h"
#include "core/window_names.h"
#include "platform/win32/live_window.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/wide.h"
#include "platform/window_system.h"
#include "support/fake_phone.h"
#include "support/message_box_answerer.h"
#include "support/program_start.h"
#include "support/win32_windows.h"

namespace {

// The form is the desktop window, where the runner shows a command's output.
constexpr WindowId FormWindow = DesktopWindow;
enum TestWindow : WindowId { KeeperWindow = 100, ModalWindow };

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}
void Note(std::string entry) { Log().push_back(std::move(entry)); }

void OnButton(const EventArgs&) { Note("clicked 按钮"); }
void OnCheckBox(const EventArgs&) { Note(IsChecked(FormWindow, "选择框") ? "clicked ticked" : "clicked clear"); }
void OnCommandKey(const EventArgs& a) { Note("key 命令框 " + std::to_string(a.key) + " " + std::to_string(a.modifiers)); }
void OnLinesKey(const EventArgs& a) { Note("key 多行框 " + std::to_string(a.key)); }
void OnLinesFocus(const EventArgs&) { Note("focus 多行框"); }
void OnLinesBlur(const EventArgs&) { Note("blur 多行框"); }
void OnPicturePress(const EventArgs& a) { Note("press 图片 " + std::to_string(a.x) + "," + std::to_string(a.y)); }
void OnLabelPress(const EventArgs&) { Note("press 透明"); }
void OnFormCreated(const EventArgs&) { Note("created " + GetText(FormWindow, kOutputBox)); }

// A 2 x 1 PNG: a red pixel, then a blue one.
constexpr std::uint8_t kRedBluePng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x7B, 0x40, 0xE8, 0xDD, 0x00, 0x00, 0x00,
    0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0x00, 0x04, 0xFF, 0x01, 0x07, 0x00, 0x01, 0xFF,
    0xE2, 0x23, 0x9E, 0x59, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
constexpr std::uint8_t kCutPng[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49};
constexpr std::string_view kPages[] = {"一", "二"};

const ControlDeclaration kFormControls[] = {
    Button("按钮", "确定", {10, 10, 80, 24}).Font({"新宋体", 14}).On(Event::Clicked, OnButton),
    CheckBox("选择框", "华为", {10, 40, 80, 24}).Colours(0xFF0000, 0x00FF00).On(Event::Clicked, OnCheckBox),
    EditBox("命令框", "", {10, 70, 200, 24}).Framed(Border::Single).SkipsTab().On(Event::KeyDown, OnCommandKey),
    EditBox(kOutputBox, "第一行\r\n", {10, 100, 200, 45}).MultiLine().Scrolled().ReadOnly().Colours(0x000000, 0xB4B4DA),
    EditBox("多行框", "ab", {220, 100, 100, 45}).MultiLine().On(Event::KeyDown, OnLinesKey)
        .On(Event::GotFocus, OnLinesFocus).On(Event::LostFocus, OnLinesBlur),
    Button("组内按钮", "组", {5, 20, 60, 24}).In("分组框"),
    GroupBox("分组框", "分组", {220, 10, 150, 80}).Colours(0x000000, 0xE0E0FF),
    Button("页一按钮", "一", {10, 40, 60, 24}).OnPage("页面", 0),
    Label("页二标签", "二", {10, 40, 60, 24}).OnPage("页面", 1),
    PageControl("页面", kPages, {10, 170, 200, 100}),
    PicBox("图片", kRedBluePng, {300, 180, 40, 20}).On(Event::LeftButtonDown, OnPicturePress),
    PicBox("坏图片", kCutPng, {350, 180, 20, 20}),
    TransLabel("透明", "这一行字比它的标签宽得多", {220, 150, 40, 16}).On(Event::LeftButtonDown, OnLabelPress),
    TransLabel("空白", "", {20, 150, 40, 8}),
    Label("标签", "标签", {220, 220, 60, 20}).Colours(0x0000FF, 0xFFFF00),
    SplitterBar("分隔条", {0, 148, 400, 12}),
};
const WindowDeclaration kKeeper{KeeperWindow, "保持窗口", 200, 150, kNoColour, {}, nullptr};
const WindowDeclaration kForm{FormWindow, "测试窗口", 400, 300, 0xFFFFFF, kFormControls, OnFormCreated};
const WindowDeclaration kModal{ModalWindow, "模态窗口", 300, 200, kNoColour, {}, nullptr};
const std::array<const WindowDeclaration*, 3> kWindows{&kKeeper, &kForm, &kModal};


HWND Handle(WindowId window, std::string_view control) { return FindControl(window, control)->handle; }
HWND WindowHandle(WindowId window) { return FindOpenWindow(window)->handle; }
bool IsOpen(WindowId window) { return FindOpenWindow(window) != nullptr; }

POINT OffsetWithin(HWND child, HWND container)
{
    RECT c;
    RECT p;
    GetWindowRect(child, &c);
    GetWindowRect(container, &p);
    return {c.left - p.left, c.top - p.top};
}

COLORREF PixelOf(HWND control, int x, int y)
{
    HDC dc = GetDC(control);
    COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(control, dc);
    return pixel;
}

void PostKey(HWND target, WPARAM key) { PostMessageW(target, WM_KEYDOWN, key, 1); }

// Pretends that the given keys are held down while the messages posted before are processed.
void ProcessHolding(std::initializer_list<int> keys)
{
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE held[256];
    std::copy(std::begin(saved), std::end(saved), held);
    for (int key : keys) {
        held[key] = 0x80;
    }
    SetKeyboardState(held);
    ProcessPendingEvents();
    SetKeyboardState(saved);
}

// The keeper stays open for the whole run, so that no test ends the program by closing its last window.
class FormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        StartWithWindows(kWindows);
        ASSERT_TRUE(OpenWindow(KeeperWindow, false));
    }
    void SetUp() override
    {
        Log().clear();
        ASSERT_TRUE(OpenWindow(FormWindow, false));
        form = WindowHandle(FormWindow);
        RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    void TearDown() override
    {
        CloseWindowLater(FormWindow);
        ProcessPendingEvents();
    }
    HWND form = nullptr;
};

// The window has its declared outer size, centred; controls stand relative to their containers,
// stacked front to rear in declared order; Created runs inside OpenWindow once every control exists.
// The first page is shown, and switching pages swaps their children.
TEST_F(FormTest, WindowAndControlsStandAsDeclared)
{
    RECT r;
    GetWindowRect(form, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    LONG style = GetWindowLongW(form, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));

    const struct {
        const char* name;
        POINT offset;
        LONG x, y;
    } placed[] = {{"按钮", ClientOffset(Handle(FormWindow, "按钮"), form), 10, 10},
                  {"组内按钮", OffsetWithin(Handle(FormWindow, "组内按钮"), Handle(FormWindow, "分组框")), 5, 20},
                  {"页一按钮", OffsetWithin(Handle(FormWindow, "页一按钮"), Handle(FormWindow, "页面")), 10, 40}};
    for (const auto& p : placed) {
        EXPECT_EQ(p.offset.x, p.x) << p.name;
        EXPECT_EQ(p.offset.y, p.y) << p.name;
    }
    EXPECT_EQ(GetWindow(Handle(FormWindow, "按钮"), GW_HWNDNEXT), Handle(FormWindow, "选择框"));
    EXPECT_EQ(GetWindow(Handle(FormWindow, "分组框"), GW_HWNDNEXT), Handle(FormWindow, "页面"));
    EXPECT_EQ(GetWindow(Handle(FormWindow, "按钮"), GW_HWNDFIRST), Handle(FormWindow, "按钮"));
    EXPECT_EQ(GetWindow(Handle(FormWindow, "按钮"), GW_HWNDLAST), Handle(FormWindow, "分隔条"));
    EXPECT_TRUE(OpenWindow(FormWindow, false));
    EXPECT_EQ(WindowHandle(FormWindow), form) << "opening an open window keeps the one copy";
    EXPECT_EQ(Log(), std::vector<std::string>{"created 第一行\r\n"});

    // Declared fonts have their pixel height and the Chinese character set; undeclared ones are the GUI font.
    LOGFONTW button = FontOf(Handle(FormWindow, "按钮"));
    EXPECT_EQ(std::wstring(button.lfFaceName), L"新宋体");
    EXPECT_EQ(button.lfHeight, -14);
    EXPECT_EQ(button.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(button.lfQuality, PROOF_QUALITY);
    LOGFONTW headers = FontOf(Handle(FormWindow, "页面"));
    EXPECT_EQ(std::wstring(headers.lfFaceName), L"黑体");
    EXPECT_EQ(headers.lfHeight, -19);
    EXPECT_EQ(SendMessageW(Handle(FormWindow, kOutputBox), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));

    HWND pages = Handle(FormWindow, "页面");
    EXPECT_TRUE(IsWindowVisible(Handle(FormWindow, "页一按钮")));
    EXPECT_FALSE(IsWindowVisible(Handle(FormWindow, "页二标签")));
    SendMessageW(pages, TCM_SETCURSEL, 1, 0);
    NMHDR change{pages, static_cast<UINT_PTR>(GetDlgCtrlID(pages)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(GetParent(pages), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
    EXPECT_FALSE(IsWindowVisible(Handle(FormWindow, "页一按钮")));
    EXPECT_TRUE(IsWindowVisible(Handle(FormWindow, "页二标签")));
}

// The read-only edit box and the check box ask for their declared colours; the self-drawn kinds
// paint theirs and their pictures; a transparent label shows what lies behind and keeps its whole line.
TEST_F(FormTest, DeclaredColoursPicturesAndTransparencyArePainted)
{
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(Handle(FormWindow, kOutputBox))));
    LOGBRUSH fill{};
    GetObjectW(brush, sizeof(fill), &fill);
    EXPECT_EQ(fill.lbColor, RGB(0xB4, 0xB4, 0xDA));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Handle(FormWindow, "选择框")));
    EXPECT_EQ(GetTextColor(dc), RGB(0xFF, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0xFF, 0));
    SetTextColour(FormWindow, kOutputBox, 0x808080);
    SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Handle(FormWindow, kOutputBox)));
    EXPECT_EQ(GetTextColor(dc), RGB(0x80, 0x80, 0x80));
    DeleteDC(dc);

    EXPECT_EQ(PixelOf(Handle(FormWindow, "分隔条"), 5, 5), RGB(0x80, 0x80, 0xC0));
    EXPECT_EQ(PixelOf(Handle(FormWindow, "标签"), 1, 1), RGB(0xFF, 0xFF, 0));
    EXPECT_EQ(PixelOf(Handle(FormWindow, "分组框"), 140, 70), RGB(0xE0, 0xE0, 0xFF));
    EXPECT_EQ(PixelOf(Handle(FormWindow, "图片"), 2, 10), RGB(0xFF, 0, 0));
    EXPECT_EQ(PixelOf(Handle(FormWindow, "图片"), 37, 10), RGB(0, 0, 0xFF));
    EXPECT_EQ(PixelOf(Handle(FormWindow, "坏图片"), 10, 10), GetSysColor(COLOR_BTNFACE));

    EXPECT_EQ(PixelOf(Handle(FormWindow, "空白"), 20, 4), RGB(0x80, 0x80, 0xC0));
    HWND label = Handle(FormWindow, "透明");
    RECT r;
    GetWindowRect(label, &r);
    EXPECT_GT(r.right - r.left, 40);
    // The band behind must not have painted over the text.
    int inked = 0;
    for (int x = 0; x < r.right - r.left; ++x) {
        for (int y = 0; y < r.bottom - r.top; ++y) {
            COLORREF pixel = PixelOf(label, x, y);
            inked += pixel != RGB(0x80, 0x80, 0xC0) && pixel != RGB(0xFF, 0xFF, 0xFF) ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 20);
}

// A check box has toggled before Clicked runs, and SetChecked raises nothing; LeftButtonDown fires
// on the press, with its point, also on a transparent label.
TEST_F(FormTest, ClicksAndPressesReachTheirHandlers)
{
    Log().clear();
    SendMessageW(Handle(FormWindow, "选择框"), BM_CLICK, 0, 0);
    SetChecked(FormWindow, "选择框", false);
    SendMessageW(Handle(FormWindow, "按钮"), BM_CLICK, 0, 0);
    PostMessageW(Handle(FormWindow, "图片"), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    PostMessageW(Handle(FormWindow, "图片"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    PostMessageW(Handle(FormWindow, "透明"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ProcessPendingEvents();
    EXPECT_EQ(Log(), (std::vector<std::string>{"clicked ticked", "clicked 按钮", "press 图片 3,4", "press 透明"}));
    EXPECT_FALSE(IsChecked(FormWindow, "选择框"));
}

TEST_F(FormTest, TabWalksTheTabStopsIntoGroupsAndPagesAndSkipsTheSkippedBox)
{
    SetFocus(Handle(FormWindow, "按钮"));
    std::vector<HWND> visited;
    for (int step = 0; step < 6; ++step) {
        PostKey(GetFocus(), VK_TAB);
        ProcessPendingEvents();
        visited.push_back(GetFocus());
    }
    std::vector<HWND> expected{Handle(FormWindow, "选择框"), Handle(FormWindow, kOutputBox),
                               Handle(FormWindow, "多行框"), Handle(FormWindow, "组内按钮"),
                               Handle(FormWindow, "页一按钮"), Handle(FormWindow, "按钮")};
    EXPECT_EQ(visited, expected);
    PostKey(GetFocus(), VK_TAB);
    ProcessHolding({VK_SHIFT});
    EXPECT_EQ(GetFocus(), Handle(FormWindow, "页一按钮"));
}

// KeyDown sees Enter, with its modifiers, and the edit box still gets the key. Esc closes the
// window, but not with Control held; so does the close box; CloseWindowLater waits for the loop.
// A closed or undeclared window reads empty, ignores writes and does not open; the keeper stays
// open throughout.
TEST_F(FormTest, KeysTheCloseBoxAndCloseWindowLaterCloseTheWindowOnlyWhenMeantTo)
{
    Log().clear();
    HWND lines = Handle(FormWindow, "多行框");
    SetFocus(lines);
    PostKey(lines, VK_RETURN);
    ProcessPendingEvents();
    PostKey(Handle(FormWindow, "命令框"), VK_RETURN);
    ProcessHolding({VK_SHIFT});
    EXPECT_EQ(Log(), (std::vector<std::string>{"focus 多行框", "key 多行框 13", "key 命令框 13 1"}));
    EXPECT_EQ(GetText(FormWindow, "多行框"), "\r\nab");
    PostKey(lines, VK_ESCAPE);
    ProcessHolding({VK_CONTROL});
    EXPECT_TRUE(IsOpen(FormWindow));
    Log().clear();
    PostKey(lines, VK_ESCAPE);
    ProcessPendingEvents();
    EXPECT_FALSE(IsOpen(FormWindow));
    EXPECT_EQ(Log(), (std::vector<std::string>{"key 多行框 27", "blur 多行框"}));

    ASSERT_TRUE(OpenWindow(FormWindow, false));
    PostMessageW(WindowHandle(FormWindow), WM_SYSCOMMAND, SC_CLOSE, 0);
    ProcessPendingEvents();
    EXPECT_FALSE(IsOpen(FormWindow));
    SetText(FormWindow, kOutputBox, "x");
    AppendText(FormWindow, kOutputBox, "x");
    SetChecked(FormWindow, "选择框", true);
    EXPECT_EQ(GetText(FormWindow, kOutputBox), "");
    EXPECT_FALSE(IsChecked(FormWindow, "选择框"));
    EXPECT_FALSE(OpenWindow(999, false));

    ASSERT_TRUE(OpenWindow(FormWindow, false));
    HWND reopened = WindowHandle(FormWindow);
    CloseWindowLater(FormWindow);
    EXPECT_TRUE(IsWindow(reopened));
    ProcessPendingEvents();
    EXPECT_FALSE(IsWindow(reopened));
    EXPECT_TRUE(IsOpen(KeeperWindow));
}

TEST_F(FormTest, AppendTextKeepsEarlierTextAndTheUsersSelectionAndNothingIsCutOff)
{
    HWND box = Handle(FormWindow, kOutputBox);
    SendMessageW(box, EM_SETSEL, 0, 2);
    AppendText(FormWindow, kOutputBox, "第二行");
    EXPECT_EQ(GetText(FormWindow, kOutputBox), "第一行\r\n第二行");
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);
    SendMessageW(box, EM_SETSEL, 8, 8);
    AppendText(FormWindow, kOutputBox, "尾");
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 9u);

    std::string text;
    for (int line = 0; line < 1000; ++line) {
        text += std::string(98, 'x') + "\r\n";
    }
    SetText(FormWindow, kOutputBox, text);
    AppendText(FormWindow, kOutputBox, "yz");
    EXPECT_EQ(GetText(FormWindow, kOutputBox).size(), 100002u) << "long texts are not cut off";
}

void CALLBACK RunInner(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    State().currentCommand = "echo inner";
    RunCurrentCommand();
    Note(GetText(FormWindow, kOutputBox));
}

// A run started while another waits for adb (here from a timer, as from a click) completes, and the
// outer run goes on to its end.
TEST_F(FormTest, RunStartedDuringARunCompletesAndTheOuterRunGoesOn)
{
    FakePhone phone("device");
    phone.Set("FAKE_ADB_DELAY_MS", "300");
    Log().clear();
    SetTimer(nullptr, 0, 50, RunInner);
    State().currentCommand = "adb get-state";
    RunCurrentCommand();
    EXPECT_EQ(Log(), std::vector<std::string>{"inner\r\n"});
    EXPECT_EQ(GetText(FormWindow, kOutputBox), "inner\r\ndevice\r\n");
}

struct HelperEnding {
    DWORD exitCode = 0;
    std::vector<std::string> messages;  // the texts of its "信息：" boxes, in order
};

// Starts the helper program beside the test program with the arguments, answers every box it shows
// with OK (after the observer, if any, has seen it) and waits at most a minute for its end; a
// helper that runs longer fails the test and is ended.
HelperEnding RunHelperProgram(std::string_view arguments, MessageBoxAnswerer::Observer observer = {})
{
    std::wstring commandLine =
        L"\"" + Utf8ToWide(JoinPath(ProgramDirectory(), "fatal_error_program.exe")) + L"\" " + Utf8ToWide(arguments);
    STARTUPINFOW startInfo{};
    startInfo.cb = sizeof(startInfo);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startInfo,
                        &started)) {
        ADD_FAILURE() << "could not start the helper program";
        return {};
    }
    OwnedHandle process(started.hProcess);
    OwnedHandle thread(started.hThread);
    HelperEnding ending;
    MessageBoxAnswerer answerer(std::move(observer), started.dwProcessId);
    if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the helper program did not end";
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), INFINITE);
    }
    GetExitCodeProcess(process.Get(), &ending.exitCode);
    ending.messages = answerer.Texts();
    return ending;
}

// In a helper program (helpers/fatal_error_program.cpp), each report ends the program with exit
// code -1 instead of passing unnoticed: a misdeclared window or control (as on the headless window
// system), and a failed allocation even when no allocation succeeds any more.
TEST(FatalError, IsReportedOnceAndEndsTheProgramWithExitCodeMinusOne)
{
    const std::pair<const char*, const char*> cases[] = {
        {"container", "程序错误：窗口 1 的控件 迷路按钮 所在的容器 不存在 没有声明"},
        {"control", "程序错误：窗口 1 没有名为 没有这个控件 的控件"},
        {"allocate", "分配 100 字节内存失败!"},
    };
    for (const auto& [mistake, report] : cases) {
        HelperEnding ending = RunHelperProgram(mistake);
        EXPECT_EQ(ending.messages, std::vector<std::string>{std::string("运行时出错!\r\n") + report}) << mistake;
        EXPECT_EQ(ending.exitCode, static_cast<DWORD>(-1)) << mistake;
    }
}

// The report's own message loop runs the program's windows; a second failure there (the helper's
// window fails on a message sent to it while the report is shown) must end the program at once,
// unanswered, instead of nesting a second report, and a third, until the stack overflows.
TEST(FatalError, FailureWhileTheReportIsShownEndsTheProgramAtOnce)
{
    bool endedUnanswered = false;
    auto failAgain = [&endedUnanswered](const std::string&) {
        HWND window = FindWindowW(L"FailingWindow", nullptr);
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        OwnedHandle program(OpenProcess(SYNCHRONIZE, FALSE, id));
        PostMessageW(window, WM_APP, 0, 0);
        endedUnanswered = program && WaitForSingleObject(program.Get(), 10000) == WAIT_OBJECT_0;
    };
    HelperEnding ending = RunHelperProgram("fails-while-shown", failAgain);
    EXPECT_EQ(ending.messages, std::vector<std::string>{"运行时出错!\r\nfirst"});
    EXPECT_TRUE(endedUnanswered);
    EXPECT_EQ(ending.exitCode, static_cast<DWORD>(-1));
}

TEST(FatalError, LongDetailIsCutAtACharacterBoundary)
{
    HelperEnding ending = RunHelperProgram("long-detail");
    ASSERT_EQ(ending.messages.size(), 1u);
    const std::string heading = "运行时出错!\r\n";
    ASSERT_TRUE(ending.messages[0].starts_with(heading)) << ending.messages[0];
    std::string detail = ending.messages[0].substr(heading.size());
    EXPECT_FALSE(detail.empty());
    EXPECT_EQ(detail.size() % 3, 0u) << "a character was split";
    EXPECT_EQ(detail.find_first_not_of("错"), std::string::npos) << detail;
    EXPECT_EQ(ending.exitCode, static_cast<DWORD>(-1));
}

// After a message box the keyboard is back in the control the user was in, so that Esc closes the
// window at once; a modeless window has no owner.
TEST_F(FormTest, MessageBoxGivesTheKeyboardBackAndModelessWindowsHaveNoOwner)
{
    EXPECT_EQ(GetWindow(form, GW_OWNER), nullptr);
    HWND edit = Handle(FormWindow, "多行框");
    SetForegroundWindow(form);
    SetFocus(edit);
    {
        MessageBoxAnswerer user;
        ShowMessage("完成");
    }
    EXPECT_EQ(GetActiveWindow(), form);
    ASSERT_EQ(GetFocus(), edit);
    PostKey(edit, VK_ESCAPE);
    ProcessPendingEvents();
    EXPECT_FALSE(IsOpen(FormWindow));
}

struct ModalObservation {
    bool keeperEnabled = true;
    bool modalEnabled = false;
    HWND owner = nullptr;
    bool appWindow = false;
    bool aboveOwner = false;
};
ModalObservation observed;

// Whether `front` comes before `back` in the top-level z-order.
bool StandsAbove(HWND front, HWND back)
{
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == front || window == back) {
            return window == front;
        }
    }
    return false;
}

// Then as a click on the disabled keeper's task-bar button: the keeper is brought to the top.
void CALLBACK ObserveAndCloseModal(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND modal = WindowHandle(ModalWindow);
    HWND keeper = WindowHandle(KeeperWindow);
    observed.keeperEnabled = IsWindowEnabled(keeper) != FALSE;
    observed.modalEnabled = IsWindowEnabled(modal) != FALSE;
    observed.owner = GetWindow(modal, GW_OWNER);
    observed.appWindow = (GetWindowLongW(modal, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
    SetWindowPos(keeper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    observed.aboveOwner = StandsAbove(modal, keeper);
    CloseWindowLater(ModalWindow);
}

// A modal window disables the others until it closes, is owned by its opener, keeps its own
// task-bar button and stays above the opener; the opener is enabled and active again afterwards.
TEST_F(FormTest, ModalWindowDisablesTheOthersAndStaysAboveItsOpenerUntilItCloses)
{
    HWND keeper = WindowHandle(KeeperWindow);
    SetForegroundWindow(keeper);
    SetTimer(nullptr, 0, 50, ObserveAndCloseModal);
    EXPECT_TRUE(OpenWindow(ModalWindow, true));
    EXPECT_FALSE(IsOpen(ModalWindow));
    EXPECT_FALSE(observed.keeperEnabled);
    EXPECT_TRUE(observed.modalEnabled);
    EXPECT_EQ(observed.owner, keeper);
    EXPECT_TRUE(observed.appWindow);
    EXPECT_TRUE(observed.aboveOwner);
    EXPECT_TRUE(IsWindowEnabled(keeper));
    EXPECT_EQ(GetActiveWindow(), keeper);
}

bool QuitIsQueued()
{
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

// Last: the program can end only once per process. Esc in the last window ends the program; nothing
// new opens or shows any more, and the quit stays queued for the outer loop, which it ends.
TEST(ProgramEnd, EscInTheLastWindowEndsTheProgramAndTheLoop)
{
    ASSERT_TRUE(OpenWindow(FormWindow, false));
    HWND form = WindowHandle(FormWindow);
    CloseWindowLater(KeeperWindow);
    ProcessPendingEvents();
    ASSERT_FALSE(IsProgramEnding());
    PostKey(Handle(FormWindow, "多行框"), VK_ESCAPE);
    ProcessPendingEvents();

    EXPECT_FALSE(IsWindow(form));
    EXPECT_TRUE(IsProgramEnding());
    EXPECT_TRUE(QuitIsQueued());
    EXPECT_FALSE(OpenWindow(FormWindow, false));
    ShowMessage("不会显示");
    ProcessPendingEvents();
    EXPECT_TRUE(QuitIsQueued());
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(QuitIsQueued());
}

}  // namespace
