// Several attached devices are a choice: the 选择手机 window and the phone every command then goes to.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_model.h"

// The variable adb reads for the device to use when a command names none (-s, -d, -e): set in
// the program's own environment, it reaches every command and every companion script.
inline constexpr std::string_view kChosenSerialVariable = "ANDROID_SERIAL";

// One line of `adb devices -l`: "SERIAL  STATE usb:… product:… model:MODEL device:… transport_id:N".
// A device that is offline or not yet allowed has no model.
struct AttachedDevice {
    std::string serial;
    std::string state;
    std::string model;
};

// The devices of `adb devices -l`'s answer, in its order; adb's heading and its notices about
// starting its server are left out (transport.cpp, list_transports).
std::vector<AttachedDevice> ParseDeviceList(std::string_view answer);

// "HONOR_X40  127.0.0.1:5555  device": the model first (or "未知型号"), then the serial and state.
std::string DeviceCaption(const AttachedDevice& device);

// Lists the attached devices with "adb devices -l" and lets the user choose one in the 选择手机
// window (owned, modal). The choice is put into kChosenSerialVariable; true once one was chosen.
bool ChoosePhone();
// The serial the user chose, while a choice holds.
std::optional<std::string> ChosenSerial();
// Commands go to whichever device adb picks again: 刷新 asks anew when there are several.
void ForgetChosenPhone();

// The 选择手机 window's handlers: Created shows one button per offered device; each button chooses
// the device in its place.
inline constexpr int kPhoneChoiceSlots = 8;
void ShowOfferedPhones(const EventArgs&);
void ChooseOfferedPhone(int slot);
template <int Slot>
void ChooseOfferedPhoneInSlot(const EventArgs&)
{
    ChooseOfferedPhone(Slot);
}
