// The shell-link component: holds the fields of one ".lnk" file and reads or
// writes them through the platform's shell-link object (IShellLinkW with
// IPersistFile). One instance is made at start-up; making it initialises COM for
// the calling thread, and destroying it undoes that.
#pragma once
#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

// The fields of one link as a value, to carry a link's own settings over when
// it is written again.
struct ShellLinkFields {
    std::string Path;
    std::string WorkingDirectory;
    std::string Description;
    std::string Arguments;
    std::string IconLocation;
    int IconIndex = 0;
    int ShowCmd = 1;
    int HotKey = 0;  // the low 16 bits go to the link
};

class ShellLink {
public:
    ShellLink();
    ~ShellLink();
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;

    // The fields of the link at hand: what LoadLink read, what SaveLink writes.
    ShellLinkFields& Fields() { return fields_; }
    const ShellLinkFields& Fields() const { return fields_; }
    void SetFields(const ShellLinkFields& fields) { fields_ = fields; }

    // The component's defaults for a fresh link to path p: it starts in p's
    // folder, is described by p's file name, has no icon of its own, a normal
    // window and no hot key.
    void SetTarget(const std::string& path, const std::string& arguments);

    // Resets every field, then reads the link file into them. True when the file
    // could be loaded; a field whose getter fails keeps its reset value.
    bool LoadLink(const std::string& file);

    // Writes the fields into a link file. True only when every field was taken
    // and the file was saved.
    bool SaveLink(const std::string& file);
    // Why the last SaveLink failed: the result of the platform's save.
    HRESULT LastSaveResult() const { return lastSaveResult_; }

private:
    // The loader keeps one shell-link object for its whole life: loading a file
    // into it replaces everything the previous file gave it, and making a new
    // object for every link of a listing costs more than reading the link.
    bool EnsureReader();
    void DropReader();

    ShellLinkFields fields_;
    bool comInitialised_ = false;
    HRESULT lastSaveResult_ = S_OK;
    IShellLinkW* reader_ = nullptr;
    IPersistFile* readerFile_ = nullptr;
    std::vector<wchar_t> text_;  // getter buffer, reused
};

// The component shared by the whole program. CreateSharedShellLink makes it (and
// so initialises COM on the calling thread); call it once at start-up, before
// anything reads or writes an entry. SharedShellLink hands it out, making it on
// first use if start-up has not. DestroySharedShellLink ends it (and COM) before
// the program ends; it is also ended at exit.
ShellLink& CreateSharedShellLink();
ShellLink& SharedShellLink();
void DestroySharedShellLink();
