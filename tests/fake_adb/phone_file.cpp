// The fake phone's state file: reading it line by line, skipping damaged lines, and writing it whole.
#include "fake_adb/phone_file.h"

#include <fstream>
#include <sstream>

namespace {

// "package NAME STATE [protected]"; false when the line has another shape.
bool ReadPackageLine(const std::string& rest, PhoneFile& phone)
{
    std::istringstream words(rest);
    std::string name;
    std::string state;
    std::string flag;
    std::string extra;
    if (!(words >> name >> state) || !IsPackageState(state)) {
        return false;
    }
    words >> flag >> extra;
    if ((!flag.empty() && flag != "protected") || !extra.empty()) {
        return false;
    }
    phone.packages[name] = {state, flag == "protected"};
    return true;
}

// "setting NAMESPACE KEY VALUE", the value being the rest of the line, blanks included.
bool ReadSettingLine(const std::string& rest, PhoneFile& phone)
{
    std::size_t keyAt = rest.find(' ');
    std::size_t valueAt = keyAt == std::string::npos ? std::string::npos : rest.find(' ', keyAt + 1);
    if (keyAt == 0 || valueAt == std::string::npos || valueAt == keyAt + 1) {
        return false;
    }
    phone.settings[rest.substr(0, valueAt)] = rest.substr(valueAt + 1);
    return true;
}

}  // namespace

bool IsPackageState(std::string_view state)
{
    return state == "installed" || state == "disabled-user" || state == "disabled" || state == "uninstalled";
}

PhoneFile ReadPhoneFile(const std::filesystem::path& path)
{
    PhoneFile phone;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line == "only-listed-packages") {
            phone.onlyListedPackages = true;
        } else if (line.starts_with("package ")) {
            ReadPackageLine(line.substr(8), phone);
        } else if (line.starts_with("setting ")) {
            ReadSettingLine(line.substr(8), phone);
        }
    }
    return phone;
}

bool WritePhoneFile(const std::filesystem::path& path, const PhoneFile& phone)
{
    std::ostringstream text;
    if (phone.onlyListedPackages) {
        text << "only-listed-packages\n";
    }
    for (const auto& [name, package] : phone.packages) {
        text << "package " << name << ' ' << package.state << (package.isProtected ? " protected" : "") << '\n';
    }
    for (const auto& [spaceAndKey, value] : phone.settings) {
        text << "setting " << spaceAndKey << ' ' << value << '\n';
    }
    std::filesystem::path fresh = path;
    fresh += ".new";
    {
        std::ofstream file(fresh, std::ios::binary | std::ios::trunc);
        if (!(file << text.str()) || !file.flush()) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(fresh, path, error);
    if (!error) {
        return true;
    }
    // Windows refuses to replace a file another process holds open; write it in place then.
    std::filesystem::remove(fresh, error);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(file << text.str());
}

std::filesystem::path Utf8Path(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}
