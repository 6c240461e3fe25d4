#pragma once
// Code pages of RTF text: the Windows-1252 fast path that the writer and reader share, the
// \fcharset to code page table, and decoding of any other code page through Qt's converters.

#include <QByteArray>
#include <QString>

namespace rtf {

constexpr int kCodePage1252 = 1252;
constexpr int kSymbolCharset = 2;
// Marks the bytes of a symbol-charset font: each byte is the font's own character code.
constexpr int kCodePageSymbol = -2;

// The Windows-1252 byte of a character, or -1 when the code page has none (bytes 0x81, 0x8D,
// 0x8F, 0x90 and 0x9D are not given out, so U+0081 and friends are written as \u).
int encode1252(char16_t c);
char16_t decode1252(unsigned char byte);

// The code page that a font of this \fcharset uses; documentCodePage for charset 1 (default)
// and for charsets that name no code page; kCodePageSymbol for the symbol charset.
int codePageForCharset(int charset, int documentCodePage);

// Appends bytes of one code page to out. Multi-byte code pages decode lead and trail bytes
// together; a lead byte without its trail is dropped. An unsupported code page decodes as
// Windows-1252, so text is never lost wholesale.
void decodeBytes(int codePage, const QByteArray &bytes, QString &out);

}  // namespace rtf
