// The page document file: a header list (1, 33), the layout list, then one list per label
// holding the label storage's component record.
#include "sheet/Filer.h"
#include "sheet/LayoutCatalogue.h"
#include "sheet/PageModel.h"
#include "sheet/RtfStorageComponent.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

void PageModel::saveTo(QIODevice &out) const {
    FilerWriter writer(out);
    writer.writeListBegin();
    writer.writeInteger(1);
    writer.writeInteger(33);
    writer.writeListEnd();
    writer.writeListBegin();
    WriteLayoutRecord(writer, m_current);
    writer.writeListEnd();
    for (int n = 1; n <= m_labelsPerPage; ++n) {
        TWPRtfStorage empty;
        TWPRtfStorage *storage = m_slots[std::size_t(n)] ? m_slots[std::size_t(n)].get() : &empty;
        writer.writeListBegin();
        writer.writeRootComponent(RtfStorageComponent(*storage));
        writer.writeListEnd();
    }
}

void PageModel::SaveToFile(const QString &path) const {
    // The whole document is built in memory (at most 200 labels) and written with one unbuffered
    // write, whose count is checked: QSaveFile's commit reports success even when its buffered
    // flush failed, which would rename a cut-off file over the previous document.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    saveTo(document);
    const QByteArray &bytes = document.data();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FilerError::cannotCreate(path);
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        throw FilerError::writeError();  // the temporary file is removed with `file`
    }
    if (!file.commit() || file.error() != QFileDevice::NoError)
        throw file.error() == QFileDevice::RenameError ? FilerError::cannotCreate(path)
                                                       : FilerError::writeError();
}

void PageModel::loadFrom(QIODevice &in) {
    FilerReader reader(in);
    reader.readListBegin();
    reader.readInteger();  // the header's two values are not examined
    reader.readInteger();
    reader.readListEnd();

    TLabelLayoutRecord layout;
    reader.readListBegin();
    ReadLayoutRecord(reader, layout);
    reader.readListEnd();
    const std::int64_t count = layout.labelCount();
    if (count < 1 || count > MaxLabels)
        throw FilerError::invalidValue();

    std::array<std::unique_ptr<TWPRtfStorage>, MaxLabels + 1> labels;
    for (int n = 1; n <= int(count); ++n) {
        labels[std::size_t(n)] = std::make_unique<TWPRtfStorage>();
        RtfStorageComponent component(*labels[std::size_t(n)]);
        reader.readListBegin();
        reader.readRootComponent(component);
        reader.readListEnd();
    }

    // Complete: only now does the page change.
    m_current = layout;
    m_labelsPerPage = int(count);
    m_slots = std::move(labels);
}

void PageModel::LoadFromFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FilerError::cannotOpen(path);
    loadFrom(file);
}
