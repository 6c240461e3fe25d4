#pragma once
// RTF in and out.
//
// writeRtf emits standard, 7-bit RTF starting with "{\rtf1\ansi\ansicpg1252\deff0": a font
// table (\fcharset 2 for symbol fonts), a colour table when a colour other than black is
// used, then the paragraphs separated by \par, each stating only the formatting that changes.
// The mark format of every paragraph is written, so an empty line keeps its size.
//
// readRtf reads that back exactly: readRtf(writeRtf(t)) == t.normalized() (see RichText),
// which is t itself for every normalized value. It also reads ordinary RTF from word
// processors and the clipboard (code pages, \u, tables flattened to tab-separated
// paragraphs, fields, ignorable destinations) and never throws: malformed input gives
// whatever text could be recovered, and always at least one paragraph. Like a word processor
// it takes a final \par as the last paragraph's mark, not as the start of another paragraph.
// Fonts are kept by name and charset as the file has them, installed or not; in a symbol
// font (charset 2) every byte is the font's own character code, U+0020..U+00FF.

#include "richtext/RichText.h"

#include <QByteArray>

QByteArray writeRtf(const RichText &text);
RichText readRtf(const QByteArray &rtf);
