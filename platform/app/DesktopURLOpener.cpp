#include "platform/app/DesktopURLOpener.hpp"

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <utility>

extern char** environ;

namespace corvend::platform {

std::shared_ptr<DesktopURLOpener> DesktopURLOpener::make(std::vector<std::string> command) {
    return std::make_shared<DesktopURLOpener>(std::move(command));
}

void DesktopURLOpener::open(const URL& url, const Options&,
                            std::function<void(bool opened)> completion) {
    std::vector<std::string> arguments = command_;
    arguments.push_back(url.absoluteString());
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    // The handler gets standard input, output and error and no other descriptor of the host's
    // or the kit's: a browser it leaves running would otherwise hold them past the host's end.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const bool closing = posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) == 0;
    // The URL is one argument of its own: no shell ever reads it.
    const bool spawned =
        closing && !command_.empty() &&
        posix_spawnp(&child, argv.front(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!spawned) {
        completion(false);
        return;
    }
    std::thread([child, completion = std::move(completion)] {
        int status = 0;
        pid_t waited = 0;
        do {
            waited = waitpid(child, &status, 0);
        } while (waited < 0 && errno == EINTR);
        completion(waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }).detach();
}

}  // namespace corvend::platform
