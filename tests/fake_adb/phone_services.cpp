// The phone's state file, and the package manager's and the settings provider's shell commands on it, in Android's words.
#include "fake_adb/phone_services.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace {

bool IsPackageState(std::string_view state)
{
    return state == "installed" || state == "disabled-user" || state == "disabled" || state == "uninstalled";
}

// The phone during one adb call: its state file, and for packages the file does not name the
// any-name rule (any name of letters, digits, '.' and '_' is on the phone, `installed`), unless the
// file says it lists only its packages.
struct Phone {
    PhoneFile file;
    bool changed = false;  // the state file has to be written back
    int sdk = 31;          // ro.build.version.sdk: before 26 (Android 8.0) there is no install-existing
};

// The shell command's arguments after the verb, read the way Android's ShellCommand reads them
// (BasicShellCommandHandler.getNextOption / getNextArg): options first, "--" ends them. Of the
// options only their presence and the user count here; --user takes the next word.
class ArgReader {
public:
    ArgReader(const Args& words, std::size_t from) : words_(words), at_(from)
    {
        while (at_ < words_.size() && words_[at_].starts_with("-") && words_[at_] != "--") {
            options_.push_back(words_[at_++]);
            if (options_.back() == "--user" && at_ < words_.size()) {
                user_ = words_[at_++];
            }
        }
        at_ += at_ < words_.size() && words_[at_] == "--" ? 1 : 0;
    }

    bool Has(std::string_view option) const { return std::ranges::find(options_, option) != options_.end(); }
    const std::string& User() const { return user_; }
    // The next argument; empty when there is none.
    std::string NextArg() { return at_ < words_.size() ? words_[at_++] : std::string(); }

private:
    const Args& words_;
    std::size_t at_;
    std::vector<std::string> options_;
    std::string user_ = "0";
};

// An exception out of a shell command: BasicShellCommandHandler.exec prints an empty line and this
// heading on err, then the exception (its stack trace is left out here), and returns -1, which adb
// passes on as 255.
Answer Exception(const std::string& verb, const std::string& exception)
{
    return {{}, {"", "Exception occurred while executing '" + verb + "':", exception}, 255};
}

bool IsWellFormedName(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '_';
    });
}

// The package as the phone has it, null when the phone lacks it. A package first met here by the
// any-name rule enters the state file, so that what later calls do to it is kept.
PhonePackage* Find(Phone& phone, const std::string& name)
{
    if (auto known = phone.file.packages.find(name); known != phone.file.packages.end()) {
        return &known->second;
    }
    if (phone.file.onlyListedPackages || !IsWellFormedName(name)) {
        return nullptr;
    }
    phone.changed = true;
    return &(phone.file.packages[name] = {"installed", false});
}

void SetState(Phone& phone, PhonePackage& package, const std::string& state)
{
    if (package.state != state) {
        package.state = state;
        phone.changed = true;
    }
}

// runUninstall: only --user is modelled (every user is user 0's phone); an uninstall for the user
// leaves the package on the phone and forgets the user's enabled state.
Answer Uninstall(ArgReader& args, Phone& phone)
{
    PhonePackage* package = Find(phone, args.NextArg());
    if (package == nullptr || package->state == "uninstalled") {
        return {{"Failure [not installed for " + args.User() + "]"}, {}, 1};
    }
    if (package->isProtected) {
        // The installer's refusal: runUninstall prints its status message, which is
        // PackageManager.deleteStatusToString(DELETE_FAILED_INTERNAL_ERROR).
        return {{"Failure [DELETE_FAILED_INTERNAL_ERROR]"}, {}, 1};
    }
    SetState(phone, *package, "uninstalled");
    return Out({"Success"});
}

// runInstallExisting: a package still on the phone comes back for the user, enabled if it was
// uninstalled for it and otherwise as it was.
Answer InstallExisting(ArgReader& args, Phone& phone)
{
    std::string name = args.NextArg();
    PhonePackage* package = Find(phone, name);
    if (package == nullptr) {
        return {{"android.content.pm.PackageManager$NameNotFoundException: Package " + name + " doesn't exist"}, {}, 1};
    }
    if (package->state == "uninstalled") {
        SetState(phone, *package, "installed");
    }
    return Out({"Package " + name + " installed for user: " + args.User()});
}

// runSetEnabledSetting for disable-user and enable: a package the user does not have makes
// setApplicationEnabledSetting throw. The answer names the state the package manager then reports
// (enabledSettingToString).
Answer SetEnabled(const std::string& verb, ArgReader& args, Phone& phone)
{
    std::string name = args.NextArg();
    PhonePackage* package = Find(phone, name);
    if (package == nullptr || package->state == "uninstalled") {
        return Exception(verb, "java.lang.IllegalArgumentException: Unknown package: " + name);
    }
    SetState(phone, *package, verb == "enable" ? "installed" : "disabled-user");
    return Out({"Package " + name + " new state: " + (verb == "enable" ? "enabled" : "disabled-user")});
}

// runListPackages: -d only disabled packages, -u those uninstalled for the
// user as well; FILTER keeps the names that contain it. The phone's own order is its package
// table's; here it is the names' order.
Answer ListPackages(ArgReader& args, Phone& phone)
{
    bool onlyDisabled = args.Has("-d");
    bool withUninstalled = args.Has("-u");
    std::string filter = args.NextArg();
    if (!filter.empty()) {
        Find(phone, filter);  // a filter that names a package the rule puts on the phone touches it
    }
    Answer answer;
    for (const auto& [name, package] : phone.file.packages) {
        const std::string& state = package.state;
        if (name.find(filter) == std::string::npos || (state == "uninstalled" && !withUninstalled)) {
            continue;
        }
        // Uninstalling for the user forgot its enabled state, so it counts as enabled.
        bool enabled = state == "installed" || state == "uninstalled";
        if (!onlyDisabled || !enabled) {
            answer.out.push_back("package:" + name);
        }
    }
    return answer;
}

// `pm VERB ...` (words[1] is the verb), as PackageManagerShellCommand.java's runUninstall,
// runInstallExisting, runSetEnabledSetting and runListPackages answer, with their options, texts
// and exit statuses.
Answer PackageManager(const Args& words, Phone& phone)
{
    const std::string& verb = words[1];
    bool listsPackages = verb == "list" && words.size() > 2 && words[2] == "packages";
    ArgReader args(words, listsPackages ? 3 : 2);
    if (verb == "uninstall") {
        return Uninstall(args, phone);
    }
    if (verb == "install-existing" && phone.sdk < 26) {
        // Android 7.x: Pm.java has no such command ("Error: unknown command", then its usage, left out here).
        return {{"Error: unknown command 'install-existing'"}, {}, 1};
    }
    if (verb == "install-existing") {
        return InstallExisting(args, phone);
    }
    if (verb == "disable-user" || verb == "enable") {
        return SetEnabled(verb, args, phone);
    }
    if (listsPackages) {
        return ListPackages(args, phone);
    }
    return {};
}

// SettingsService.MyShellCommand.onCommand: the namespace (matched without regard to case), the
// key and for put the value, checked in that order; then getForUser, putForUser (a tag and
// "default" after the value change nothing kept here) and deleteForUser. The user (--user), the
// other verbs and the help are not modelled: they answer nothing.
Answer Settings(const Args& words, Phone& phone)
{
    auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    std::string verb = words.size() > 1 ? words[1] : "";
    if (verb != "get" && verb != "put" && verb != "delete") {
        return {};
    }
    std::string space = words.size() > 2 ? lower(words[2]) : "";
    if (!space.empty() && space != "system" && space != "secure" && space != "global") {
        return {{}, {"Invalid namespace '" + words[2] + "'"}, 255};
    }
    if (words.size() < (verb == "put" ? 5u : 4u)) {
        return {{}, {"Bad arguments"}, 255};
    }
    std::string entry = space + " " + words[3];
    if (verb == "get") {
        auto found = phone.file.settings.find(entry);
        return Out({found != phone.file.settings.end() ? found->second : "null"});
    }
    if (verb == "put") {
        phone.file.settings[entry] = words[4];
        phone.changed = true;
        return {};
    }
    bool deleted = phone.file.settings.erase(entry) > 0;
    phone.changed = phone.changed || deleted;
    return Out({deleted ? "Deleted 1 rows" : "Deleted 0 rows"});
}

Answer OneShellCommand(const std::string& commandLine, Phone& phone, const PhoneProperties& properties)
{
    Args words;
    std::istringstream stream(commandLine);
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    if (!words.empty() && words[0] == "echo") {
        return Out({Join(words, 1)});
    }
    if (words.size() >= 2 && words[0] == "getprop") {
        auto property = properties.find(words[1]);
        return Out({property != properties.end() ? property->second : ""});
    }
    if (words.size() >= 2 && words[0] == "pm") {
        return PackageManager(words, phone);
    }
    if (!words.empty() && words[0] == "settings") {
        return Settings(words, phone);
    }
    return {};
}

Answer ShellCommand(const std::string& commandLine, Phone& phone, const PhoneProperties& properties)
{
    Answer answer;
    std::istringstream commands(commandLine);
    for (std::string command; std::getline(commands, command, ';');) {
        Answer one = OneShellCommand(command, phone, properties);
        answer.out.insert(answer.out.end(), one.out.begin(), one.out.end());
        answer.err.insert(answer.err.end(), one.err.begin(), one.err.end());
        answer.exitCode = one.exitCode;
    }
    return answer;
}

}  // namespace

std::string Join(const Args& words, std::size_t from)
{
    std::string joined;
    for (std::size_t i = from; i < words.size(); ++i) {
        joined += (i > from ? " " : "") + words[i];
    }
    return joined;
}

Answer ShellOnPhone(const std::string& commandLine, const std::filesystem::path& file, const PhoneProperties& properties)
{
    Phone phone;
    phone.file = file.empty() ? PhoneFile() : ReadPhoneFile(file);
    phone.sdk = std::atoi(properties.at("ro.build.version.sdk").c_str());
    Answer answer = ShellCommand(commandLine, phone, properties);
    if (phone.changed && !file.empty() && !WritePhoneFile(file, phone.file)) {
        return {{}, {"cannot write the phone's state file " + file.string()}, 1};
    }
    return answer;
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

std::string Utf8Of(const std::filesystem::path& path)
{
    std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}
