#include "sheet/LayoutRecord.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// Fields 1..22 in file order, as member pointers so index and order live in one place.
constexpr std::int32_t TLabelLayoutRecord::*kFields[TLabelLayoutRecord::IntegerCount] = {
    &TLabelLayoutRecord::LabelWidth,       &TLabelLayoutRecord::LabelHeight,
    &TLabelLayoutRecord::HorizontalPitch,  &TLabelLayoutRecord::VerticalPitch,
    &TLabelLayoutRecord::LeftMargin,       &TLabelLayoutRecord::TopMargin,
    &TLabelLayoutRecord::PaperSize,        &TLabelLayoutRecord::PageWidth,
    &TLabelLayoutRecord::PageHeight,       &TLabelLayoutRecord::FreeTop,
    &TLabelLayoutRecord::FreeLeft,         &TLabelLayoutRecord::FreeBottom,
    &TLabelLayoutRecord::FreeRight,        &TLabelLayoutRecord::NumberAcross,
    &TLabelLayoutRecord::NumberDown,       &TLabelLayoutRecord::Reserved16,
    &TLabelLayoutRecord::StripeStyle,      &TLabelLayoutRecord::Reserved18,
    &TLabelLayoutRecord::HorizontalGutter, &TLabelLayoutRecord::VerticalGutter,
    &TLabelLayoutRecord::Reserved21,       &TLabelLayoutRecord::Reserved22,
};

constexpr const char *kFieldNames[TLabelLayoutRecord::IntegerCount] = {
    "LabelWidth",       "LabelHeight",    "HorizontalPitch", "VerticalPitch", "LeftMargin",  "TopMargin",
    "PaperSize",        "PageWidth",      "PageHeight",      "FreeTop",       "FreeLeft",    "FreeBottom",
    "FreeRight",        "NumberAcross",   "NumberDown",      "Reserved16",    "StripeStyle", "Reserved18",
    "HorizontalGutter", "VerticalGutter", "Reserved21",      "Reserved22",
};

char foldAsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
}  // namespace

std::int32_t &TLabelLayoutRecord::integer(int index) {
    return this->*kFields[index];
}
std::int32_t TLabelLayoutRecord::integer(int index) const {
    return this->*kFields[index];
}
const char *TLabelLayoutRecord::integerName(int index) {
    return kFieldNames[index];
}

std::int64_t TLabelLayoutRecord::labelCount() const {
    if (NumberAcross <= 0 || NumberDown <= 0)
        return 0;
    return std::int64_t(NumberAcross) * std::int64_t(NumberDown);
}

QString TLabelLayoutRecord::name() const {
    QStringDecoder decode("windows-1252");
    return decode(Description);
}

QByteArray TLabelLayoutRecord::encodeName(const QString &name) {
    QStringEncoder encode("windows-1252");
    return encode(name);
}

bool layoutNamesMatch(const QByteArray &a, const QByteArray &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (foldAsciiUpper(a[i]) != foldAsciiUpper(b[i]))
            return false;
    return true;
}
