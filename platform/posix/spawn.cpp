// Child process starts with posix_spawn: streams, environment and session set up for the child only.
#include "platform/posix/spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/system.h"

extern char** environ;

namespace {

constexpr std::string_view kPathPrefix = "PATH=";
// What sh searches when PATH is unset; kept behind the program's directory.
constexpr std::string_view kDefaultSearchPath = "/usr/local/bin:/usr/bin:/bin";

// The parent's environment with the program's directory put first on PATH, so that a bare `adb`
// finds the one beside the program, as cmd.exe finds it in the current directory on Windows.
std::vector<std::string> ChildEnvironment()
{
    std::string searchPath(kDefaultSearchPath);
    std::vector<std::string> environment;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        std::string_view variable(*entry);
        if (variable.starts_with(kPathPrefix)) {
            searchPath = variable.substr(kPathPrefix.size());
        } else {
            environment.emplace_back(variable);
        }
    }
    environment.push_back(JoinText({kPathPrefix, ProgramDirectory(), ":", searchPath}));
    return environment;
}

std::vector<char*> PointerList(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// posix_spawn file actions on descriptors 0 to 2 would clobber an output descriptor in that range
// (possible when the program was started with its standard streams closed): move it above them.
int OutsideStandardStreams(int fd) { return fd >= 0 && fd <= 2 ? fcntl(fd, F_DUPFD_CLOEXEC, 3) : fd; }

}  // namespace

pid_t SpawnChild(const std::vector<std::string>& arguments, int outputFd, bool newSession)
{
    std::vector<std::string> argumentTexts = arguments;
    std::vector<std::string> environmentTexts = ChildEnvironment();
    std::vector<char*> argv = PointerList(argumentTexts);
    std::vector<char*> envp = PointerList(environmentTexts);

    int output = OutsideStandardStreams(outputFd);
    posix_spawn_file_actions_t streams;
    posix_spawn_file_actions_init(&streams);
    posix_spawn_file_actions_addopen(&streams, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (output >= 0) {
        posix_spawn_file_actions_adddup2(&streams, output, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&streams, output, STDERR_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&streams, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&streams, STDOUT_FILENO, STDERR_FILENO);
    }

    // Ignored signals survive exec: a child must not inherit, say, an ignored SIGPIPE.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaultSignals;
    sigemptyset(&defaultSignals);
    for (int signal : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGTERM, SIGHUP}) {
        sigaddset(&defaultSignals, signal);
    }
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setsigdefault(&attributes, &defaultSignals);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (newSession) {
        flags |= POSIX_SPAWN_SETSID;
    }
    posix_spawnattr_setflags(&attributes, flags);

    pid_t pid = -1;
    int error = posix_spawn(&pid, argv[0], &streams, &attributes, argv.data(), envp.data());

    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&streams);
    if (output != outputFd && output >= 0) {
        close(output);
    }
    return error == 0 ? pid : -1;
}

void WaitForChild(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
    }
}
