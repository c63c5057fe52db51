// The backup files of other versions of the program (tests/compat/backup/):
// every file an older version wrote reads exactly as that version read it, and
// the files this version writes read back with all they hold and are written
// again byte for byte. That older versions read this version's files is shown
// by scripts/check-compat.sh, which builds their reader from history.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "backup/SnapshotList.h"
#include "compat/backup/BackupListing.h"
#include "system/CodePageText.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"
#include "xml/XmlTree.h"

namespace {

std::string SourcePath(const std::string& relative) {
#ifdef _WIN32
    return "Z:" BM_SOURCE_DIR "/" + relative;  // the source tree as Wine sees it
#else
    return BM_SOURCE_DIR "/" + relative;
#endif
}

std::string ReadBytes(const std::string& relative) {
    std::ifstream in(SourcePath(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Fixture {
    const char* folder;  // under tests/compat/backup/
    const char* name;    // without ".xml"
    bool german;         // written under German regional settings, else US
};

// Written by the program as of dbe3696: entries of every family, switched off
// by this program, by Windows' own switch and in another tool's place, names
// with blanks at their ends and characters outside ASCII, values that are no
// text, a snapshot before and after changes.
const Fixture kOlder[] = {{"dbe3696", "several-kinds-german", true}, {"dbe3696", "several-kinds-us", false}};
// The same entries written by this version.
const Fixture kCurrent[] = {{"current", "several-kinds-german", true}, {"current", "several-kinds-us", false}};

class Reading {
public:
    explicit Reading(const Fixture& fixture) : fixture_(fixture) {
        parser_.Codec = &codec_;
        bytes_ = ReadBytes(Path(".xml"));
        EXPECT_FALSE(bytes_.empty()) << Path(".xml");
        EXPECT_TRUE(parser_.LoadFromText(bytes_, fixture.name, &root_)) << fixture.name;
        const TXMLTag* xml = root_.Items.FindTag("xml");
        EXPECT_NE(xml, nullptr) << fixture.name;
        if (xml) list_.ReadFromXml(*xml, Formats());
    }
    std::string Path(const char* extension) const {
        return std::string("tests/compat/backup/") + fixture_.folder + "/" + fixture_.name + extension;
    }
    DateTimeFormats Formats() const { return compat::FixtureFormats(fixture_.german); }
    // The listing as the older versions' readers give it: their texts are in
    // the ANSI code page (Windows-1252 for the fixtures), this version's UTF-8.
    std::string Listing(bool currentFields) const {
        SnapshotList inCodePage = list_;
        for (Snapshot& snapshot : inCodePage.Snapshots) {
            for (StartupEntry& entry : snapshot.Entries) {
                std::string name, command;
                if (AnsiFromUtf8(entry.name, name) && AnsiFromUtf8(entry.command, command)) {
                    entry.name = name;
                    entry.command = command;
                }
            }
        }
        return compat::Listing(std::string(fixture_.name) + ".xml", inCodePage, Formats(),
                               currentFields ? compat::CurrentFields : nullptr);
    }
    std::string Written() {
        TXMLTag xml(nullptr, "xml");
        list_.WriteToXml(xml, Formats());
        return parser_.SaveToText(&xml, true, true);
    }
    const SnapshotList& List() const { return list_; }
    const std::string& Bytes() const { return bytes_; }

private:
    Fixture fixture_;
    TXMLCodec codec_;
    TXMLParser parser_;
    TXMLTag root_;
    SnapshotList list_;
    std::string bytes_;
};

TEST(BackupCompatibility, EveryFileOfAnOlderVersionReadsExactlyAsThatVersionReadIt) {
    for (const Fixture& fixture : kOlder) {
        const Reading reading(fixture);
        const std::string expected = ReadBytes(reading.Path(".read.txt"));
        ASSERT_FALSE(expected.empty()) << reading.Path(".read.txt");
        EXPECT_EQ(reading.Listing(false), expected) << fixture.name;
        size_t entries = 0;
        for (const Snapshot& snapshot : reading.List().Snapshots) entries += snapshot.Entries.size();
        EXPECT_GT(entries, 30u) << fixture.name;
    }
}

// Files of old hold no mechanism and no type: an entry switched off counts as
// switched off by this program, and a value gets the type its command
// suggests, as a restore of those versions gave them.
TEST(BackupCompatibility, WhatAnOlderFileDoesNotSayReadsAsThatVersionRestoredIt) {
    for (const Fixture& fixture : kOlder) {
        const Reading reading(fixture);
        for (const Snapshot& snapshot : reading.List().Snapshots) {
            for (const StartupEntry& entry : snapshot.Entries) {
                EXPECT_EQ(entry.offBy, entry.active ? SwitchedOffBy::Nobody : SwitchedOffBy::ThisProgram) << entry.name;
                const bool expandable =
                    entry.kind >= 11 && entry.kind <= 28 && entry.command.find('%') != std::string::npos;
                EXPECT_EQ(entry.stored, expandable ? StoredValue::ExpandText : StoredValue::Text) << entry.name;
            }
        }
    }
}

TEST(BackupCompatibility, EveryFileOfThisVersionReadsWithAllItHoldsAndIsWrittenAgainByteForByte) {
    for (const Fixture& fixture : kCurrent) {
        Reading reading(fixture);
        const std::string expected = ReadBytes(reading.Path(".read.txt"));
        ASSERT_FALSE(expected.empty()) << reading.Path(".read.txt");
        EXPECT_EQ(reading.Listing(true), expected) << fixture.name;
        EXPECT_EQ(reading.Written(), reading.Bytes()) << fixture.name;
    }
}

}  // namespace
