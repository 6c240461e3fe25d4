#include "sheet/LayoutCatalogue.h"

#include "sheet/Filer.h"
#include "sheet/PageModel.h"

#include <QFile>

void ReadLayoutRecord(FilerReader &reader, TLabelLayoutRecord &record) {
    record.Description = reader.readString();
    for (int i = 0; i < TLabelLayoutRecord::IntegerCount; ++i)
        record.integer(i) = reader.readInteger();
}

void WriteLayoutRecord(FilerWriter &writer, const TLabelLayoutRecord &record) {
    writer.writeString(record.Description);
    for (int i = 0; i < TLabelLayoutRecord::IntegerCount; ++i)
        writer.writeInteger(record.integer(i));
}

void LoadLLOStream(PageModel &page, QIODevice &in) {
    FilerReader reader(in);
    reader.readListBegin();
    reader.readInteger();
    reader.readInteger();
    reader.readListEnd();
    try {
        for (;;) {
            reader.readListBegin();
            TLabelLayoutRecord record;
            ReadLayoutRecord(reader, record);
            // Added before its list end is read: a complete record followed by a stray byte
            // still counts, and the reading stops after it.
            const std::int64_t count = record.labelCount();
            if (count >= 1 && count <= PageModel::MaxLabels)
                page.AddLayout(record);
            reader.readListEnd();
        }
    } catch (const FilerError &) {
        // Normally the end of the file: the layouts read so far stay.
    }
}

void LoadLLOFile(PageModel &page, const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FilerError::cannotOpen(path);
    LoadLLOStream(page, file);
}

void WriteLLOStream(QIODevice &out, const QList<TLabelLayoutRecord> &layouts, std::int32_t header1,
                    std::int32_t header2) {
    FilerWriter writer(out);
    writer.writeListBegin();
    writer.writeInteger(header1);
    writer.writeInteger(header2);
    writer.writeListEnd();
    for (const TLabelLayoutRecord &layout : layouts) {
        writer.writeListBegin();
        WriteLayoutRecord(writer, layout);
        writer.writeListEnd();
    }
}
