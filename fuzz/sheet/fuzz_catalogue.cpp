// Arbitrary bytes as a layout file. Aborts when the catalogue read from them does not write back
// to a file that reads to the same catalogue, or holds a layout that cannot make a page.
#include "sheet/FilerError.h"
#include "sheet/LayoutCatalogue.h"
#include "sheet/PageModel.h"

#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    QBuffer in;
    in.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    in.open(QIODevice::ReadOnly);
    PageModel page;
    try {
        LoadLLOStream(page, in);
    } catch (const FilerError &) {
        if (page.LayoutCount() != 0)
            std::abort();  // a bad header adds nothing
        return 0;
    }
    for (const TLabelLayoutRecord &layout : page.LayoutCatalogue())
        if (layout.labelCount() < 1 || layout.labelCount() > PageModel::MaxLabels)
            std::abort();

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    WriteLLOStream(out, page.LayoutCatalogue());
    out.close();
    out.open(QIODevice::ReadOnly);
    PageModel again;
    LoadLLOStream(again, out);
    if (again.LayoutCatalogue() != page.LayoutCatalogue())
        std::abort();
    if (page.LayoutCount() > 0) {
        page.ApplyLayout(page.LayoutCatalogue().last().Description, false);
        if (page.LabelsPerPage() < 1 || page.LabelsPerPage() > PageModel::MaxLabels)
            std::abort();
    }
    return 0;
}
