#pragma once

// Turns a hang into a failure: while armed, a thread of its own ends the test program with a
// message when the UI thread has not disarmed or re-armed it in time. Tests of code that must
// never block (the sound player) run under it, so that a blocked UI thread fails within
// CTest's timeout instead of ending in a timeout with no word of what blocked.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace corvane::test {

class Watchdog {
public:
    // The one watchdog of the process. Its thread runs until the process ends, so that it also
    // watches the way out of main (static destructors included).
    static Watchdog& Instance() {
        static Watchdog* dog = new Watchdog;  // never destroyed: the thread outlives main
        return *dog;
    }

    // From now, `what` has `seconds` to finish.
    void Arm(const std::string& what, int seconds) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_what = what;
        m_deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        m_armed = true;
    }
    void Disarm() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_armed = false;
    }

private:
    Watchdog() {
        std::thread([this] { Watch(); }).detach();
    }

    void Watch() {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (m_armed && std::chrono::steady_clock::now() > m_deadline) {
                std::fprintf(
                    stderr, "FAIL! Watchdog: %s did not finish in time; the UI thread is blocked\n",
                    m_what.c_str());
                std::fflush(stderr);
                std::_Exit(EXIT_FAILURE);
            }
        }
    }

    std::mutex m_mutex;
    bool m_armed = false;
    std::string m_what;
    std::chrono::steady_clock::time_point m_deadline;
};

}  // namespace corvane::test
