// The Startup-folder family: one ".lnk" file per entry
// (entries/FolderLocations.h).
#include "entries/FolderLocations.h"
#include "entries/LocationFamily.h"
#include "entries/LocationRules.h"
#include "entries/LocationWatcher.h"
#include "entries/StartupFolders.h"
#include "entries/StoredCommand.h"

namespace {

struct StoredLink : StoredForm {
    ShellLinkFields link;
    bool Text(std::string& text) const override {
        text = LinkCommand(link.Path, link.Arguments);
        return true;
    }
};

const StoredLink& LinkOf(const StoredForm& stored) { return static_cast<const StoredLink&>(stored); }

class StartupLinks final : public LocationFamily {
public:
    EntryList List(int32_t kind, EntryPlace place) const override { return ListFolderEntries(kind, place); }
    bool HasAutorunsDisabledPlace() const override { return true; }
    std::string Path(int32_t kind, EntryPlace place) const override {
        std::string folder = FolderOfPlace(kind, place);
        if (!folder.empty()) folder.pop_back();
        return folder;
    }
    bool NamesSlots() const override { return true; }
    std::string FileOf(const StartupEntry& entry) const override {
        const std::string folder = FolderOfPlace(entry.kind, PlaceOf(entry));
        return folder.empty() ? std::string() : folder + entry.name + ".lnk";
    }

    ChangeReason ReadListed(const StartupEntry& listed, bool, const ReadsAsListedFn& readsAsListed,
                            std::unique_ptr<StoredForm>& held) const override {
        const EntryPlace place = PlaceOf(listed);
        auto stored = std::make_unique<StoredLink>();
        if (!FolderLinkExists(listed.kind, listed.name, place)) return ChangeReason::ChangedSinceListing;
        if (!IsStorableLinkName(listed.name, FolderOfPlace(listed.kind, place).size())) {
            return ChangeReason::NameNotStorable;
        }
        ReadFolderLink(listed.kind, listed.name, stored->link, place);
        std::string text;
        stored->Text(text);
        held = std::move(stored);
        return readsAsListed(text) ? ChangeReason::None : ChangeReason::ChangedSinceListing;
    }

    bool Exists(int32_t kind, const std::string& name, EntryPlace place) const override {
        return FolderLinkExists(kind, name, place);
    }

    ChangeReason CheckStorable(const StartupEntry& entry) const override {
        const std::string folder = FolderOfPlace(entry.kind, PlaceOf(entry));
        if (folder.empty()) return ChangeReason::NoLocation;
        return IsStorableLinkName(entry.name, folder.size()) ? ChangeReason::None : ChangeReason::NameNotStorable;
    }

    // A rewritten link keeps its own fields, its program too while its command
    // stays; a new one gets a fresh link's. None when the command's program
    // cannot be told (see StoredLinkTarget).
    std::unique_ptr<StoredForm> WorkOutStored(const StartupEntry& entry, bool active, const StoredForm* held,
                                              bool added) const override {
        CommandParts known;
        const bool holdsProgram =
            held && LinkProgramAndArguments(LinkOf(*held).link.Path, LinkOf(*held).link.Arguments, known);
        CommandParts target;
        const LinkSplit split = added ? LinkSplit::KeepingTheText : LinkSplit::FoundOnly;
        if (!StoredLinkTarget(entry.command, active, holdsProgram ? &known : nullptr, split, target)) return nullptr;
        auto stored = std::make_unique<StoredLink>();
        if (held) {
            stored->link = LinkOf(*held).link;
            stored->link.Path = target.program;
            stored->link.Arguments = target.arguments;
        } else {
            ShellLink& link = SharedShellLink();
            link.SetTarget(target.program, target.arguments);
            stored->link = link.Fields();
        }
        return stored;
    }

    WriteOutcome Write(const StartupEntry& entry, const StoredForm& stored) const override {
        return WriteFolderLink(entry.kind, entry.name, LinkOf(stored).link, PlaceOf(entry));
    }

    WriteOutcome Remove(const StartupEntry& listed, const StoredForm&) const override {
        return RemoveFolderEntry(listed.kind, listed.name, PlaceOf(listed));
    }

    // The folder with everything below it, its "AutorunsDisabled" folder included.
    void Watch(int32_t kind, LocationWatcher& watcher) const override {
        std::string folder = StartupFolder(kind);
        if (folder.empty()) return;
        folder.pop_back();
        watcher.WatchFolderTree(folder);
    }
};

}  // namespace

const LocationFamily& StartupLinksFamily() {
    static const StartupLinks family;
    return family;
}
