#include "sheet/RtfStorageComponent.h"

#include "richtext/RtfStorage.h"
#include "sheet/Filer.h"

RtfStorageComponent::RtfStorageComponent(TWPRtfStorage &storage) : m_storage(storage), m_rtfText(storage) {}

void RtfStorageComponent::writeProperties(FilerPropertySink &out) const {
    // Name is never stored, Tag keeps its default 0, Left and Top are zero: only the text.
    out.object("RtfText", m_rtfText);
}

FilerObject::PropertyKind RtfStorageComponent::publishedProperty(QByteArrayView name) const {
    if (name == "Name")
        return PropertyKind::String;
    if (name == "Tag")
        return PropertyKind::Integer;
    if (name == "RtfText")
        return PropertyKind::Object;
    return PropertyKind::None;
}

FilerObject *RtfStorageComponent::objectProperty(QByteArrayView name) {
    return name == "RtfText" ? &m_rtfText : nullptr;
}

bool RtfStorageComponent::readDefinedProperty(QByteArrayView name, FilerReader &in) {
    if (name != "Left" && name != "Top")
        return false;
    in.readInteger();  // a design-time position has no meaning for a label
    return true;
}

void RtfStorageComponent::RtfTextObject::writeProperties(FilerPropertySink &out) const {
    if (m_storage.hasData())
        out.binary("Data", m_storage.data());
}

bool RtfStorageComponent::RtfTextObject::readDefinedProperty(QByteArrayView name, FilerReader &in) {
    if (name != "Data")
        return false;
    m_storage.setData(in.readBinary());
    return true;
}
