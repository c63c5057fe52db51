// Running another process from a test: started, then waited for; one that
// outlives its test is ended by force.
#pragma once
#include <windows.h>

#include <string>

namespace testsupport {

// A started process; ends it (TerminateProcess) if it still runs when dropped.
class Program {
public:
    Program() = default;
    ~Program();
    Program(Program&& other) noexcept;
    Program& operator=(Program&& other) noexcept;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the command line (the program's path first, quoted where needed).
    static Program Start(const std::string& commandLine, const std::string& workingFolder = "",
                         DWORD creationFlags = 0);
    bool started() const { return process_ != nullptr; }
    DWORD processId() const { return processId_; }
    // Waits for the end; the exit code, or -1 when it did not end in time (the
    // process is then ended by force) or never started.
    int WaitForExit(DWORD timeoutMs = 15000);
    // Whether it ended within timeoutMs (0: now); it is left running otherwise.
    bool EndsWithin(DWORD timeoutMs) const;
    bool running() const;

private:
    void Release();
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// Starts the command line and waits at most timeoutMs; the exit code, or -1
// when it could not be started or did not end in time (it is then ended).
int RunProcess(const std::string& commandLine, DWORD timeoutMs = 60000);

// Runs a Unix shell command (sh -c; no double quotation marks in it) and waits
// until it has run. Wine starts a Unix program without a process handle or an
// exit code, so the command leaves a sentinel file behind when it is done.
// False when it could not be started or did not finish within timeoutMs.
bool RunUnixShell(const std::string& command, DWORD timeoutMs = 10000);

}  // namespace testsupport
