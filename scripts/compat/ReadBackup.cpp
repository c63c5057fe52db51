// Reads backup files with the reader of the source tree it is built with and
// lists what it read (tests/compat/backup/BackupListing.h), so that the
// readings of two versions of the program can be compared line by line:
//   read-backup german|us <file>...
// A file the reader refuses lists "refused: <reason>". Built with
// BM_COMPAT_CURRENT_FIELDS (only possible against a tree that has them), each
// entry line adds the value type and who switched the entry off, as the
// current files' readings (*.read.txt) hold them. Built against an older
// tree, an entry its restore refuses (a kind it knows no location of) ends in
// "|refused".
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "../../tests/compat/backup/BackupListing.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"
#include "xml/XmlTree.h"
#ifdef BM_COMPAT_CURRENT_FIELDS
#include "system/CodePageText.h"
#else
#include "entries/StartupEntry.h"
#endif

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: read-backup german|us <file>...\n");
        return 2;
    }
    const DateTimeFormats formats = compat::FixtureFormats(std::string(argv[1]) == "german");
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string path = argv[i];
        const std::string name = path.substr(path.find_last_of('/') + 1);
        TXMLCodec codec;
        TXMLParser parser;
        parser.Codec = &codec;
        TXMLTag root;
        SnapshotList list;
        try {
            if (!parser.LoadFromText(bytes, path, &root)) throw std::runtime_error("no content");
            const TXMLTag* xml = root.Items.FindTag("xml");
            if (!xml) throw std::runtime_error("no xml element");
            list.ReadFromXml(*xml, formats);
        } catch (const std::exception& error) {
            std::printf("file %s\nrefused: %s\n", name.c_str(), error.what());
            continue;
        }
#ifdef BM_COMPAT_CURRENT_FIELDS
        // As older readings list them: a text the ANSI code page holds in it.
        for (Snapshot& snapshot : list.Snapshots) {
            for (StartupEntry& entry : snapshot.Entries) {
                std::string name, command;
                if (AnsiFromUtf8(entry.name, name) && AnsiFromUtf8(entry.command, command)) {
                    entry.name = name;
                    entry.command = command;
                }
            }
        }
        std::fputs(compat::Listing(name, list, formats, compat::CurrentFields).c_str(), stdout);
#else
        // An entry of a kind this version knows no location of is one its
        // restore refuses (it adds an entry only to a location it knows).
        std::fputs(compat::Listing(name, list, formats,
                                   [](const StartupEntry& entry) {
                                       return IsLocationKind(entry.kind) ? std::string() : std::string("|refused");
                                   })
                       .c_str(),
                   stdout);
#endif
    }
    return 0;
}
