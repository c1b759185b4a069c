#pragma once

#include <string_view>
#include <type_traits>
#include <utility>

namespace corvane {

// A step after a property's report: the control repaints (calls its Refresh()).
struct Repaint {};

namespace detail {
template <typename Control, typename Step>
void RunStep(Control& c, Step&& step) {
    if constexpr (std::is_same_v<std::remove_cvref_t<Step>, Repaint>) {
        c.Refresh();
    } else {
        std::forward<Step>(step)();
    }
}
}  // namespace detail

// A plain property setter, written once: store the value, tell the host that the stored set
// is out of date (Control::PropertyChanged(name)), then run the setter's own steps in order
// (Repaint, or any callable: the access key, the resize handler...).
template <typename Control, typename Field, typename Value, typename... Steps>
void SetProperty(Control& c, Field& field, Value&& value, std::string_view name, Steps&&... after) {
    field = std::forward<Value>(value);
    c.PropertyChanged(name);
    (detail::RunStep(c, std::forward<Steps>(after)), ...);
}

// A property that takes effect before it is reported (the pointer's shape): store, apply,
// report.
template <typename Control, typename Field, typename Value, typename Apply>
void SetAppliedProperty(Control& c, Field& field, Value&& value, std::string_view name,
                        Apply&& apply) {
    field = std::forward<Value>(value);
    std::forward<Apply>(apply)();
    c.PropertyChanged(name);
}

}  // namespace corvane
