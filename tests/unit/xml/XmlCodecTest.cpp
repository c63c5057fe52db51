// The entity codec: the encode table, the decode rules, and the round trip of
// every byte.
#include <gtest/gtest.h>

#include "xml/XmlCodec.h"

namespace {

struct TextCase {
    std::string input;
    std::string expected;
};

TEST(XmlCodec, EncodeTable) {
    const TextCase cases[] = {
        {"C:\\Program Files\\a_b.exe", "C:&#92;Program Files&#92;a&#95;b.exe"},
        {"Az09 ()*+,-./:;=?@", "Az09 ()*+,-./:;=?@"},
        {"\"&<>", "&quot;&amp;&lt;&gt;"},
        {"'!#$%[]^`{|}~", "&#39;&#33;&#35;&#36;&#37;&#91;&#93;&#94;&#96;&#123;&#124;&#125;&#126;"},
        {"\t\x01\x1F\x7F\x80\x9F", "&#9;&#1;&#31;&#127;&#128;&#159;"},
        {std::string(1, '\0'), "&#0;"},
        {"\xA0\xA3\xBE\xC4\xC6\xD7\xDF\xE4\xF7\xFF",
         "&nbsp;&pund;&frac43;&Auml;&Aelig;&times;&szlig;&auml;&divide;&yuml;"},
        {"", ""},
    };
    TXMLCodec codec;
    for (const TextCase& c : cases) EXPECT_EQ(codec.Encode(c.input), c.expected) << c.input;
}

TEST(XmlCodec, DecodeRules) {
    const TextCase cases[] = {
        {"&amp;&AMP;&Amp;", "&&&"},
        {"&Auml;&auml;&AUML;", "\xC4\xE4\xE4"},  // exact first, else the last row in code order
        {"&ETH;&eth;&Eth;&THORN;&Thorn;", "\xD0\xF0\xF0\xDE\xFE"},
        {"&pund;&frac43;&Aelig;&aelig;&AELIG;", "\xA3\xBE\xC6\xE6\xE6"},
        {"&euro;&EURO;", "\x80\x80"},
        {"&quot;&lt;&GT;", "\"<>"},
        {"&#65;&#x41;&#X41;&#$41;&#0x41;&#0X41;&#  65;&#+65;&#065;", "AAAAAAAAA"},
        {"&#321;&#-191;&#$FFFFFF41;&#2147483457;", "AAAA"},  // the low byte
        {"a&#0;b&#256;c&nope;d&;e", "abcde"},                // codes 0 and unknown names vanish
        {"a & b", "a "},                                     // no ";" after "&": the rest is lost
        {"x&lt", "x"},
        {"plain text", "plain text"},
        {"C:&#92;Tools&#92;upd.exe /s", "C:\\Tools\\upd.exe /s"},
        {"&#-2147483648;&#2147483647;&#$FFFFFFFF;", "\xFF\xFF"},
        {"&#00;&#9;&#92;&#95;&#920;&quot;&quota;&quot", "\t\\_\x98\""},
        {"&#9", ""},
        {"&#92", ""},
        {"&quo", ""},
        {"&#9;2;", "\t2;"},
    };
    TXMLCodec codec;
    for (const TextCase& c : cases) EXPECT_EQ(codec.Decode(c.input), c.expected) << c.input;
}

TEST(XmlCodec, BadNumericReferencesFail) {
    const char* cases[] = {
        "&#;",           "&#12a;",         "&#x;",          "&#$;",
        "&#-;",          "&#+;",           "&# ;",          "&#1 ;",
        "&#-$41;",       "&#0x;",          "&#x4G;",        "&#\t65;",
        "&#2147483648;", "&#-2147483649;", "&#$100000000;", "&#99999999999999999999;",
    };
    TXMLCodec codec;
    for (const char* c : cases) EXPECT_THROW(codec.Decode(c), EXMLDecodeError) << c;
}

TEST(XmlCodec, EveryByteFrom1To255RoundTrips) {
    TXMLCodec codec;
    std::string all;
    for (int c = 1; c < 256; ++c) {
        const std::string one(1, static_cast<char>(c));
        const std::string encoded = codec.Encode(one);
        for (char e : encoded) {
            const unsigned char u = static_cast<unsigned char>(e);
            EXPECT_TRUE(u >= 32 && u < 127) << "code " << c << " gives " << encoded;
        }
        EXPECT_EQ(codec.Decode(encoded), one) << "code " << c;
        all += one;
    }
    EXPECT_EQ(codec.Decode(codec.Encode(all)), all);
}

}  // namespace
