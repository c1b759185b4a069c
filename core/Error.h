#pragma once

#include <stdexcept>
#include <string>

namespace corvane {

// The one error type of the core. Its message is written for the user: it says what
// failed and where (the field and its text, or the file and the operating system's cause).
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace corvane
