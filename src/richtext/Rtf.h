#pragma once
// RTF in and out. writeRtf emits standard RTF starting with "{\rtf1"; readRtf reads that
// and ordinary RTF from word processors and the clipboard, and never throws: malformed input
// gives whatever text could be recovered.

#include "richtext/RichText.h"

#include <QByteArray>

QByteArray writeRtf(const RichText &text);
RichText readRtf(const QByteArray &rtf);
