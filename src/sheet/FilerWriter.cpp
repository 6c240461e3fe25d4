#include "sheet/ComponentRecord.h"
#include "sheet/Filer.h"

#include <QIODevice>

namespace {
const char kSignature[4] = {'T', 'P', 'F', '0'};
}

void FilerWriter::writeRaw(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return;
    if (m_out.write(bytes.data(), bytes.size()) != bytes.size())
        throw FilerError::writeError();
}

void FilerWriter::writeTag(FilerValueTag tag) {
    const char byte = char(tag);
    writeRaw(QByteArrayView(&byte, 1));
}

void FilerWriter::writeUInt32(std::uint32_t value) {
    const char bytes[4] = {char(value & 0xff), char((value >> 8) & 0xff), char((value >> 16) & 0xff),
                           char((value >> 24) & 0xff)};
    writeRaw(QByteArrayView(bytes, 4));
}

void FilerWriter::writeInteger(std::int32_t value) {
    const auto u = std::uint32_t(value);
    if (value >= -128 && value <= 127) {
        const char bytes[2] = {char(FilerValueTag::vaInt8), char(u & 0xff)};
        writeRaw(QByteArrayView(bytes, 2));
    } else if (value >= -32768 && value <= 32767) {
        const char bytes[3] = {char(FilerValueTag::vaInt16), char(u & 0xff), char((u >> 8) & 0xff)};
        writeRaw(QByteArrayView(bytes, 3));
    } else {
        writeTag(FilerValueTag::vaInt32);
        writeUInt32(u);
    }
}

void FilerWriter::writeString(QByteArrayView text) {
    if (text.size() <= 255) {
        const char head[2] = {char(FilerValueTag::vaString), char(text.size())};
        writeRaw(QByteArrayView(head, 2));
    } else {
        writeTag(FilerValueTag::vaLString);
        writeUInt32(std::uint32_t(text.size()));
    }
    writeRaw(text);
}

void FilerWriter::writeBinary(QByteArrayView block) {
    writeTag(FilerValueTag::vaBinary);
    writeUInt32(std::uint32_t(block.size()));
    writeRaw(block);
}

void FilerWriter::writeShortName(QByteArrayView name) {
    const QByteArrayView cut = name.first(std::min<qsizetype>(name.size(), 255));
    const char length = char(cut.size());
    writeRaw(QByteArrayView(&length, 1));
    writeRaw(cut);
}

void FilerWriter::writeRootComponent(const FilerComponent &component) {
    writeRaw(QByteArrayView(kSignature, 4));
    writeShortName(component.className());
    writeShortName(QByteArrayView());  // the program's components have no name
    FilerPropertySink properties(*this, QByteArray());
    component.writeProperties(properties);
    writeListEnd();  // end of the properties
    writeListEnd();  // end of the (absent) children
}

void FilerPropertySink::writeName(QByteArrayView name) {
    m_writer.writeShortName(m_prefix + name.toByteArray());
}

void FilerPropertySink::integer(QByteArrayView name, std::int32_t value) {
    writeName(name);
    m_writer.writeInteger(value);
}

void FilerPropertySink::string(QByteArrayView name, QByteArrayView value) {
    writeName(name);
    m_writer.writeString(value);
}

void FilerPropertySink::binary(QByteArrayView name, QByteArrayView block) {
    writeName(name);
    m_writer.writeBinary(block);
}

void FilerPropertySink::object(QByteArrayView name, const FilerObject &value) {
    FilerPropertySink inner(m_writer, m_prefix + name.toByteArray() + '.');
    value.writeProperties(inner);
}
