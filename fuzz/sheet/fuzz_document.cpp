// Arbitrary bytes as a page document. Aborts when a document that loads does not save back to
// a document that loads to the same page, or when a failed load changed the page.
#include "richtext/RtfStorage.h"
#include "sheet/FilerError.h"
#include "sheet/PageModel.h"

#include <QBuffer>
#include <cstdlib>

static QByteArray saved(const PageModel &page) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    page.saveTo(out);
    return out.data();
}

static bool load(PageModel &page, const QByteArray &bytes) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    try {
        page.loadFrom(in);
        return true;
    } catch (const FilerError &) {
        return false;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    PageModel page;
    const QByteArray before = saved(page);
    if (!load(page, bytes)) {
        if (saved(page) != before)
            std::abort();  // a failed load must leave the page as it was
        return 0;
    }
    if (page.LabelsPerPage() < 1 || page.LabelsPerPage() > PageModel::MaxLabels)
        std::abort();
    const QByteArray first = saved(page);
    PageModel again;
    if (!load(again, first) || !(again.CurrentLayout() == page.CurrentLayout()))
        std::abort();
    for (int n = 1; n <= page.LabelsPerPage(); ++n)
        if (again.LabelStorage(n)->RtfText().toPlainText() != page.LabelStorage(n)->RtfText().toPlainText())
            std::abort();
    return 0;
}
