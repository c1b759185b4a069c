#pragma once

// Runs corvane-cli as a user would: a real process, its arguments as bytes (a Linux name need
// not be UTF-8), optionally with standard streams closed or as an unprivileged user. The
// program is a command prefix, so the same rows run the native build and, under Wine,
// corvane-cli.exe.

#include <QByteArray>
#include <QByteArrayList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace corvane::test {

struct CliRun {
    int status = -1;  // -1: the program did not end by itself
    QByteArray out;
    QByteArray err;
};

struct RunOptions {
    // Descriptors 0, 1 and 2 closed in the program (POSIX only).
    bool closeIn = false;
    bool closeOut = false;
    bool closeErr = false;
    // Standard output goes to this file instead of a pipe (e.g. /dev/full).
    const char* outputFile = nullptr;
    // NAME=VALUE entries added to (or replacing those in) the program's environment.
    std::vector<std::string> environment;
    // Run as a user who may not write the test's files (uid 65534 when the tests run as root;
    // otherwise the tests' own user already may not write a read-only file).
    bool unprivileged = false;
};

class CliRunner {
public:
    // `prefix` is the command that runs corvane-cli, e.g. {"/usr/lib/wine/wine64",
    // "corvane-cli.exe"}; a program ending in .exe is a Windows program.
    explicit CliRunner(std::vector<std::string> prefix) : m_prefix(std::move(prefix)) {
        const std::string& program = m_prefix.back();
        m_windows =
            program.size() > 4 && QByteArray::fromStdString(program).toLower().endsWith(".exe");
    }

    bool windows() const { return m_windows; }
    // The program itself: the prefix's last word.
    std::filesystem::path Program() const { return m_prefix.back(); }

    // A path as the user of the program's platform types it: Linux paths stay as they are;
    // Windows programs get Wine's drive Z:, which is the Linux root, with backslashes.
    std::string Native(const std::filesystem::path& path) const {
        if (!m_windows) {
            return path.string();
        }
        std::string text = "Z:" + path.string();
        for (char& c : text) {
            c = c == '/' ? '\\' : c;
        }
        return text;
    }
    char Separator() const { return m_windows ? '\\' : '/'; }

    CliRun Run(const QByteArrayList& arguments, const RunOptions& options = {}) const {
        std::vector<std::string> argv;
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            env.emplace_back(*e);
        }
        if (options.unprivileged && ::geteuid() == 0) {
            argv = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
            if (m_windows) {
                // Wine refuses a prefix its user does not own; the test setup made this one.
                const char* prefix = std::getenv("CORVANE_WINEPREFIX_UNPRIVILEGED");
                Replace(env, "WINEPREFIX", prefix ? prefix : "");
                Replace(env, "HOME", prefix ? prefix : "/");
            }
        }
        for (const std::string& entry : options.environment) {
            const std::string name = entry.substr(0, entry.find('='));
            Replace(env, name, entry.substr(name.size() + 1));
        }
        argv.insert(argv.end(), m_prefix.begin(), m_prefix.end());
        for (const QByteArray& a : arguments) {
            argv.push_back(a.toStdString());
        }
        return Spawn(argv, env, options);
    }

    // Empty when the unprivileged user of RunOptions can run the program; otherwise why not
    // (the build folder must be one that others may enter).
    QString UnprivilegedObstacle() const {
        if (::geteuid() != 0) {
            return {};
        }
        // The program must be readable, and Wine's prefix writable, by that user.
        std::vector<std::pair<std::string, std::string>> needed{{"-r", m_prefix.back()}};
        if (m_windows) {
            const char* prefix = std::getenv("CORVANE_WINEPREFIX_UNPRIVILEGED");
            needed.emplace_back("-w", prefix ? prefix : "");
        }
        for (const auto& [test, path] : needed) {
            const CliRun probe = Spawn(
                {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "test", test, path},
                {}, RunOptions{});
            if (probe.status != 0) {
                return QString::fromStdString("uid 65534 cannot reach " + path +
                                              "; run the tests from a folder others may enter");
            }
        }
        return {};
    }

    // Runs `cmd /c WORDS...` under Wine with a terminal as its console (through script(1)),
    // so that the program's output goes through the Windows console, not a pipe. Wine joins
    // the words with blanks; none may hold a blank or a quote.
    CliRun RunInConsole(const std::vector<std::string>& words) const {
        const auto quoted = [](const std::string& word) {
            std::string q = "'";
            for (char c : word) {
                q += c == '\'' ? std::string("'\\''") : std::string(1, c);
            }
            return q + "'";
        };
        std::string command = "stty cols 1000 && ";  // Wine's console breaks lines at the width
        for (std::size_t i = 0; i + 1 < m_prefix.size(); ++i) {
            command += quoted(m_prefix[i]) + " ";
        }
        command += "cmd /c";
        for (const std::string& word : words) {
            command += " " + quoted(word);
        }
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            env.emplace_back(*e);
        }
        return Spawn({"script", "-qec", command, "/dev/null"}, env, RunOptions{});
    }

    // Another Windows program under the same Wine (same prefix, same server).
    QStringList WindowsCommand(const QString& exe, const QStringList& arguments) const {
        QStringList command;
        for (std::size_t i = 0; i + 1 < m_prefix.size(); ++i) {
            command << QString::fromStdString(m_prefix[i]);
        }
        return command << exe << arguments;
    }

private:
    static void Replace(std::vector<std::string>& env, const std::string& name,
                        const std::string& value) {
        std::erase_if(env, [&](const std::string& e) { return e.starts_with(name + "="); });
        env.push_back(name + "=" + value);
    }

    static CliRun Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                        const RunOptions& options) {
        int out[2] = {-1, -1};
        int err[2] = {-1, -1};
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
            return {};
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (options.closeIn) {
            posix_spawn_file_actions_addclose(&actions, 0);
        }
        if (options.closeOut) {
            posix_spawn_file_actions_addclose(&actions, 1);
        } else if (options.outputFile != nullptr) {
            posix_spawn_file_actions_addopen(&actions, 1, options.outputFile, O_WRONLY, 0);
        } else {
            posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        }
        if (options.closeErr) {
            posix_spawn_file_actions_addclose(&actions, 2);
        } else {
            posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        }
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        std::vector<char*> envp;
        for (const std::string& e : env) {
            envp.push_back(const_cast<char*>(e.c_str()));
        }
        envp.push_back(nullptr);
        pid_t pid = -1;
        const int spawned =
            posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        CliRun run;
        if (spawned == 0) {
            run.status = Collect(pid, out[0], err[0], run);
        }
        ::close(out[0]);
        ::close(err[0]);
        return run;
    }

    // Reads both pipes until the program ends, then what it left in them. It does not wait for
    // the pipes to close: Wine's own processes, started by the first program of a session,
    // hold them for seconds. A program that takes more than a minute is killed.
    static int Collect(pid_t pid, int outFd, int errFd, CliRun& run) {
        std::array<pollfd, 2> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
        std::array<QByteArray*, 2> sinks{&run.out, &run.err};
        for (const pollfd& p : fds) {
            ::fcntl(p.fd, F_SETFL, O_NONBLOCK);
        }
        const auto readAll = [&] {
            for (std::size_t i = 0; i < fds.size(); ++i) {
                char buffer[4096];
                ssize_t got = -1;
                while (fds[i].fd >= 0 && (got = ::read(fds[i].fd, buffer, sizeof buffer)) != 0) {
                    if (got < 0) {
                        break;  // nothing more for now
                    }
                    sinks[i]->append(buffer, got);
                }
                if (fds[i].fd >= 0 && got == 0) {
                    fds[i].fd = -1;  // the end of this pipe: poll no longer watches it
                }
            }
        };
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (true) {
            ::poll(fds.data(), fds.size(), 10);
            readAll();
            int wstatus = 0;
            if (::waitpid(pid, &wstatus, WNOHANG) == pid) {
                readAll();
                return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &wstatus, 0);
                return -1;
            }
        }
    }

    std::vector<std::string> m_prefix;
    bool m_windows = false;
};

}  // namespace corvane::test
