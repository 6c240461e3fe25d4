#pragma once
// The label-stock table (data/label-stocks.tsv) turned into layout records for the shipped
// catalogue. Columns, tab-separated, lengths in thousandths of an inch: code kind paper
// label_width label_height horizontal_pitch vertical_pitch left_margin top_margin page_width
// page_height across down corner_radius (an empty radius means square corners).

#include "sheet/LayoutRecord.h"

#include <QList>
#include <QString>
#include <optional>

struct StockTableResult {
    QList<TLabelLayoutRecord> layouts;
    QString error;  // empty on success, else "line N: what is wrong"
};

StockTableResult parseStockTable(const QByteArray &tsv);

// A length as a person reads it on a label box: whole inches and a simple fraction when one is
// within 4 thousandths ("2 5/8", "1", "2/3"), else two decimals ("3.90").
QString inchesAsFraction(std::int32_t thousandths);
