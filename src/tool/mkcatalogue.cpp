// qmk-mkcatalogue TABLE.tsv OUT.LLO: writes the shipped layout file from the label-stock table.
// Run by the build; a faulty table stops the build with the line at fault.
#include "sheet/FilerError.h"
#include "sheet/LayoutCatalogue.h"
#include "tool/StockTable.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qmk-mkcatalogue TABLE.tsv OUT.LLO\n");
        return 2;
    }
    QFile table(QString::fromLocal8Bit(argv[1]));
    if (!table.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qmk-mkcatalogue: cannot open %s\n", argv[1]);
        return 1;
    }
    const StockTableResult stocks = parseStockTable(table.readAll());
    if (!stocks.error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(stocks.error));
        return 1;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    try {
        if (!out.open(QIODevice::WriteOnly))
            throw FilerError::cannotCreate(out.fileName());
        // The header's two integers are read by nobody; 1 and 33 match the page documents.
        WriteLLOStream(out, stocks.layouts, 1, 33);
        if (!out.commit())
            throw FilerError::writeError();
    } catch (const FilerError &error) {
        std::fprintf(stderr, "qmk-mkcatalogue: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
