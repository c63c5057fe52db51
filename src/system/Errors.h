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

// What the platform refused to do with a file.
enum class FileFault { Unspecified, Open, Read, Create, Write };

// A file that cannot be opened, read, created or written. The window layer
// words it in the user's language from the fault, the path and the platform's
// error code; the message itself is a fallback in plain English.
class EInOutError : public EAppError {
public:
    explicit EInOutError(const std::string& message) : EAppError(message) {}
    // systemError: the platform's error code, 0 when it gave none.
    EInOutError(FileFault fault, const std::string& path, unsigned long systemError = 0)
        : EAppError(FallbackText(fault, path)), fault_(fault), path_(path), systemError_(systemError) {}
    FileFault Fault() const { return fault_; }
    const std::string& Path() const { return path_; }
    unsigned long SystemError() const { return systemError_; }

private:
    static std::string FallbackText(FileFault fault, const std::string& path) {
        const char* verb = fault == FileFault::Open     ? "opened"
                           : fault == FileFault::Read   ? "read"
                           : fault == FileFault::Create ? "created"
                                                        : "written";
        return "\"" + path + "\" cannot be " + verb;
    }
    FileFault fault_ = FileFault::Unspecified;
    std::string path_;
    unsigned long systemError_ = 0;
};
