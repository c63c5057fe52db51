#include "entries/ShellLink.h"

#include <memory>

#include "system/Utf8.h"

namespace {

// Room for a path, and for argument and comment texts, which links may hold
// well beyond a path's length: a command cut here would be written back cut.
const size_t kPathChars = MAX_PATH;
const size_t kLongTextChars = 32768;

std::wstring Wide(const std::string& text) { return WideFromUtf8(text); }

template <typename Interface>
void Release(Interface*& object) {
    if (object) object->Release();
    object = nullptr;
}

bool CreateShellLinkObject(IShellLinkW** link, IPersistFile** file) {
    *link = nullptr;
    *file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link)))) {
        *link = nullptr;
        return false;
    }
    if (FAILED((*link)->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file)))) {
        *file = nullptr;
        Release(*link);
        return false;
    }
    return true;
}

std::unique_ptr<ShellLink>& SharedInstance() {
    static std::unique_ptr<ShellLink> instance;
    return instance;
}

}  // namespace

ShellLink::ShellLink() : text_(kLongTextChars) {
    // S_FALSE (already initialised on this thread) must be balanced as well; a
    // failure (another apartment model) must not be.
    comInitialised_ = SUCCEEDED(CoInitialize(nullptr));
    SetTarget("", "");
}

ShellLink::~ShellLink() {
    DropReader();
    if (comInitialised_) CoUninitialize();
}

void ShellLink::SetTarget(const std::string& path, const std::string& arguments) {
    const size_t split = path.find_last_of("\\:");
    fields_ = ShellLinkFields();
    fields_.Path = path;
    fields_.WorkingDirectory = split == std::string::npos ? std::string() : path.substr(0, split + 1);
    fields_.Description = split == std::string::npos ? path : path.substr(split + 1);
    fields_.Arguments = arguments;
}

bool ShellLink::EnsureReader() { return reader_ || CreateShellLinkObject(&reader_, &readerFile_); }

void ShellLink::DropReader() {
    Release(readerFile_);
    Release(reader_);
}

bool ShellLink::LoadLink(const std::string& file) {
    SetTarget("", "");
    if (!EnsureReader()) return false;
    if (FAILED(readerFile_->Load(Wide(file).c_str(), STGM_READ))) {
        // What a failed load leaves in the object is not defined: start afresh.
        DropReader();
        return false;
    }
    wchar_t* text = text_.data();
    auto readText = [&](size_t room, auto getter) -> const wchar_t* {
        text[0] = L'\0';
        if (FAILED(getter(static_cast<int>(room)))) return nullptr;
        text[room - 1] = L'\0';
        return text;
    };
    if (const wchar_t* t = readText(kPathChars, [&](int n) { return reader_->GetWorkingDirectory(text, n); }))
        fields_.WorkingDirectory = Utf8FromWide(t);
    if (const wchar_t* t = readText(kPathChars, [&](int n) { return reader_->GetPath(text, n, nullptr, 0); }))
        fields_.Path = Utf8FromWide(t);
    int iconIndex = 0;
    if (const wchar_t* t = readText(kPathChars, [&](int n) { return reader_->GetIconLocation(text, n, &iconIndex); })) {
        fields_.IconLocation = Utf8FromWide(t);
        fields_.IconIndex = iconIndex;
    }
    if (const wchar_t* t = readText(kLongTextChars, [&](int n) { return reader_->GetDescription(text, n); }))
        fields_.Description = Utf8FromWide(t);
    int showCmd = 0;
    if (SUCCEEDED(reader_->GetShowCmd(&showCmd))) fields_.ShowCmd = showCmd;
    WORD hotKey = 0;
    if (SUCCEEDED(reader_->GetHotkey(&hotKey))) fields_.HotKey = hotKey;
    if (const wchar_t* t = readText(kLongTextChars, [&](int n) { return reader_->GetArguments(text, n); }))
        fields_.Arguments = Utf8FromWide(t);
    return true;
}

bool ShellLink::SaveLink(const std::string& file) {
    // A fresh object for every save: nothing of a link read earlier can leak in.
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    lastSaveResult_ = E_FAIL;
    if (!CreateShellLinkObject(&link, &persist)) return false;
    bool ok = true;
    ok &= SUCCEEDED(link->SetPath(Wide(fields_.Path).c_str()));
    ok &= SUCCEEDED(link->SetDescription(Wide(fields_.Description).c_str()));
    ok &= SUCCEEDED(link->SetWorkingDirectory(Wide(fields_.WorkingDirectory).c_str()));
    ok &= SUCCEEDED(link->SetArguments(Wide(fields_.Arguments).c_str()));
    ok &= SUCCEEDED(link->SetHotkey(static_cast<WORD>(fields_.HotKey & 0xFFFF)));
    ok &= SUCCEEDED(link->SetShowCmd(fields_.ShowCmd));
    ok &= SUCCEEDED(link->SetIconLocation(Wide(fields_.IconLocation).c_str(), fields_.IconIndex));
    lastSaveResult_ = persist->Save(Wide(file).c_str(), TRUE);
    ok &= SUCCEEDED(lastSaveResult_);
    Release(persist);
    Release(link);
    return ok;
}

ShellLink& CreateSharedShellLink() {
    std::unique_ptr<ShellLink>& instance = SharedInstance();
    if (!instance) instance = std::make_unique<ShellLink>();
    return *instance;
}

ShellLink& SharedShellLink() { return CreateSharedShellLink(); }

void DestroySharedShellLink() { SharedInstance().reset(); }
