#pragma once
// The component record view of a label's storage object: class "TWPRtfStorage"; published
// properties Name (never stored), Tag (integer, default 0, never set by the program) and
// RtfText (an object whose class defines the binary property "Data"); the storage's own defined
// integer properties "Left" and "Top" (design-time position, always zero, never stored).
// A label with text is stored as the single property "RtfText.Data".

#include "sheet/ComponentRecord.h"

class TWPRtfStorage;

class RtfStorageComponent : public FilerComponent {
public:
    explicit RtfStorageComponent(TWPRtfStorage &storage);

    QByteArray className() const override { return QByteArrayLiteral("TWPRtfStorage"); }
    void writeProperties(FilerPropertySink &out) const override;
    PropertyKind publishedProperty(QByteArrayView name) const override;
    FilerObject *objectProperty(QByteArrayView name) override;
    bool readDefinedProperty(QByteArrayView name, FilerReader &in) override;

private:
    class RtfTextObject : public FilerObject {
    public:
        explicit RtfTextObject(TWPRtfStorage &storage) : m_storage(storage) {}
        void writeProperties(FilerPropertySink &out) const override;
        PropertyKind publishedProperty(QByteArrayView) const override { return PropertyKind::None; }
        bool readDefinedProperty(QByteArrayView name, FilerReader &in) override;

    private:
        TWPRtfStorage &m_storage;
    };

    TWPRtfStorage &m_storage;
    RtfTextObject m_rtfText;
};
