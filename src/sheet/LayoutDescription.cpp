#include "sheet/LayoutDescription.h"

#include "sheet/PageModel.h"

QString inches(std::int32_t thousandths, const QLocale &locale) {
    // Whole-number arithmetic throughout: 2625 must give 2.63, which binary floating point
    // (2.625 is exact, but 0.125 × k often is not) does not promise.
    const bool negative = thousandths < 0;
    std::int64_t magnitude = thousandths;
    if (negative)
        magnitude = -magnitude;

    // Round once, to the coarser of two decimals (units of 10) and 7 significant digits.
    int digits = 1;
    for (std::int64_t m = magnitude; m >= 10; m /= 10)
        ++digits;
    // Units of thousandths: 10 up to 8 digits, then one more power of ten per digit.
    std::int64_t unit = 10;
    for (int d = 9; d <= digits; ++d)
        unit *= 10;
    const std::int64_t rounded = (magnitude + unit / 2) / unit * unit;  // halves away from zero

    const std::int64_t hundredths = rounded / 10;
    const QString whole = QString::number(hundredths / 100);
    const QString fraction = QStringLiteral("%1").arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    // A value that rounds to zero shows no sign.
    const QString sign = (negative && hundredths != 0) ? locale.negativeSign() : QString();
    return sign + whole + locale.decimalPoint() + fraction;
}

std::optional<QStringList> DescribeLayout(const PageModel &page, const QByteArray &name,
                                          const QLocale &locale) {
    const TLabelLayoutRecord *layout = page.firstLayoutNamed(name);
    if (!layout)
        return std::nullopt;
    const QString inchesSuffix = QStringLiteral(" inches");
    QStringList lines{
        QStringLiteral("Number Across  :  %1").arg(layout->NumberAcross),
        QStringLiteral("Number Down  :  %1").arg(layout->NumberDown),
        QStringLiteral("Label Width  :  ") + inches(layout->LabelWidth, locale) + inchesSuffix,
        QStringLiteral("Label Height  :  ") + inches(layout->LabelHeight, locale) + inchesSuffix,
        QStringLiteral("Left Margin  :  ") + inches(layout->LeftMargin, locale) + inchesSuffix,
        QStringLiteral("Top Margin  :  ") + inches(layout->TopMargin, locale) + inchesSuffix,
    };
    static const char *const kPaper[] = {"Letter", "A4", "Letter Landscape", "A4 Landscape"};
    if (layout->PaperSize >= 0 && layout->PaperSize <= 3)
        lines.append(QStringLiteral("Paper Size  :  ") + QLatin1String(kPaper[layout->PaperSize]));
    return lines;
}
