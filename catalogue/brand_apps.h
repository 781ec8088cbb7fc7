// The package buttons of the two brand pages: each page reads its own catalogue section, and the
// handlers are made per (brand, row, kind) so that each button is bound to a handler of its own.
#pragma once

#include <string_view>

#include "catalogue/package_actions.h"
#include "platform/window_model.h"

enum class Brand { Huawei, Honor };

// "华为" or "荣耀".
std::string_view SectionOf(Brand brand);

// The rows whose buttons are package actions. A row stands in the same place on both pages, also
// where the pages list different apps there (华为视频 / 视频, 花瓣剪辑 / 视频剪辑).
enum class App {
    ServiceCenter, Health, QuickApps, PrivateSpace, GameSpace, Hms,
    Assistant, Suggestion, Search, Vision, ScreenRecognition, Voice,
    Themes, Cloud, Backup, MultiScreen, Weather, Skytone, ProjectMenu, Mms, TravelAssistant, Magazine,
    FindPhone, MeeTime, Emergency, Iflytek, VideoEditor,
    AiEngine, Video, Music, Browser, HiCar, AppMarket, MyService, Wallet,
    InputMethod, SystemUpdate, Call5G,
};

// The kind's button of the row on the brand's page: its keys from the brand's section, in order,
// then its message.
void RunAppAction(Brand brand, App app, PackageActionKind kind);

template <Brand brand, App app, PackageActionKind kind>
void AppActionHandler(const EventArgs&)
{
    RunAppAction(brand, app, kind);
}

// 华为引导 and 按钮169 "引导我安全卸载": the page's notice in place of the output box's text.
void ShowHuaweiSafeRemovalNotice(const EventArgs&);
void ShowHonorSafeRemovalNotice(const EventArgs&);
