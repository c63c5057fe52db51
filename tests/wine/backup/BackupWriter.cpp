// A second copy of the program as far as the backup file goes: adds snapshots
// of its own and deletes some of them again, one change after the other, so a
// test can run two of them at once and see that neither undoes the other's.
//   backup_writer <tag> <count>
// Each snapshot holds one entry named "<tag> <i>"; every fourth change deletes
// the snapshot added just before it.
#include <cstdlib>
#include <string>

#include "backup/BackupStore.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

namespace {

Snapshot Numbered(const std::string& tag, int i) {
    Snapshot snapshot;
    snapshot.Timestamp = LocalDateTime{2011, 1 + i % 12, 1 + i % 28, 12, 0, 0, 0};
    StartupEntry entry;
    entry.name = tag + " " + std::to_string(i);
    entry.command = "C:\\" + tag + "\\" + std::to_string(i) + ".exe";
    entry.kind = 11;
    entry.active = 1;
    snapshot.Entries.push_back(entry);
    return snapshot;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string tag = argv[1];
    const int count = std::atoi(argv[2]);
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    BackupStore store(parser);
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        try {
            if (i % 4 == 3) {
                if (!store.DeleteSnapshot(Numbered(tag, i - 1))) ++failures;
            } else {
                store.AddSnapshot(Numbered(tag, i));
            }
        } catch (const std::exception&) {
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
