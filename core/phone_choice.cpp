// The 选择手机 window: one button per attached device, and the choice kept in ANDROID_SERIAL.
#include "core/phone_choice.h"

#include <algorithm>

#include "core/runner.h"
#include "core/window_names.h"
#include "platform/search_path.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace {

// The devices the open window offers, in its buttons' order, and the one chosen there.
std::vector<AttachedDevice> offered;
std::optional<std::size_t> chosenSlot;

}  // namespace

std::vector<AttachedDevice> ParseDeviceList(std::string_view answer)
{
    std::vector<AttachedDevice> devices;
    for (std::string_view line : LastFilledLines(answer, answer.size())) {
        std::vector<std::string_view> words = SplitWords(line);
        if (words.size() < 2 || line.starts_with("List of devices") || line.starts_with(kAdbServerNotice)) {
            continue;
        }
        AttachedDevice device{std::string(words[0]), std::string(words[1]), {}};
        for (std::string_view word : words) {
            if (word.starts_with("model:")) {
                device.model = word.substr(6);
            }
        }
        devices.push_back(std::move(device));
    }
    return devices;
}

std::string DeviceCaption(const AttachedDevice& device)
{
    return JoinText({device.model.empty() ? "未知型号" : device.model, "  ", device.serial, "  ", device.state});
}

bool ChoosePhone()
{
    offered = ParseDeviceList(RunCommandLine("adb devices -l").output);
    chosenSlot.reset();
    if (offered.empty()) {
        return false;
    }
    OpenWindow(PhoneChoiceWindow, true);
    if (!chosenSlot) {
        return false;
    }
    return SetProcessVariable(kChosenSerialVariable, offered[*chosenSlot].serial);
}

std::optional<std::string> ChosenSerial() { return EnvironmentVariable(kChosenSerialVariable); }

void ForgetChosenPhone() { SetProcessVariable(kChosenSerialVariable, std::nullopt); }

void ShowOfferedPhones(const EventArgs&)
{
    for (std::size_t slot = 0; slot < kPhoneChoiceButtons.size(); ++slot) {
        bool used = slot < offered.size();
        ShowControl(PhoneChoiceWindow, kPhoneChoiceButtons[slot], used);
        SetText(PhoneChoiceWindow, kPhoneChoiceButtons[slot], used ? DeviceCaption(offered[slot]) : "");
    }
    if (offered.size() > kPhoneChoiceButtons.size()) {
        SetText(PhoneChoiceWindow, kPhoneChoiceNote,
                JoinText({"连接了 ", std::to_string(offered.size()), " 台设备，这里列出前 ",
                          std::to_string(kPhoneChoiceButtons.size()), " 台。要操作哪一部手机？"}));
    }
}

void ChooseOfferedPhone(int slot)
{
    if (static_cast<std::size_t>(slot) < offered.size()) {
        chosenSlot = static_cast<std::size_t>(slot);
        CloseWindowLater(PhoneChoiceWindow);
    }
}
