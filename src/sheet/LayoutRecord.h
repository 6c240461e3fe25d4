#pragma once
// One label-stock layout. Lengths are whole thousandths of an inch.

#include <QByteArray>
#include <QString>
#include <cstdint>

struct TLabelLayoutRecord {
    QByteArray Description;  // the name, as the file's 8-bit (Windows-1252) bytes
    std::int32_t LabelWidth = 0;
    std::int32_t LabelHeight = 0;
    std::int32_t HorizontalPitch = 0;
    std::int32_t VerticalPitch = 0;
    std::int32_t LeftMargin = 0;
    std::int32_t TopMargin = 0;
    std::int32_t PaperSize = 0;  // 0 Letter, 1 A4, 2 Letter Landscape, 3 A4 Landscape
    std::int32_t PageWidth = 0;
    std::int32_t PageHeight = 0;
    std::int32_t FreeTop = 0;
    std::int32_t FreeLeft = 0;
    std::int32_t FreeBottom = 0;
    std::int32_t FreeRight = 0;
    std::int32_t NumberAcross = 0;
    std::int32_t NumberDown = 0;
    std::int32_t Reserved16 = 0;
    std::int32_t StripeStyle = 0;  // 0 none, 1 broken stripe with ticks, 2 full stripe
    std::int32_t Reserved18 = 0;
    std::int32_t HorizontalGutter = 0;
    std::int32_t VerticalGutter = 0;
    std::int32_t Reserved21 = 0;
    std::int32_t Reserved22 = 0;

    // Fields 1..22 in file order.
    static constexpr int IntegerCount = 22;
    std::int32_t &integer(int index);  // index 0..21
    std::int32_t integer(int index) const;
    static const char *integerName(int index);  // "LabelWidth" .. "Reserved22"

    // NumberAcross × NumberDown, computed without overflow (0 when either is not positive).
    std::int64_t labelCount() const;

    QString name() const;                               // Description decoded from Windows-1252
    static QByteArray encodeName(const QString &name);  // the reverse

    bool operator==(const TLabelLayoutRecord &) const = default;
};

// Names compare with only the letters a..z folded to upper case; every other byte, and the
// length, must be equal.
bool layoutNamesMatch(const QByteArray &a, const QByteArray &b);
