// Runs the real veld executable for end-to-end tests.
#include "support/VeldWorkspace.h"

#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace veld::test {

namespace fs = std::filesystem;

fs::path VeldWorkspace::script(const std::string& name, const std::vector<std::string>& lines) {
    fs::path path = folder_ / name;
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) {
        out << line << "\n";
    }
    return path;
}

pid_t VeldWorkspace::start(std::vector<std::string> args, bool withProfile,
                           const std::map<std::string, std::string>& environment) {
    if (withProfile) {
        args.push_back("--profile");
        args.push_back(profile().string());
    }
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry = *e;
        std::string key = entry.substr(0, entry.find('='));
        if (environment.count(key) == 0 && key != "VELD_PROFILE") {
            env.push_back(entry);
        }
    }
    for (const auto& [key, value] : environment) {
        env.push_back(key + "=" + value);
    }
    const fs::path outFile = folder_ / "stdout.txt";
    const fs::path errFile = folder_ / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string input = input_.empty() ? std::string("/dev/null") : input_.string();
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> argv{VELD_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> argvp;
    for (std::string& a : argv) {
        argvp.push_back(a.data());
    }
    argvp.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, VELD_EXE, &actions, nullptr, argvp.data(), envp.data()) != 0) {
        pid = 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

VeldResult VeldWorkspace::finish(pid_t pid) {
    VeldResult result;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid) {
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    result.out = readBytes(folder_ / "stdout.txt");
    result.err = readBytes(folder_ / "stderr.txt");
    return result;
}

VeldResult VeldWorkspace::run(std::vector<std::string> args, bool withProfile,
                              const std::map<std::string, std::string>& environment) {
    return finish(start(std::move(args), withProfile, environment));
}

} // namespace veld::test
