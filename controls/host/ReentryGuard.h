#pragma once

#include <memory>

namespace corvane {

// For a control that raises events to its container: a handler may delete the control, as a
// plain `delete` of a Qt widget in its own handler is allowed. The control runs every call
// that can run the container's code through survives(), which tells whether the control still
// exists afterwards; only a local copy of the token is read once the call returns. While such
// a call is under way, running() is true, so the control's destructor can tell that it is
// being deleted from inside one of its own events.
class ReentryGuard {
public:
    ReentryGuard() = default;
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;

    template <typename Call>
    bool survives(Call&& call) {
        const std::weak_ptr<int> alive = m_depth;
        ++*m_depth;
        call();
        if (alive.expired()) {
            return false;
        }
        --*m_depth;
        return true;
    }

    bool running() const { return *m_depth > 0; }

private:
    // How many calls are under way; lives exactly as long as the owner.
    std::shared_ptr<int> m_depth = std::make_shared<int>(0);
};

}  // namespace corvane
