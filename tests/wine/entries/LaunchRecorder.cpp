// A program for launch tests: writes its command line and its working folder,
// one per line, to the file that the environment variable BM_LAUNCH_RECORD
// names (the launching test's environment is inherited), then ends.
#include <windows.h>

#include <string>

namespace {

std::string Ansi(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t record[MAX_PATH];
    const DWORD recordLength = GetEnvironmentVariableW(L"BM_LAUNCH_RECORD", record, MAX_PATH);
    if (recordLength == 0 || recordLength >= MAX_PATH) return 2;
    wchar_t folder[MAX_PATH];
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH, folder);
    const std::string text = Ansi(GetCommandLineW()) + "\r\n" +
                             Ansi(std::wstring(folder, folderLength < MAX_PATH ? folderLength : 0)) + "\r\n";
    // Written under another name and then moved into place, so that the test
    // never reads half a record.
    const std::wstring partial = std::wstring(record) + L".part";
    HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != text.size()) return 4;
    return MoveFileExW(partial.c_str(), record, MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
