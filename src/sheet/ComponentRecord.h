#pragma once
// What the component record writer and reader see of an object: its published properties
// (integers, strings and objects whose own properties are stored under "Name.Sub" paths) and the
// extra properties its class defines for itself. Names are the file's 8-bit bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

class FilerReader;
class FilerWriter;
class FilerObject;

// Receives the stored properties of an object, in order; names are relative to that object.
class FilerPropertySink {
public:
    FilerPropertySink(FilerWriter &writer, QByteArray prefix)
        : m_writer(writer), m_prefix(std::move(prefix)) {}
    void integer(QByteArrayView name, std::int32_t value);
    void string(QByteArrayView name, QByteArrayView value);
    void binary(QByteArrayView name, QByteArrayView block);
    // A property whose value is a plain object: its properties follow under "name.".
    void object(QByteArrayView name, const FilerObject &value);

private:
    void writeName(QByteArrayView name);
    FilerWriter &m_writer;
    QByteArray m_prefix;
};

class FilerObject {
public:
    enum class PropertyKind { None, Integer, String, Object };
    virtual ~FilerObject() = default;

    // Writing: every stored property, published ones first, then the defined ones.
    virtual void writeProperties(FilerPropertySink &out) const = 0;

    // Reading.
    virtual PropertyKind publishedProperty(QByteArrayView name) const = 0;
    virtual FilerObject *objectProperty(QByteArrayView /*name*/) { return nullptr; }
    virtual void setInteger(QByteArrayView /*name*/, std::int32_t /*value*/) {}
    virtual void setString(QByteArrayView /*name*/, const QByteArray & /*value*/) {}
    // Reads the value of a defined property from the stream; false when the class defines no
    // property of that name (nothing is consumed then).
    virtual bool readDefinedProperty(QByteArrayView /*name*/, FilerReader & /*in*/) { return false; }
};

// A root component: an object with a class name and a component name.
class FilerComponent : public FilerObject {
public:
    virtual QByteArray className() const = 0;
    virtual void setComponentName(const QByteArray & /*name*/) {}
    virtual void loaded() {}
};
