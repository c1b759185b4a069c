#include "controls/button/ButtonInputKeys.h"

namespace corvane {

KeyRoute RouteKeyEvent(bool isRelease, bool isAutoRepeat) {
    if (isRelease) {
        return isAutoRepeat ? KeyRoute::Drop : KeyRoute::Release;
    }
    return isAutoRepeat ? KeyRoute::RepeatPress : KeyRoute::Press;
}

}  // namespace corvane
