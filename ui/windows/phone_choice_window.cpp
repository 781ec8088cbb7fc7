// The phone-choice window: when several devices are attached, one button per device chooses where commands go.
#include "core/phone_choice.h"
#include "core/window_names.h"
#include "ui/windows.h"

namespace {

constexpr FontSpec kCaption = {"", 16};

// Created captions the buttons of the devices on offer and hides the rest.
constexpr ControlDeclaration kControls[] = {
    Label(kPhoneChoiceNote, "连接了不止一台设备（手机、模拟器）。要操作哪一部手机？", {16, 12, 448, 24}).Font(kCaption),
    Button(kPhoneChoiceButtons[0], "", {16, 44, 448, 28}).On(Event::Clicked, ChooseOfferedPhoneInSlot<0>),
    Button(kPhoneChoiceButtons[1], "", {16, 78, 448, 28}).On(Event::Clicked, ChooseOfferedPhoneInSlot<1>),
    Button(kPhoneChoiceButtons[2], "", {16, 112, 448, 28}).On(Event::Clicked, ChooseOfferedPhoneInSlot<2>),
    Button(kPhoneChoiceButtons[3], "", {16, 146, 448, 28}).On(Event::Clicked, ChooseOfferedPhoneInSlot<3>),
    Button(kPhoneChoiceButtons[4], "", {16, 180, 448, 28}).On(Event::Clicked, ChooseOfferedPhoneInSlot<4>),
    Button(kPhoneChoiceButtons[5], "", {16, 214, 448, 28}).On(Event::Clicked, ChooseOfferedPhoneInSlot<5>),
    Button(kPhoneChoiceButtons[6], "", {16, 248, 448, 28}).On(Event::Clicked, ChooseOfferedPhoneInSlot<6>),
    Button(kPhoneChoiceButtons[7], "", {16, 282, 448, 28}).On(Event::Clicked, ChooseOfferedPhoneInSlot<7>),
};
static_assert(kPhoneChoiceSlots == kPhoneChoiceButtons.size());

}  // namespace

const WindowDeclaration& PhoneChoiceWindowDeclaration()
{
    static constexpr WindowDeclaration window = {PhoneChoiceWindow, "选择手机", 496, 362, kNoColour, kControls,
                                                 ShowOfferedPhones};
    return window;
}
