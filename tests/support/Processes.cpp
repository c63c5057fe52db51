#include "support/Processes.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "support/WindowFinder.h"

namespace testsupport {

Program::~Program() { Release(); }

void Program::Release() {
    if (process_) {
        if (running()) TerminateProcess(process_, 1);
        CloseHandle(process_);
        process_ = nullptr;
    }
}

Program::Program(Program&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), processId_(std::exchange(other.processId_, 0)) {}

Program& Program::operator=(Program&& other) noexcept {
    if (this != &other) {
        Release();
        process_ = std::exchange(other.process_, nullptr);
        processId_ = std::exchange(other.processId_, 0);
    }
    return *this;
}

Program Program::Start(const std::string& commandLine, const std::string& workingFolder, DWORD creationFlags) {
    Program program;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                       workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        program.process_ = info.hProcess;
        program.processId_ = info.dwProcessId;
    } else {
        // Said here, since every caller only sees a program that never ran.
        std::fprintf(stderr, "could not start \"%s\" (folder \"%s\"): error %lu\n", commandLine.c_str(),
                     workingFolder.c_str(), GetLastError());
    }
    return program;
}

bool Program::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Program::EndsWithin(DWORD timeoutMs) const {
    return !process_ || WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

int Program::WaitForExit(DWORD timeoutMs) {
    if (!process_) return -1;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

int RunProcess(const std::string& commandLine, DWORD timeoutMs) {
    return Program::Start(commandLine).WaitForExit(timeoutMs);
}

bool RunUnixShell(const std::string& command, DWORD timeoutMs) {
    static int calls = 0;
    const std::string sentinel =
        "/tmp/bm-shell-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++calls);
    std::string line = "Z:\\bin\\sh -c \"" + command + "; touch " + sentinel + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);
    std::string windowsSentinel = "Z:" + sentinel;
    std::replace(windowsSentinel.begin(), windowsSentinel.end(), '/', '\\');
    const bool ran =
        Eventually([&] { return GetFileAttributesA(windowsSentinel.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs);
    DeleteFileA(windowsSentinel.c_str());
    return ran;
}

}  // namespace testsupport
