// The shared layout of the two brand pages: group places, row places and the control list.
#include "ui/windows/brand_page.h"

namespace {

using Controls = std::vector<ControlDeclaration>;

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kSlate = 0x8080C0;
constexpr Rgb kTeal = 0x52A3A3;
constexpr Rgb kGrey = 0xC0C0C0;
constexpr Rgb kPink = 0xFF6A94;
constexpr FontSpec kLabelFont = {"", 14};

struct Point {
    int left = 0;
    int top = 0;
};

// An app row's place in its group; its buttons are 55 x 25.
struct RowPlace {
    Rect label;
    Point uninstall;
    Point restore;
    FontSpec font = kLabelFont;
};

constexpr Rect AppButton(Point p) { return {p.left, p.top, 55, 25}; }

constexpr std::array<RowPlace, 9> kSuitePlaces = {{
    {{24, 22, 64, 32}, {108, 25}, {163, 25}},     // 钱包
    {{24, 58, 56, 40}, {108, 64}, {163, 64}},     // 视频
    {{24, 94, 64, 48}, {108, 104}, {163, 104}},   // 音乐
    {{24, 140, 64, 32}, {108, 144}, {163, 144}},  // 阅读
    {{24, 177, 80, 40}, {108, 185}, {163, 185}},  // 浏览器
    {{24, 226, 72, 24}, {108, 226}, {163, 226}},  // HiCar
    {{8, 258, 88, 40}, {109, 266}, {164, 266}},   // 应用市场
    {{8, 306, 88, 24}, {109, 306}, {164, 306}},   // 智慧引擎
    {{8, 342, 96, 32}, {109, 344}, {164, 344}},   // 服务/我的
}};

constexpr std::array<RowPlace, 6> kSmartPlaces = {{
    {{13, 18, 56, 40}, {117, 26}, {172, 26}},            // 智慧搜索
    {{14, 59, 65, 40}, {118, 66}, {173, 66}},            // 智慧建议
    {{15, 107, 80, 24}, {118, 105}, {173, 105}},         // 智慧识屏
    {{6, 148, 105, 24}, {118, 144}, {173, 144}},         // 智慧语音
    {{8, 184, 96, 32}, {118, 186}, {173, 186}, {"", 12}},  // 智慧视觉(扫一扫)
    {{7, 224, 104, 32}, {118, 227}, {173, 227}, {}},     // 智慧助手（负一屏）: the default GUI font
}};

constexpr std::array<RowPlace, 3> kQuickPlaces = {{
    {{16, 12, 88, 32}, {119, 14}, {174, 14}},  // 快应用中心
    {{21, 46, 68, 32}, {119, 50}, {175, 50}},  // 服务中心
    {{19, 86, 96, 24}, {119, 86}, {175, 86}},  // 运动健康
}};

constexpr std::array<RowPlace, 9> kSystemLeftPlaces = {{
    {{28, 18, 35, 40}, {84, 25}, {139, 25}},     // 主题
    {{28, 58, 41, 40}, {84, 64}, {139, 64}},     // 天气
    {{28, 94, 41, 48}, {84, 104}, {139, 104}},   // 畅连
    {{28, 145, 36, 24}, {84, 144}, {139, 144}},  // 备份
    {{14, 182, 65, 32}, {84, 185}, {139, 185}},  // 彩信服务
    {{14, 227, 72, 24}, {84, 226}, {139, 226}},  // 旅行助手
    {{14, 259, 56, 40}, {85, 266}, {140, 266}},  // 剪辑
    {{14, 303, 64, 32}, {85, 306}, {140, 306}},  // 杂志锁屏
    {{9, 341, 71, 32}, {85, 344}, {140, 344}},   // 系统输入法
}};

constexpr std::array<RowPlace, 7> kSystemRightPlaces = {{
    {{17, 18, 48, 40}, {72, 25}, {127, 25}},     // 云空间
    {{17, 58, 41, 40}, {72, 64}, {127, 64}},     // 天际通
    {{9, 94, 56, 48}, {72, 104}, {127, 104}},    // 讯飞引擎
    {{9, 145, 64, 24}, {72, 144}, {127, 144}},   // 工程菜单
    {{11, 182, 65, 32}, {72, 185}, {127, 185}},  // 查找手机
    {{11, 227, 72, 24}, {72, 226}, {127, 226}},  // 多屏协同
    {{11, 259, 56, 40}, {73, 266}, {128, 266}},  // 紧急信息
}};

// Rows 2 to 4 of the services group, below the Google row.
constexpr std::array<RowPlace, 3> kServicePlaces = {{
    {{14, 42, 65, 40}, {85, 49}, {140, 49}},    // HMS 服务
    {{15, 83, 80, 24}, {85, 82}, {140, 82}},    // 游戏空间
    {{14, 116, 68, 24}, {85, 115}, {140, 115}}, // 隐私空间
}};

ControlDeclaration Group(const BrandPage& page, std::string_view name, std::string_view caption, Rect place, Rgb colour)
{
    return GroupBox(name, caption, place).OnPage(kDesktopTabs, page.page).Colours(kBlack, colour).Centred();
}

ControlDeclaration RowLabel(std::string_view group, std::string_view name, std::string_view caption, Rect place,
                            FontSpec font = kLabelFont)
{
    return TransLabel(name, caption, place).In(group).Colours(kBlack).Font(font);
}

ControlDeclaration RowButton(std::string_view group, std::string_view name, std::string_view caption, Rect place,
                             Handler handler)
{
    return Button(name, caption, place).In(group).On(Event::Clicked, handler);
}

template <std::size_t N>
void AddAppRows(Controls& out, std::string_view group, const std::array<ButtonRow, N>& rows,
                const std::array<RowPlace, N>& places)
{
    for (std::size_t i = 0; i < N; ++i) {
        const ButtonRow& row = rows[i];
        const RowPlace& place = places[i];
        out.push_back(RowLabel(group, row.labelName, row.label, place.label, place.font));
        out.push_back(RowButton(group, row.leftName, "卸载", AppButton(place.uninstall), row.left));
        out.push_back(RowButton(group, row.rightName, "装回", AppButton(place.restore), row.right));
    }
}

void AddSpecialRows(Controls& out, const BrandPage& p)
{
    const auto& g = p.groups;
    out.push_back(Group(p, g.peak, "", {9, 49, 210, 64}, p.peakColour));
    out.push_back(RowLabel(g.peak, p.peakLabelName, "巅峰性能选项", {13, 19, 85, 32}));
    out.push_back(RowButton(g.peak, p.peakOptions.name, "进入自选", {109, 19, 88, 32}, p.peakOptions.handler).Font({"", 12}));

    out.push_back(Group(p, g.update, "", {9, 105, 210, 59}, kSlate));
    out.push_back(RowLabel(g.update, p.systemUpdate.labelName, p.systemUpdate.label, {12, 21, 58, 24}));
    out.push_back(RowButton(g.update, p.systemUpdate.leftName, "禁用", {78, 17, 60, 32}, p.systemUpdate.left));
    out.push_back(RowButton(g.update, p.systemUpdate.rightName, "解禁", {138, 17, 60, 32}, p.systemUpdate.right));

    out.push_back(Group(p, g.call5G, "", {9, 152, 210, 62}, kSlate));
    out.push_back(RowLabel(g.call5G, p.call5G.labelName, p.call5G.label, {10, 14, 58, 24}));
    out.push_back(RowLabel(g.call5G, p.call5GAdvertLabelName, "/通话广告", {7, 33, 58, 24}, {"", 12}));
    out.push_back(RowButton(g.call5G, p.call5G.leftName, "启用/去除", {66, 19, 72, 32}, p.call5G.left));
    out.push_back(RowButton(g.call5G, p.call5G.rightName, "隐藏/恢复", {133, 19, 71, 32}, p.call5G.right));

    out.push_back(Group(p, g.redundant, "", {9, 205, 210, 63}, kSlate));
    out.push_back(RowLabel(g.redundant, p.redundant.labelName, p.redundant.label, {14, 21, 60, 24}));
    out.push_back(RowButton(g.redundant, p.redundant.leftName, "一键卸载", {78, 18, 60, 32}, p.redundant.left));
    out.push_back(RowButton(g.redundant, p.redundant.rightName, "自选", {138, 18, 60, 32}, p.redundant.right));

    out.push_back(Group(p, g.services, "", {9, 270, 210, 163}, kTeal));
    out.push_back(RowLabel(g.services, p.google.labelName, p.google.label, {13, 8, 56, 40}));
    out.push_back(RowButton(g.services, p.google.leftName, "禁用", {84, 16, 55, 25}, p.google.left));
    out.push_back(RowButton(g.services, p.google.rightName, "解禁", {139, 16, 55, 25}, p.google.right));
    AddAppRows(out, g.services, p.services, kServicePlaces);
}

void AddAppGroups(Controls& out, const BrandPage& p)
{
    const auto& g = p.groups;
    out.push_back(Group(p, g.suite, p.suiteCaption, {223, 49, 234, 384}, kTeal));
    AddAppRows(out, g.suite, p.suite, kSuitePlaces);
    out.push_back(Group(p, g.smart, "智慧增值服务", {459, 49, 241, 272}, kTeal));
    AddAppRows(out, g.smart, p.smart, kSmartPlaces);
    out.push_back(Group(p, g.quick, "", {459, p.quickTop, 241, 120}, kSlate));
    AddAppRows(out, g.quick, p.quick, kQuickPlaces);
    out.push_back(Group(p, g.systemLeft, "系统功能", {704, 49, 209, 384}, kGrey));
    AddAppRows(out, g.systemLeft, p.systemLeft, kSystemLeftPlaces);
    out.push_back(Group(p, g.systemRight, "系统功能", {912, 49, 193, 312}, kGrey));
    AddAppRows(out, g.systemRight, p.systemRight, kSystemRightPlaces);
}

void AddGuideGroup(Controls& out, const BrandPage& p)
{
    const auto& g = p.groups;
    out.push_back(Group(p, g.guide, "", {913, 354, 192, 80}, kPink));
    out.push_back(RowButton(g.guide, p.safeRemovalGuide.name, "引导我安全卸载", {29, 12, 136, 32}, p.safeRemovalGuide.handler));
    out.push_back(RowButton(g.guide, p.restoreAll.name, "还原所有操作", {29, 44, 136, 32}, p.restoreAll.handler));
}

}  // namespace

std::vector<ControlDeclaration> BrandPageControls(const BrandPage& page)
{
    Controls controls;
    AddSpecialRows(controls, page);
    AddAppGroups(controls, page);
    AddGuideGroup(controls, page);
    return controls;
}
