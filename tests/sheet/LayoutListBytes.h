#pragma once
// The bytes WriteLayoutRecord puts in a stream for one layout: the record as one list, from its
// list-begin tag to its end tag.

#include "sheet/Filer.h"
#include "sheet/LayoutCatalogue.h"

#include <QBuffer>

inline QByteArray layoutListBytes(const TLabelLayoutRecord &r) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FilerWriter writer(buffer);
    writer.writeListBegin();
    WriteLayoutRecord(writer, r);
    writer.writeListEnd();
    return buffer.data();
}
