// The layout that the "华为" and "新荣耀" pages of the desktop window share: the same groups and
// rows in the same places. Each page module fills in its names, captions, colours and handlers.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "catalogue/brand_apps.h"
#include "platform/window_model.h"
#include "ui/windows/desktop_window.h"

// A row of a label and two buttons; app rows caption the buttons "卸载" and "装回".
struct ButtonRow {
    std::string_view label;
    std::string_view labelName;
    std::string_view leftName;
    std::string_view rightName;
    Handler left = nullptr;
    Handler right = nullptr;
};

// An app row whose "卸载" and "装回" run the brand's package actions for the app.
template <Brand brand, App app>
constexpr ButtonRow PackageRow(std::string_view label, std::string_view labelName, std::string_view uninstallName,
                               std::string_view restoreName)
{
    return {label, labelName, uninstallName, restoreName,
            AppActionHandler<brand, app, PackageActionKind::Uninstall>,
            AppActionHandler<brand, app, PackageActionKind::Restore>};
}

struct NamedButton {
    std::string_view name;
    Handler handler = nullptr;
};

// The group boxes, one field per group; see the page modules for the names.
struct BrandPageGroups {
    std::string_view peak, update, call5G, redundant, services, suite, smart, quick, systemLeft, systemRight, guide;
};

struct BrandPage {
    DesktopPage page = HuaweiPage;
    BrandPageGroups groups;
    Rgb peakColour = 0;
    std::string_view suiteCaption;
    int quickTop = 0;  // the untitled group below "智慧增值服务"

    // Special rows: the row captions are the same on both pages; the labels are named here.
    std::string_view peakLabelName;
    NamedButton peakOptions;        // "进入自选"
    ButtonRow systemUpdate;         // "禁用", "解禁"
    ButtonRow call5G;               // "启用/去除", "隐藏/恢复"
    std::string_view call5GAdvertLabelName;  // the second line "/通话广告"
    ButtonRow redundant;            // "一键卸载", "自选"
    ButtonRow google;               // "禁用", "解禁"
    std::array<ButtonRow, 3> services;  // HMS 服务, 游戏空间, 隐私空间
    NamedButton safeRemovalGuide;   // "引导我安全卸载"
    NamedButton restoreAll;         // "还原所有操作"

    // App rows by group, top to bottom.
    std::array<ButtonRow, 9> suite;
    std::array<ButtonRow, 6> smart;
    std::array<ButtonRow, 3> quick;
    std::array<ButtonRow, 9> systemLeft;
    std::array<ButtonRow, 7> systemRight;
};

// Front-most first: each group followed by its rows, each row its label then its buttons.
std::vector<ControlDeclaration> BrandPageControls(const BrandPage& page);
