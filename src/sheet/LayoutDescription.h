#pragma once
// The description of a catalogue layout that the Select Layout dialog shows under its list.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class PageModel;

// The lines for the first catalogue entry of that name (names compare with a..z folded), or
// nothing when no entry has it; the caller then leaves its list as it was.
std::optional<QStringList> DescribeLayout(const PageModel &page, const QByteArray &name,
                                          const QLocale &locale = QLocale::system());

// A length in thousandths of an inch as inches with two decimals (halves away from zero, at
// most 7 significant digits), the locale's decimal separator and no group separator.
QString inches(std::int32_t thousandths, const QLocale &locale = QLocale::system());
