#include "richtext/RtfCodePages.h"

#include <QStringDecoder>

#include <array>
#include <map>
#include <memory>

namespace rtf {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes decode to their C1 control as
// Windows does.
constexpr std::array<char16_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QByteArray decoderName(int codePage) {
    switch (codePage) {
        case 437:
            return "IBM437";
        case 850:
            return "IBM850";
        case 10000:
            return "macintosh";
        case 10001:
            return "Shift_JIS";  // Mac Japanese: Shift-JIS with a few extra symbols
        case 10002:
            return "Big5";
        case 10003:
            return "EUC-KR";
        case 10006:
            return "x-mac-greek";
        case 10007:
            return "x-mac-cyrillic";
        case 10008:
            return "GBK";
        case 10029:
            return "x-mac-ce";
        case 10081:
            return "x-mac-turkish";
        case 65001:
            return "UTF-8";
        default:
            return "windows-" + QByteArray::number(codePage);
    }
}

// One decoder per code page for the life of the program; creating an ICU converter costs far
// more than decoding a label. Only the GUI thread reads RTF, but a thread_local cache keeps a
// reader on another thread safe as well.
QStringDecoder *decoderFor(int codePage) {
    thread_local std::map<int, std::unique_ptr<QStringDecoder>> cache;
    auto it = cache.find(codePage);
    if (it == cache.end()) {
        auto decoder = std::make_unique<QStringDecoder>(decoderName(codePage).constData(),
                                                        QStringConverter::Flag::Stateless);
        if (!decoder->isValid())
            decoder.reset();
        it = cache.emplace(codePage, std::move(decoder)).first;
    }
    return it->second.get();
}

}  // namespace

int encode1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c <= 0x9F)  // C1 controls: not characters of the code page
        return -1;
    for (int i = 0; i < 32; ++i)
        if (kHigh1252[i] == c)
            return 0x80 + i;
    return -1;
}

char16_t decode1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHigh1252[byte - 0x80];
    return byte;
}

int codePageForCharset(int charset, int documentCodePage) {
    switch (charset) {
        case 0:
            return 1252;
        case 2:
            return kCodePageSymbol;
        case 77:
            return 10000;
        case 78:
            return 10001;
        case 79:
            return 10003;
        case 80:
            return 10008;
        case 81:
            return 10002;
        case 83:
            return 10005;
        case 84:
            return 10004;
        case 85:
            return 10006;
        case 86:
            return 10081;
        case 87:
            return 10021;
        case 88:
            return 10029;
        case 89:
            return 10007;
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return documentCodePage;
    }
}

void decodeBytes(int codePage, const QByteArray &bytes, QString &out) {
    if (codePage == kCodePageSymbol) {
        out.append(QLatin1StringView(bytes));
        return;
    }
    if (codePage != kCodePage1252) {
        if (QStringDecoder *decoder = decoderFor(codePage)) {
            decoder->resetState();
            out.append(decoder->decode(bytes));
            return;
        }
    }
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar *dst = out.data() + start;
    for (char b : bytes)
        *dst++ = QChar(decode1252(static_cast<unsigned char>(b)));
}

}  // namespace rtf
