#include "support/WineTestSupport.h"

#include <objbase.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>

#include "BootmarshalVersion.h"

namespace testsupport {

namespace {

std::string WindowsPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

}  // namespace

std::string ProductPath(const std::string& fileName) { return WindowsPathOf(std::string(BM_BIN_DIR) + "/" + fileName); }

std::string SourcePath(const std::string& relativePath) {
    return WindowsPathOf(std::string(BM_SOURCE_DIR) + "/" + relativePath);
}

int RunProcess(const std::string& commandLine, DWORD timeoutMs) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WritePlatformLink(const std::string& file, const std::string& target, const std::string& arguments) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    IPersistFile* persist = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        saved = SUCCEEDED(persist->Save(wide, TRUE));
        persist->Release();
    }
    link->Release();
    return saved;
}

void MakeFolders(const std::string& folder) {
    for (size_t pos = folder.find('\\', 3); pos != std::string::npos; pos = folder.find('\\', pos + 1)) {
        CreateDirectoryA(folder.substr(0, pos).c_str(), nullptr);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
}

void SeedLanguageChoice(const std::string& dataFolder) {
    MakeFolders(dataFolder);
    WriteFileBytes(dataFolder + "Bootmarshal.cho", BM_VERSION_TEXT);
}

}  // namespace testsupport
