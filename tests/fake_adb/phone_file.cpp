// The fake phone's state file: reading it line by line, skipping damaged lines, and writing it whole.
#include "fake_adb/phone_file.h"

#include <fstream>
#include <sstream>

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
        std::istringstream words(line);
        std::string kind, name, second, rest;
        words >> kind >> name >> second;
        std::getline(words >> std::ws, rest);
        if (kind == "only-listed-packages" && name.empty()) {
            phone.onlyListedPackages = true;
        } else if (kind == "package" && IsPackageState(second) && (rest.empty() || rest == "protected")) {
            phone.packages[name] = {second, rest == "protected"};
        } else if (kind == "setting" && !second.empty() && line.size() >= 10 + name.size() + second.size()) {
            phone.settings[name + " " + second] = line.substr(10 + name.size() + second.size());
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
