#pragma once
// The filer value stream: a flat sequence of values, each opening with a one-byte tag. Numbers
// are little-endian two's complement; text is the file's 8-bit bytes, passed through unchanged.
// Both classes raise FilerError; neither owns its device.

#include "sheet/FilerError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

class QIODevice;
class FilerComponent;

enum class FilerValueTag : std::uint8_t {
    vaNull = 0,  // end of a list, property list or child list
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,  // one length byte
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,  // four-byte length
    vaSet = 11,
    vaLString = 12,  // four-byte length, strings of 256 bytes or more
    vaNil = 13,
    vaCollection = 14,
};

class FilerWriter {
public:
    explicit FilerWriter(QIODevice &out) : m_out(out) {}

    void writeListBegin() { writeTag(FilerValueTag::vaList); }
    void writeListEnd() { writeTag(FilerValueTag::vaNull); }
    void writeInteger(std::int32_t value);  // narrowest of the three widths
    void writeString(QByteArrayView text);  // short form up to 255 bytes, long form beyond
    void writeBinary(QByteArrayView block);
    void writeShortName(QByteArrayView name);  // untagged; longer names are cut to 255 bytes
    void writeRootComponent(const FilerComponent &component);

    void writeTag(FilerValueTag tag);
    void writeRaw(QByteArrayView bytes);

private:
    void writeUInt32(std::uint32_t value);
    QIODevice &m_out;
};

// Reads from a random-access device (a file or a buffer). Every length read from the stream is
// checked against the bytes that remain before anything is allocated. The device is left just
// after the last value consumed.
//
// Value kinds the program's files never hold (tags 5, 7, 8, 9, 11, 13, 14) are rejected with
// "Invalid property value" wherever a value is expected: nothing in the files needs skipping.
class FilerReader {
public:
    explicit FilerReader(QIODevice &in);

    void readListBegin() { expectTag(FilerValueTag::vaList); }
    void readListEnd() { expectTag(FilerValueTag::vaNull); }
    std::int32_t readInteger();  // any of the three widths, sign-extended
    QByteArray readString();     // short or long form
    QByteArray readBinary();
    QByteArray readShortName();
    bool endOfList();         // the next byte is 0 (not consumed); the end of input is an error
    FilerValueTag peekTag();  // the next byte, not consumed
    void readRootComponent(FilerComponent &component);

    qint64 remaining() const;

private:
    void expectTag(FilerValueTag tag);
    std::uint8_t readByte();
    QByteArray readBytes(qint64 count);
    std::uint32_t readUInt32();
    std::int32_t readIntegerAfter(FilerValueTag tag);
    void readPrefix();
    void readProperty(FilerComponent &component);
    void readChild();
    QIODevice &m_in;
    qint64 m_size = -1;  // the device's size, read once (QFile::size asks the system each time)
};
