#include "tool/StockTable.h"

#include <QStringList>
#include <cstdlib>

namespace {
constexpr int kColumns = 14;
// Text is kept clear of the label edges, and of rounded corners: sideways by the corner
// radius (at least 60), up and down by a little.
constexpr int kMinSideInset = 60;
constexpr int kTopBottomInset = 40;

QString capitalised(const QString &kind) {
    return kind.isEmpty() ? kind : kind.left(1).toUpper() + kind.mid(1);
}

std::optional<std::int32_t> paperSizeOf(const QString &paper) {
    if (paper == QLatin1String("Letter"))
        return 0;
    if (paper == QLatin1String("A4"))
        return 1;
    if (paper == QLatin1String("Letter Landscape"))
        return 2;
    if (paper == QLatin1String("A4 Landscape"))
        return 3;
    return std::nullopt;
}
}  // namespace

QString inchesAsFraction(std::int32_t thousandths) {
    const int whole = thousandths / 1000;
    const int rest = thousandths % 1000;
    if (thousandths >= 0 && std::abs(rest) <= 4)
        return QString::number(whole);
    if (thousandths >= 0 && rest >= 996)
        return QString::number(whole + 1);
    if (thousandths > 0) {
        for (int denominator : {2, 3, 4, 8, 16}) {
            for (int numerator = 1; numerator < denominator; ++numerator) {
                if (std::abs(rest * denominator - numerator * 1000) > 4 * denominator)
                    continue;
                // only fractions in lowest terms, so 2/4 is written as 1/2
                int a = numerator, b = denominator;
                while (b) {
                    const int t = a % b;
                    a = b;
                    b = t;
                }
                if (a != 1)
                    continue;
                const QString fraction = QStringLiteral("%1/%2").arg(numerator).arg(denominator);
                return whole ? QStringLiteral("%1 %2").arg(whole).arg(fraction) : fraction;
            }
        }
    }
    const int hundredths = (std::abs(thousandths) + 5) / 10;
    return QStringLiteral("%1%2.%3")
        .arg(thousandths < 0 ? QStringLiteral("-") : QString())
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

StockTableResult parseStockTable(const QByteArray &tsv) {
    StockTableResult result;
    const QStringList lines = QString::fromUtf8(tsv).split(QLatin1Char('\n'));
    for (qsizetype lineIndex = 1; lineIndex < lines.size(); ++lineIndex) {  // line 0 is the header
        const QString line = lines[lineIndex].trimmed();
        if (line.isEmpty())
            continue;
        auto fail = [&](const QString &what) {
            result.layouts.clear();
            result.error = QStringLiteral("line %1: %2").arg(lineIndex + 1).arg(what);
            return result;
        };
        const QStringList cells = lines[lineIndex].split(QLatin1Char('\t'));
        if (cells.size() < kColumns - 1 || cells.size() > kColumns)
            return fail(QStringLiteral("expected %1 columns, found %2").arg(kColumns).arg(cells.size()));
        std::int32_t numbers[kColumns] = {};
        for (int c = 3; c < kColumns; ++c) {
            const QString cell = c < cells.size() ? cells[c].trimmed() : QString();
            if (cell.isEmpty() && c == kColumns - 1)
                continue;  // no corner radius given: square corners
            bool ok = false;
            numbers[c] = cell.toInt(&ok);
            if (!ok || numbers[c] < 0)
                return fail(QStringLiteral("column %1 is not a length: \"%2\"").arg(c + 1).arg(cell));
        }
        const QString code = cells[0].trimmed();
        const QString kind = cells[1].trimmed();
        const std::optional<std::int32_t> paper = paperSizeOf(cells[2].trimmed());
        if (code.isEmpty() || kind.isEmpty())
            return fail(QStringLiteral("code and kind must not be empty"));
        if (!paper)
            return fail(QStringLiteral("unknown paper \"%1\"").arg(cells[2]));

        TLabelLayoutRecord layout;
        layout.LabelWidth = numbers[3];
        layout.LabelHeight = numbers[4];
        layout.HorizontalPitch = numbers[5];
        layout.VerticalPitch = numbers[6];
        layout.LeftMargin = numbers[7];
        layout.TopMargin = numbers[8];
        layout.PageWidth = numbers[9];
        layout.PageHeight = numbers[10];
        layout.NumberAcross = numbers[11];
        layout.NumberDown = numbers[12];
        layout.PaperSize = *paper;
        const std::int32_t radius = numbers[13];
        const std::int32_t side = std::max(radius, kMinSideInset);
        layout.FreeLeft = side;
        layout.FreeRight = layout.LabelWidth - side;
        layout.FreeTop = kTopBottomInset;
        layout.FreeBottom = layout.LabelHeight - kTopBottomInset;
        if (layout.FreeRight <= layout.FreeLeft || layout.FreeBottom <= layout.FreeTop)
            return fail(QStringLiteral("label too small for its margins"));
        const std::int64_t count = layout.labelCount();
        if (count < 1 || count > 200)
            return fail(QStringLiteral("%1 labels per sheet; a page holds 1 to 200").arg(count));
        layout.StripeStyle = kind.startsWith(QLatin1String("file folder")) ? 2 : 0;

        const QString name =
            QStringLiteral("%1 %2 x %3 in, %4 per sheet, %5 (%6)")
                .arg(capitalised(kind), inchesAsFraction(layout.LabelWidth),
                     inchesAsFraction(layout.LabelHeight), QString::number(count), cells[2].trimmed(), code);
        layout.Description = TLabelLayoutRecord::encodeName(name);
        if (layout.Description.size() > 255)
            return fail(QStringLiteral("name longer than 255 bytes"));
        for (const TLabelLayoutRecord &earlier : result.layouts)
            if (layoutNamesMatch(earlier.Description, layout.Description))
                return fail(QStringLiteral("name \"%1\" is not unique").arg(name));
        result.layouts.append(layout);
    }
    if (result.layouts.isEmpty() && result.error.isEmpty())
        result.error = QStringLiteral("the table holds no label stock");
    return result;
}
