#include "sheet/ComponentRecord.h"
#include "sheet/Filer.h"

#include <QIODevice>

FilerReader::FilerReader(QIODevice &in) : m_in(in), m_size(in.isSequential() ? -1 : in.size()) {}

qint64 FilerReader::remaining() const {
    if (m_size < 0)
        return m_in.bytesAvailable();
    return std::max<qint64>(0, m_size - m_in.pos());
}

std::uint8_t FilerReader::readByte() {
    char byte;
    if (m_in.read(&byte, 1) != 1)
        throw FilerError::readError();
    return std::uint8_t(byte);
}

QByteArray FilerReader::readBytes(qint64 count) {
    // Checked before allocating: a length field can claim gigabytes in a file of a hundred bytes.
    if (count < 0 || count > remaining())
        throw FilerError::readError();
    QByteArray bytes = m_in.read(count);
    if (bytes.size() != count)
        throw FilerError::readError();
    return bytes;
}

std::uint32_t FilerReader::readUInt32() {
    const QByteArray b = readBytes(4);
    return std::uint32_t(std::uint8_t(b[0])) | std::uint32_t(std::uint8_t(b[1])) << 8 |
           std::uint32_t(std::uint8_t(b[2])) << 16 | std::uint32_t(std::uint8_t(b[3])) << 24;
}

FilerValueTag FilerReader::peekTag() {
    char byte;
    if (m_in.peek(&byte, 1) != 1)
        throw FilerError::readError();
    return FilerValueTag(std::uint8_t(byte));
}

bool FilerReader::endOfList() {
    return peekTag() == FilerValueTag::vaNull;
}

void FilerReader::expectTag(FilerValueTag tag) {
    if (FilerValueTag(readByte()) != tag)
        throw FilerError::invalidValue();
}

std::int32_t FilerReader::readIntegerAfter(FilerValueTag tag) {
    switch (tag) {
        case FilerValueTag::vaInt8:
            return std::int8_t(readByte());
        case FilerValueTag::vaInt16: {
            const QByteArray b = readBytes(2);
            return std::int16_t(std::uint16_t(std::uint8_t(b[0]) | std::uint8_t(b[1]) << 8));
        }
        case FilerValueTag::vaInt32:
            return std::int32_t(readUInt32());
        default:
            throw FilerError::invalidValue();
    }
}

std::int32_t FilerReader::readInteger() {
    return readIntegerAfter(FilerValueTag(readByte()));
}

QByteArray FilerReader::readString() {
    switch (FilerValueTag(readByte())) {
        case FilerValueTag::vaString:
            return readBytes(readByte());
        case FilerValueTag::vaLString:
            return readBytes(readUInt32());
        default:
            throw FilerError::invalidValue();
    }
}

QByteArray FilerReader::readBinary() {
    expectTag(FilerValueTag::vaBinary);
    return readBytes(readUInt32());
}

QByteArray FilerReader::readShortName() {
    return readBytes(readByte());
}

void FilerReader::readPrefix() {
    // An inheritance prefix: a byte F0..FF whose low bits are flags; flag 2 adds a child position.
    if (std::uint8_t(peekTag()) >= 0xF0) {
        const std::uint8_t flags = readByte() & 0x0F;
        if (flags & 2)
            readInteger();
    }
}

void FilerReader::readRootComponent(FilerComponent &component) {
    if (readBytes(4) != QByteArrayView("TPF0"))
        throw FilerError::invalidFormat();
    readPrefix();
    readShortName();  // the class name: the caller created the object, so it is not looked up
    component.setComponentName(readShortName());
    while (!endOfList())
        readProperty(component);
    readListEnd();
    while (!endOfList())
        readChild();
    readListEnd();
    component.loaded();
}

void FilerReader::readProperty(FilerComponent &component) {
    const QByteArray path = readShortName();
    const QList<QByteArray> parts = path.split('.');
    FilerObject *object = &component;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const FilerObject::PropertyKind kind = object->publishedProperty(parts[i]);
        if (kind == FilerObject::PropertyKind::None)
            throw FilerError::noProperty();
        FilerObject *next =
            kind == FilerObject::PropertyKind::Object ? object->objectProperty(parts[i]) : nullptr;
        if (!next)
            throw FilerError::invalidPath();
        object = next;
    }
    const QByteArray &name = parts.last();
    switch (object->publishedProperty(name)) {
        case FilerObject::PropertyKind::Integer:
            object->setInteger(name, readInteger());
            return;
        case FilerObject::PropertyKind::String:
            object->setString(name, readString());
            return;
        case FilerObject::PropertyKind::Object:
            // The value would be a reference to another component; none exists in this program.
            throw FilerError::invalidValue();
        case FilerObject::PropertyKind::None:
            if (!object->readDefinedProperty(name, *this))
                throw FilerError::noProperty();
            return;
    }
}

void FilerReader::readChild() {
    // No component class is registered for children, so a child record always fails once its
    // class name has been read.
    readPrefix();
    const QByteArray className = readShortName();
    throw FilerError::classNotFound(QString::fromLatin1(className));
}
