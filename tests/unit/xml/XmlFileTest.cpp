// Reading and writing real files: natively through the standard streams,
// under Wine through the Windows file functions with the atomic replace.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "unit/xml/TreeDump.h"
#include "xml/XmlParser.h"

namespace {

namespace fs = std::filesystem;

class XmlFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  (std::string("bm-xml-test-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        parser_.Codec = &codec_;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    fs::path folder_;
    TXMLCodec codec_;
    TXMLParser parser_;
};

TEST_F(XmlFile, SaveCreatesAndReplacesTheFileWithExactlyTheText) {
    const std::string path = PathOf("BootmarshalBackup.xml");
    TXMLTag xml(nullptr, "xml");
    new TXMLTag(&xml, "list");
    parser_.SaveToFile(&xml, path, true, true);
    EXPECT_EQ(Bytes(path), "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<xml>\r\n  <list />\r\n</xml>\r\n");

    Put(path, std::string(5000, 'o'));  // a longer old file leaves no tail behind
    new TXMLTag(xml.Items.Tag(0), "object", "x\\y");
    parser_.SaveToFile(&xml, path, true, true);
    const std::string expected = parser_.SaveToText(&xml, true, true);
    EXPECT_EQ(Bytes(path), expected);
    EXPECT_FALSE(fs::exists(path + ".new"));

    TXMLTag root;
    EXPECT_TRUE(parser_.LoadFromFile(path, &root));
    EXPECT_EQ(DumpChildren(root), "@xml{@list{@object{'x\\y'}}}");
}

TEST_F(XmlFile, ASaveThatCannotCreateTheFileThrowsAndWritesNothing) {
    const std::string path = PathOf("missing-folder") + "/BootmarshalBackup.xml";
    TXMLTag xml(nullptr, "xml");
    EXPECT_THROW(parser_.SaveToFile(&xml, path, true, true), EInOutError);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(XmlFile, AFileThatCannotBeOpenedRaisesAnInputOutputError) {
    TXMLTag root;
    EXPECT_THROW(parser_.LoadFromFile(PathOf("nowhere.xml"), &root), EInOutError);
    EXPECT_EQ(root.Items.Count(), 0);
}

TEST_F(XmlFile, ARejectedFileNamesItsPathAndLeavesTheRootAlone) {
    const std::string path = PathOf("lf-only.xml");
    Put(path, "<?xml version=\"1.0\"?>\n<xml>\n</xml>\n");
    TXMLTag root;
    try {
        parser_.LoadFromFile(path, &root);
        FAIL() << "accepted";
    } catch (const EXMLException& e) {
        EXPECT_EQ(std::string(e.what()), "\"" + path + "\" ist keine g\xFCltige XML-Datei!");
    }
    EXPECT_EQ(root.Items.Count(), 0);
}

}  // namespace
