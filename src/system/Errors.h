// Errors that travel upwards carrying a message text for the user. Everything
// else the platform refuses is swallowed where it happens and shows as an empty
// result or a "false".
#pragma once
#include <stdexcept>
#include <string>

class EAppError : public std::runtime_error {
public:
    explicit EAppError(const std::string& message) : std::runtime_error(message) {}
};

// A one-line text file exists but cannot be opened, created or written.
class EInOutError : public EAppError {
public:
    explicit EInOutError(const std::string& message) : EAppError(message) {}
};
