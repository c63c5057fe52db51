#include "support/WineTestSupport.h"
#include "support/WindowOnTop.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

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

std::string ScreensFolder() {
    const std::string path = WindowsPathOf(std::string(BM_BIN_DIR) + "/../artifacts/screens");
    MakeFolders(path);
    return path + "\\";
}

std::string SourcePath(const std::string& relativePath) {
    return WindowsPathOf(std::string(BM_SOURCE_DIR) + "/" + relativePath);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void SetUserDpi(DWORD dpi) {
    HKEY desktop = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &desktop,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(desktop);
}

namespace {
const char kRunDpiVariable[] = "BM_TEST_RUN_DPI";
}

int DpiOfThisRun() {
    char value[16] = "";
    const DWORD length = GetEnvironmentVariableA(kRunDpiVariable, value, sizeof value);
    return length > 0 && length < sizeof value ? std::atoi(value) : 0;
}

int RunTestsAtDpi(const std::string& gtestFilter, DWORD dpi, DWORD timeoutMs) {
    SetUserDpi(dpi);
    SetEnvironmentVariableA(kRunDpiVariable, std::to_string(dpi).c_str());
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const int exitCode = RunProcess("\"" + std::string(self) + "\" --gtest_filter=" + gtestFilter, timeoutMs);
    SetEnvironmentVariableA(kRunDpiVariable, nullptr);
    SetUserDpi(96);
    return exitCode;
}

bool PressKey(WORD key, std::initializer_list<WORD> held) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD virtualKey, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD modifier : held) add(modifier, false);
    add(key, false);
    add(key, true);
    for (auto modifier = std::rbegin(held); modifier != std::rend(held); ++modifier) add(*modifier, true);
    const UINT count = static_cast<UINT>(inputs.size());
    return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
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
    // Whatever ran before in this test program: COM for this call, and the
    // folder, which a fresh prefix need not have yet.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct ComScope {
        HRESULT result;
        ~ComScope() {
            if (SUCCEEDED(result)) CoUninitialize();
        }
    } comScope{com};
    const size_t folderEnd = file.find_last_of('\\');
    if (folderEnd != std::string::npos) MakeFolders(file.substr(0, folderEnd));
    IShellLinkA* link = nullptr;
    const HRESULT made = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                          reinterpret_cast<void**>(&link));
    if (FAILED(made)) {
        std::fprintf(stderr, "no shell link object for %s: 0x%08lx\n", file.c_str(), static_cast<unsigned long>(made));
        return false;
    }
    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    IPersistFile* persist = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        const HRESULT result = persist->Save(wide, TRUE);
        saved = SUCCEEDED(result);
        if (!saved)
            std::fprintf(stderr, "link %s not saved: 0x%08lx\n", file.c_str(), static_cast<unsigned long>(result));
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

bool SaveWindowImage(HWND window, const std::string& path) {
    const WindowOnTop onTop(window);
    // What raising it uncovered is painted before the copy.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect{};
    GetWindowRect(window, &rect);
    // Under Wine a copy reaching past the screen's edge copies nothing at all
    // and leaves a black picture: a window partly out of sight has no picture.
    const RECT screenRect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (rect.left < screenRect.left || rect.top < screenRect.top || rect.right > screenRect.right ||
        rect.bottom > screenRect.bottom) {
        std::fprintf(stderr, "SaveWindowImage: the window (%ld,%ld)-(%ld,%ld) reaches past the screen (%ld,%ld)\n",
                     rect.left, rect.top, rect.right, rect.bottom, screenRect.right, screenRect.bottom);
        return false;
    }
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const size_t stride = static_cast<size_t>((width * 3 + 3) / 4 * 4);
    std::string pixels(stride * static_cast<size_t>(height), '\0');
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied) return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    return WriteFileBytes(path, std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                                    std::string(reinterpret_cast<const char*>(&info), sizeof info) + pixels);
}

void SeedLanguageChoice(const std::string& dataFolder) {
    MakeFolders(dataFolder);
    WriteFileBytes(dataFolder + "Bootmarshal.cho", BM_VERSION_TEXT);
}

std::string LastErrorText(const char* doing) {
    const DWORD error = GetLastError();
    char message[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, message,
                   sizeof message, nullptr);
    return std::string(doing) + ": error " + std::to_string(error) + " " + message;
}

}  // namespace testsupport
