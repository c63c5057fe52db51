// Snapshots and the backup list as XML: the exact bytes of a written backup
// file, what reads back, which trees are faults, and the newest-first order.
#include <gtest/gtest.h>

#include <memory>

#include "backup/SnapshotList.h"
#include "entries/LocationKinds.h"
#include "support/EntryBuilder.h"
#include "unit/backup/DateTimePrint.h"
#include "xml/XmlParser.h"

namespace {

using testsupport::AnEntry;

DateTimeFormats German() {
    DateTimeFormats f;
    f.shortDate = "dd.MM.yyyy";
    f.longTime = "HH:mm:ss";
    return f;
}

DateTimeFormats Us() {
    DateTimeFormats f;
    f.shortDate = "M/d/yyyy";
    f.longTime = "h:mm:ss tt";
    return f;
}

// The codec and parser pair through which the store reads and writes.
class Xml {
public:
    Xml() { parser.Codec = &codec; }
    std::string Write(const SnapshotList& list, const DateTimeFormats& formats) {
        TXMLTag xml(nullptr, "xml");
        list.WriteToXml(xml, formats);
        return parser.SaveToText(&xml, true, true);
    }
    // The document's "xml" element (the root keeps the tree alive).
    const TXMLTag& Read(const std::string& bytes) {
        root = std::make_unique<TXMLTag>();
        EXPECT_TRUE(parser.LoadFromText(bytes, "BootmarshalBackup.xml", root.get()));
        const TXMLTag* xml = root->Items.FindTag("xml");
        EXPECT_NE(xml, nullptr);
        return xml ? *xml : *root;
    }
    TXMLCodec codec;
    TXMLParser parser;
    std::unique_ptr<TXMLTag> root;
};

// One snapshot of one active entry, taken on 1 February 2010 at 10:20:30.
const char kOneEntryGerman[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
    "<xml>\r\n"
    "  <list>\r\n"
    "    <object>\r\n"
    "      <datum>01.02.2010 10:20:30</datum>\r\n"
    "      <launcher0>\r\n"
    "        <active>true</active>\r\n"
    "        <kind>11</kind>\r\n"
    "        <name>Updater</name>\r\n"
    "        <command>C:&#92;Tools&#92;upd.exe /s</command>\r\n"
    "      </launcher0>\r\n"
    "    </object>\r\n"
    "  </list>\r\n"
    "</xml>\r\n";

// A snapshot taken while there were no entries.
const char kNoEntriesGerman[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
    "<xml>\r\n"
    "  <list>\r\n"
    "    <object>\r\n"
    "      <datum>01.02.2010 10:20:30</datum>\r\n"
    "    </object>\r\n"
    "  </list>\r\n"
    "</xml>\r\n";

const char kEmptyList[] =
    "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
    "<xml>\r\n"
    "  <list />\r\n"
    "</xml>\r\n";

TEST(SnapshotList, WritesTheBackupFileByteForByte) {
    SnapshotList list;
    list.Snapshots.resize(1);
    list.Snapshots[0].Timestamp = At(2010, 2, 1, 10, 20, 30, 456);
    list.Snapshots[0].Entries.push_back(AnEntry("Updater", "C:\\Tools\\upd.exe /s"));
    Xml xml;
    EXPECT_EQ(xml.Write(list, German()), kOneEntryGerman);

    list.Snapshots[0].Entries.clear();
    EXPECT_EQ(xml.Write(list, German()), kNoEntriesGerman);

    list.Snapshots.clear();
    EXPECT_EQ(xml.Write(list, German()), kEmptyList);
}

TEST(SnapshotList, ReadsTheBackupFileAndWritesItAgainUnchanged) {
    const char* files[] = {kOneEntryGerman, kNoEntriesGerman, kEmptyList};
    for (const char* file : files) {
        Xml xml;
        SnapshotList list;
        list.ReadFromXml(xml.Read(file), German());
        EXPECT_EQ(xml.Write(list, German()), file);
    }
    Xml xml;
    SnapshotList list;
    list.ReadFromXml(xml.Read(kOneEntryGerman), German());
    ASSERT_EQ(list.Snapshots.size(), 1u);
    EXPECT_EQ(list.Snapshots[0].Timestamp, At(2010, 2, 1, 10, 20, 30));
    ASSERT_EQ(list.Snapshots[0].Entries.size(), 1u);
    const StartupEntry& e = list.Snapshots[0].Entries[0];
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(e.kind, 11);
    EXPECT_EQ(e.name, "Updater");
    EXPECT_EQ(e.command, "C:\\Tools\\upd.exe /s");
}

// Who switched an entry off and a value's type go into two extra children of
// a launcher, only where the four children of old would restore the entry
// otherwise; a reader that knows only those four skips them.
TEST(SnapshotList, MechanismAndValueTypeAreKeptInExtraChildrenOnlyWhereTheyDiffer) {
    struct Case {
        const char* what;
        StartupEntry entry;
        const char* extra;  // the children after <command>, as written
    };
    auto typed = [](testsupport::EntryBuilder e, StoredValue stored) {
        e.stored = stored;
        return e;
    };
    const Case cases[] = {
        {"active text value", AnEntry("A", "a.exe"), ""},
        {"switched off with the marker", AnEntry("A", "a.exe").OffBy(SwitchedOffBy::ThisProgram), ""},
        {"switched off by nobody said", AnEntry("A", "a.exe").Active(0), ""},
        {"switched off by Windows", AnEntry("A", "a.exe").OffBy(SwitchedOffBy::Windows),
         "<switchedoffby>windows</switchedoffby>"},
        {"in another tool's place", AnEntry("A", "a.exe").Kind(2).OffBy(SwitchedOffBy::OtherTool),
         "<switchedoffby>othertool</switchedoffby>"},
        {"REG_SZ holding %", typed(AnEntry("A", "a.exe %X%"), StoredValue::Text), "<valuetype>text</valuetype>"},
        {"REG_EXPAND_SZ holding %", typed(AnEntry("A", "a.exe %X%"), StoredValue::ExpandText), ""},
        {"REG_EXPAND_SZ without %", typed(AnEntry("A", "a.exe"), StoredValue::ExpandText),
         "<valuetype>expandtext</valuetype>"},
        {"no text", typed(AnEntry("A", "").Kind(21), StoredValue::NotText), "<valuetype>nottext</valuetype>"},
        {"a link holding %", AnEntry("A", "a.exe %X%").Kind(2), ""},
        {"both", typed(AnEntry("A", "a.exe %X%").Kind(26), StoredValue::Text).OffBy(SwitchedOffBy::Windows),
         "<valuetype>text</valuetype><switchedoffby>windows</switchedoffby>"},
    };
    for (const Case& c : cases) {
        SnapshotList list;
        list.Snapshots.resize(1);
        list.Snapshots[0].Timestamp = At(2010, 2, 1, 10, 20, 30);
        list.Snapshots[0].Entries = {c.entry};
        Xml xml;
        const std::string bytes = xml.Write(list, German());
        std::string written;
        const size_t after = bytes.find("</command>") + 10;
        for (size_t i = after; i < bytes.find("</launcher0>"); ++i) {
            if (bytes[i] != ' ' && bytes[i] != '\r' && bytes[i] != '\n') written += bytes[i];
        }
        EXPECT_EQ(written, c.extra) << c.what;

        SnapshotList read;
        read.ReadFromXml(xml.Read(bytes), German());
        ASSERT_EQ(read.Snapshots.size(), 1u) << c.what;
        const StartupEntry& got = read.Snapshots[0].Entries.at(0);
        EXPECT_EQ(got.stored, RecordedValueType(c.entry)) << c.what;
        EXPECT_EQ(got.offBy, RecordedSwitchedOffBy(c.entry)) << c.what;
        EXPECT_EQ(got.active, c.entry.active) << c.what;
        EXPECT_TRUE(SameSnapshot(read.Snapshots[0], list.Snapshots[0])) << c.what;
        EXPECT_EQ(xml.Write(read, German()), bytes) << c.what;
    }
}

// An entry the ANSI code page cannot hold (Windows-1252 in the tree without
// Windows) keeps its UTF-8, lone surrogates included, under a kind older
// versions know no location of, so their restore refuses it; this version
// reads it back exactly under its own kind. An entry that fits stays as of old.
TEST(SnapshotList, EntriesOutsideTheCodePageKeepTheirTextUnderAKindOlderVersionsDoNotRestore) {
    struct Case {
        const char* what;
        StartupEntry entry;
        int writtenKind;
    };
    const Case cases[] = {
        {"Western", AnEntry("Gr\xC3\xBC\xC3\x9F", "C:\\\xC3\x84rger\\a.exe").Kind(11), 11},
        {"Cyrillic name",
         AnEntry("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBA\xD0\xB0", "C:\\p.exe").Kind(11), 311},
        {"Greek command", AnEntry("Greek", "C:\\\xCE\xB1\xCE\xB2\xCE\xB3.exe /\xCE\xB4").Kind(21), 321},
        {"CJK link", AnEntry("\xE6\xB5\x8B\xE8\xAF\x95", "C:\\t.exe").Kind(2).Active(0), 302},
        {"emoji", AnEntry("Smile \xF0\x9F\x98\x80", "C:\\s.exe").Kind(26).OffBy(SwitchedOffBy::Windows), 326},
        {"lone surrogate", AnEntry("Half\xED\xA0\x80", "C:\\h.exe").Kind(12), 312},
        {"win.ini item", AnEntry("x", "C:\\\xD0\xA2.exe").Kind(32), 332},
    };
    for (const Case& c : cases) {
        SnapshotList list;
        list.Snapshots.resize(1);
        list.Snapshots[0].Timestamp = At(2010, 2, 1, 10, 20, 30);
        list.Snapshots[0].Entries = {c.entry};
        Xml xml;
        const std::string bytes = xml.Write(list, German());
        const bool utf8 = c.writtenKind != c.entry.kind;
        EXPECT_NE(bytes.find("<kind>" + std::to_string(c.writtenKind) + "</kind>"), std::string::npos) << c.what;
        EXPECT_EQ(bytes.find("<encoding>utf-8</encoding>") != std::string::npos, utf8) << c.what;
        // The declaration and the layout of the file stay.
        EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<xml>\r\n  <list>\r\n", 0), 0u) << c.what;

        SnapshotList read;
        read.ReadFromXml(xml.Read(bytes), German());
        ASSERT_EQ(read.Snapshots.size(), 1u) << c.what;
        const StartupEntry& got = read.Snapshots[0].Entries.at(0);
        EXPECT_EQ(got.kind, c.entry.kind) << c.what;
        EXPECT_EQ(got.name, c.entry.name) << c.what;
        EXPECT_EQ(got.command, c.entry.command) << c.what;
        EXPECT_TRUE(SameSnapshot(read.Snapshots[0], list.Snapshots[0])) << c.what;
        EXPECT_EQ(xml.Write(read, German()), bytes) << c.what;
    }
}

// The UTF-8 range must never take a kind that names a location of its own.
TEST(SnapshotList, EveryLocationKindPlusTheUtf8OffsetLiesInTheUtf8Range) {
    for (const int32_t kind : AllLocationKinds()) {
        EXPECT_GE(kind, 0);
        EXPECT_LE(kind + kUtf8KindOffset, kUtf8KindLast) << kind;
        EXPECT_FALSE(IsLocationKind(kind + kUtf8KindOffset)) << kind;
    }
}

// Either mark says the texts are UTF-8: a kind of the UTF-8 range, or the
// child alone, as files of the version before that range hold it. Without
// either the texts are in the code page.
TEST(SnapshotList, EitherMarkReadsTheTextsAsUtf8) {
    const std::string head =
        "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<xml><list><object><datum>01.02.2010</datum><launcher0>";
    const std::string tail = "</launcher0></object></list></xml>\r\n";
    const std::string te = "&ETH;&cent;&ETH;&micro;";  // the UTF-8 bytes of two Cyrillic letters
    struct Case {
        std::string launcher;
        int kind;
        std::string name;
    } cases[] = {
        {"<active>true</active><kind>311</kind><name>" + te +
             "</name><command>c</command>"
             "<encoding>utf-8</encoding>",
         11, "\xD0\xA2\xD0\xB5"},
        {"<active>true</active><kind>302</kind><name>" + te + "</name><command>c</command>", 2, "\xD0\xA2\xD0\xB5"},
        {"<active>true</active><kind>11</kind><name>" + te +
             "</name><command>c</command>"
             "<Encoding>UTF-8</Encoding>",
         11, "\xD0\xA2\xD0\xB5"},
        {"<active>true</active><kind>11</kind><name>" + te + "</name><command>c</command>", 11,
         "\xC3\x90\xC2\xA2\xC3\x90\xC2\xB5"},
    };
    for (const Case& c : cases) {
        Xml xml;
        SnapshotList list;
        list.ReadFromXml(xml.Read(head + c.launcher + tail), German());
        ASSERT_EQ(list.Snapshots.size(), 1u) << c.launcher;
        const StartupEntry& got = list.Snapshots[0].Entries.at(0);
        EXPECT_EQ(got.kind, c.kind) << c.launcher;
        EXPECT_EQ(got.name, c.name) << c.launcher;
    }
}

// What the children say is read in any letter case; a word they do not know
// reads as if the child were missing, and neither counts for an active entry.
TEST(SnapshotList, UnknownWordsInTheExtraChildrenReadAsIfTheyWereMissing) {
    const std::string head =
        "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<xml><list><object><datum>01.02.2010</datum><launcher0>";
    const std::string tail = "</launcher0></object></list></xml>\r\n";
    struct Case {
        std::string launcher;
        StoredValue stored;
        SwitchedOffBy offBy;
    } cases[] = {
        {"<active>false</active><kind>11</kind><name>n</name><command>c %x%</command>", StoredValue::ExpandText,
         SwitchedOffBy::ThisProgram},
        {"<active>false</active><kind>11</kind><name>n</name><command>c %x%</command>"
         "<VALUETYPE>Text</VALUETYPE><SwitchedOffBy>WINDOWS</SwitchedOffBy>",
         StoredValue::Text, SwitchedOffBy::Windows},
        {"<active>false</active><kind>11</kind><name>n</name><command>c</command>"
         "<valuetype>dword</valuetype><switchedoffby>someone</switchedoffby>",
         StoredValue::Text, SwitchedOffBy::ThisProgram},
        {"<active>true</active><kind>11</kind><name>n</name><command>c</command>"
         "<switchedoffby>windows</switchedoffby>",
         StoredValue::Text, SwitchedOffBy::Nobody},
    };
    for (const Case& c : cases) {
        Xml xml;
        SnapshotList list;
        list.ReadFromXml(xml.Read(head + c.launcher + tail), German());
        ASSERT_EQ(list.Snapshots.size(), 1u) << c.launcher;
        const StartupEntry& got = list.Snapshots[0].Entries.at(0);
        EXPECT_EQ(got.stored, c.stored) << c.launcher;
        EXPECT_EQ(got.offBy, c.offBy) << c.launcher;
    }
}

TEST(SnapshotList, UsSettingsWriteAndReadTheirOwnText) {
    SnapshotList list;
    list.Snapshots.resize(2);
    list.Snapshots[0].Timestamp = At(2010, 2, 1, 10, 20, 30);
    list.Snapshots[1].Timestamp = At(2010, 2, 1);  // midnight: the date alone
    Xml xml;
    const std::string bytes = xml.Write(list, Us());
    EXPECT_NE(bytes.find("<datum>2/1/2010 10:20:30 AM</datum>"), std::string::npos);
    EXPECT_NE(bytes.find("<datum>2/1/2010</datum>"), std::string::npos);
    SnapshotList read;
    read.ReadFromXml(xml.Read(bytes), Us());
    ASSERT_EQ(read.Snapshots.size(), 2u);
    EXPECT_EQ(read.Snapshots[0].Timestamp, At(2010, 2, 1, 10, 20, 30));
    EXPECT_EQ(read.Snapshots[1].Timestamp, At(2010, 2, 1));
}

TEST(SnapshotList, EntriesReadBackAsTheyWere) {
    const std::string longCommand = "\"C:\\Program Files\\A very long folder name\\tool.exe\" /config=\"x\" /run   ";
    SnapshotList list;
    list.Snapshots.resize(1);
    list.Snapshots[0].Timestamp = At(2010, 2, 1, 10, 20, 30);
    list.Snapshots[0].Entries = {
        AnEntry("Gr\xFC\xDF"
                "e & <Tags> \"quoted\" 'x'",
                "C:\\a_b\\\xE4\xF6\xFC.exe /x \x80 \t")
            .Kind(2)
            .Active(0),
        AnEntry("", "").Kind(31),
        AnEntry("  lead", "trail  ").Kind(25),
        AnEntry("Long", longCommand).Kind(1).Active(0),
    };
    Xml xml;
    const std::string bytes = xml.Write(list, German());
    for (const char byte : bytes) EXPECT_TRUE(byte == '\r' || byte == '\n' || (byte >= 32 && byte < 127)) << int(byte);
    EXPECT_NE(bytes.find("<name></name>"), std::string::npos);
    EXPECT_NE(bytes.find("<launcher3>"), std::string::npos);

    SnapshotList read;
    read.ReadFromXml(xml.Read(bytes), German());
    ASSERT_EQ(read.Snapshots.size(), 1u);
    const EntryList& got = read.Snapshots[0].Entries;
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].name, list.Snapshots[0].Entries[0].name);
    EXPECT_EQ(got[0].command, list.Snapshots[0].Entries[0].command);
    EXPECT_EQ(got[0].active, 0);
    EXPECT_EQ(got[0].kind, 2);
    EXPECT_EQ(got[1].name, "");
    EXPECT_EQ(got[1].command, "");
    EXPECT_EQ(got[2].name, "  lead");        // blanks at either end are kept
    EXPECT_EQ(got[2].command, "trail  ");    // on a one-line element
    EXPECT_EQ(got[3].command, longCommand);  // and on a three-line one
}

TEST(SnapshotList, NamesMatchInAnyCaseAndChildrenInAnyOrder) {
    const char file[] =
        "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
        "<XML><LIST>\r\n"
        "<snap><LAUNCHER1><Command>b</Command><NAME>B</NAME><Kind>$1F</Kind><ACTIVE>TRUE</ACTIVE></LAUNCHER1>\r\n"
        "<launcher0><active>true</active><kind>0x0b</kind><name>A</name><command>a</command></launcher0>\r\n"
        "<Datum>01.02.2010</Datum></snap>\r\n"
        "<object><datum>02.02.2010 00:00:01</datum></object>\r\n"
        "</list></xml>\r\n";
    Xml xml;
    SnapshotList list;
    list.ReadFromXml(xml.Read(file), German());
    ASSERT_EQ(list.Snapshots.size(), 2u);
    EXPECT_EQ(list.Snapshots[0].Timestamp, At(2010, 2, 1));
    ASSERT_EQ(list.Snapshots[0].Entries.size(), 2u);
    EXPECT_EQ(list.Snapshots[0].Entries[0].name, "A");
    EXPECT_EQ(list.Snapshots[0].Entries[0].kind, 11);
    EXPECT_EQ(list.Snapshots[0].Entries[0].active, 1);
    EXPECT_EQ(list.Snapshots[0].Entries[1].name, "B");
    EXPECT_EQ(list.Snapshots[0].Entries[1].kind, 31);
    EXPECT_EQ(list.Snapshots[0].Entries[1].active, 0);  // only "true" itself is active
    EXPECT_EQ(list.Snapshots[1].Timestamp, At(2010, 2, 2, 0, 0, 1));
    EXPECT_TRUE(list.Snapshots[1].Entries.empty());
}

TEST(SnapshotList, AFileWithoutListReadsAsAnEmptyList) {
    Xml xml;
    SnapshotList list;
    list.Snapshots.resize(3);
    list.ReadFromXml(xml.Read("<?xml version=\"1.0\"?>\r\n<xml><other /></xml>\r\n"), German());
    EXPECT_TRUE(list.Snapshots.empty());
}

TEST(SnapshotList, FaultsStopTheReadingAndKeepTheSnapshotsBeforeThem) {
    const std::string good = "<object><datum>01.02.2010 10:20:30</datum></object>";
    const std::string entry = "<active>true</active><kind>11</kind><name>n</name><command>c</command>";
    struct Case {
        const char* what;
        std::string snapshot;
        const char* fault;  // a piece of the fault's description
    } cases[] = {
        {"no datum", "<object><launcher0>" + entry + "</launcher0></object>", "datum"},
        {"datum of other settings", "<object><datum>2/1/2010 10:20:30 AM</datum></object>", "2/1/2010"},
        {"empty datum", "<object><datum></datum></object>", "Datum"},
        {"extra child", "<object><datum>01.02.2010</datum><note /></object>", "launcher0"},
        {"gap in the numbers",
         "<object><datum>01.02.2010</datum><launcher0>" + entry + "</launcher0><launcher2>" + entry +
             "</launcher2></object>",
         "launcher1"},
        {"no command",
         "<object><datum>01.02.2010</datum><launcher0><active>true</active><kind>11</kind>"
         "<name>n</name></launcher0></object>",
         "command"},
        {"no active",
         "<object><datum>01.02.2010</datum><launcher0><kind>11</kind><name>n</name>"
         "<command>c</command></launcher0></object>",
         "active"},
        {"kind no number",
         "<object><datum>01.02.2010</datum><launcher0><active>true</active><kind>elf</kind>"
         "<name>n</name><command>c</command></launcher0></object>",
         "elf"},
        {"kind too big",
         "<object><datum>01.02.2010</datum><launcher0><active>true</active>"
         "<kind>4294967296</kind><name>n</name><command>c</command></launcher0></object>",
         "4294967296"},
    };
    for (const Case& c : cases) {
        const std::string file = "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<xml><list>" + good + good +
                                 c.snapshot + good + "</list></xml>\r\n";
        Xml xml;
        SnapshotList list;
        try {
            list.ReadFromXml(xml.Read(file), German());
            ADD_FAILURE() << c.what << ": no fault";
        } catch (const EBackupFileError& fault) {
            EXPECT_NE(fault.Fault().find(c.fault), std::string::npos) << c.what << ": " << fault.Fault();
            const std::string message = fault.WithFile("C:\\x\\BootmarshalBackup.xml").what();
            EXPECT_EQ(message.rfind("\"C:\\x\\BootmarshalBackup.xml\" ist keine g\xFCltige Backup-Datei: ", 0), 0u)
                << message;
        }
        EXPECT_EQ(list.Snapshots.size(), 2u) << c.what;
    }
}

TEST(SnapshotList, KindNumbersReadAsTheReaderReadsNumericReferences) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    } cases[] = {
        {"11", true, 11},
        {"  11", true, 11},
        {"+11", true, 11},
        {"-5", true, -5},
        {"$1F", true, 31},
        {"x1f", true, 31},
        {"0X10", true, 16},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"$FFFFFFFF", true, -1},
        {"2147483648", false, 0},
        {"$100000000", false, 0},
        {"", false, 0},
        {"11 ", false, 0},
        {"1 1", false, 0},
        {"-$1F", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"+", false, 0},
        {"eleven", false, 0},
        {"1e3", false, 0},
    };
    for (const Case& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(ReadKindNumber(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

std::vector<Snapshot> Snapshots(const std::vector<LocalDateTime>& stamps) {
    std::vector<Snapshot> list(stamps.size());
    for (size_t i = 0; i < stamps.size(); ++i) {
        list[i].Timestamp = stamps[i];
        list[i].Entries.push_back(AnEntry(std::to_string(i), ""));  // marks the original position
    }
    return list;
}

std::string Order(const std::vector<Snapshot>& list) {
    std::string order;
    for (const Snapshot& s : list) order += s.Entries[0].name + " ";
    return order;
}

TEST(SortSnapshots, NewestFirstAndEqualTimestampsKeepTheirOrder) {
    auto list = Snapshots(
        {At(2010, 1, 1), At(2012, 1, 1), At(2011, 1, 1), At(2012, 1, 1), At(2010, 1, 1), At(2012, 1, 1, 0, 0, 0, 1)});
    SortSnapshots(list);
    EXPECT_EQ(Order(list), "5 1 3 2 0 4 ");

    // Within one second the milliseconds decide in memory; after a save and a
    // load they are gone and the file order stays.
    auto sameSecond = Snapshots({At(2010, 1, 1, 9, 0, 0, 100), At(2010, 1, 1, 9, 0, 0, 900)});
    SortSnapshots(sameSecond);
    EXPECT_EQ(Order(sameSecond), "1 0 ");
    sameSecond = Snapshots({At(2010, 1, 1, 9, 0, 0), At(2010, 1, 1, 9, 0, 0)});
    SortSnapshots(sameSecond);
    EXPECT_EQ(Order(sameSecond), "0 1 ");

    std::vector<Snapshot> none;
    SortSnapshots(none);
    auto one = Snapshots({At(2010, 1, 1)});
    SortSnapshots(one);
    EXPECT_EQ(Order(one), "0 ");
}

TEST(SortSnapshots, StopsAfterTwoThousandPasses) {
    // Oldest first: each pass moves every snapshot one place forward and the
    // oldest to the back, so the newest needs count - 1 passes to the front.
    auto oldestFirst = [](int count) {
        std::vector<Snapshot> list(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            list[static_cast<size_t>(i)].Timestamp = At(2000, 1, 1, i / 3600, i / 60 % 60, i % 60);
        return list;
    };
    auto fits = oldestFirst(2001);
    const LocalDateTime newestOfFits = fits.back().Timestamp;
    SortSnapshots(fits);
    EXPECT_EQ(fits[0].Timestamp, newestOfFits);
    for (size_t i = 0; i + 1 < fits.size(); ++i) ASSERT_FALSE(fits[i].Timestamp < fits[i + 1].Timestamp) << i;

    auto beyond = oldestFirst(2003);
    const LocalDateTime newest = beyond.back().Timestamp;
    SortSnapshots(beyond);
    EXPECT_EQ(beyond[2].Timestamp, newest);  // two places short of the front
}

}  // namespace
