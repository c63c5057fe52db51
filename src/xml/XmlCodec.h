// Entity codec of the XML component. The writer passes every text child
// through Encode, the reader through Decode, so a written file holds text of
// printable ASCII characters and spaces only and reads back byte for byte.
#pragma once
#include <cstddef>
#include <string>

#include "system/Errors.h"

// A numeric reference that is no number of the accepted form ("&#;", "&#12a;")
// or does not fit 32 bits. Decode overrides signal a bad reference with it; the
// reader refuses the file then.
class EXMLDecodeError : public EAppError {
public:
    explicit EXMLDecodeError(const std::string& message) : EAppError(message) {}
};

class TXMLCodec {
public:
    virtual ~TXMLCodec() = default;

    // References to bytes: "&amp;", "&Auml;", "&#92;", "&#x5C;", "&#$5C;".
    // A code 0 and an unknown name vanish; an "&" without a ";" after it
    // swallows the rest of the text. Throws EXMLDecodeError for a bad number.
    virtual std::string Decode(const std::string& text);
    // Bytes to references: letters, digits, the space and ()*+,-./:;=? @ stay;
    // " & < > and 160 to 255 become named references; every other byte becomes
    // a decimal one ("\" gives "&#92;", "_" gives "&#95;").
    virtual std::string Encode(const std::string& text);
};

// The reference text Encode writes for one byte ("a", "&amp;", "&#92;").
const std::string& XmlEncodedByte(unsigned char code);
// Decode of the plain codec, appended to `out`. Throws EXMLDecodeError.
void XmlDecodeAppend(const char* text, std::size_t length, std::string& out);
// The byte a reference name stands for (the part between "&" and ";"), 0 when
// it stands for none. Throws EXMLDecodeError for a bad numeric reference.
unsigned char XmlReferenceCode(const char* name, std::size_t length);
