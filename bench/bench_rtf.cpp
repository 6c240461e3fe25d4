// RTF write and read of a typical label: three lines (name bold 14 pt, street 10 pt, town and
// postcode 10 pt with an accented letter), plus a label with a symbol-font character.

#include "richtext/Rtf.h"
#include "richtext/RtfStorage.h"

#include <benchmark/benchmark.h>

namespace {

RichText typicalLabel() {
    CharFormat name;
    name.halfPoints = 28;
    name.bold = true;
    CharFormat body;
    RichText text;
    text.paragraphs.clear();
    text.paragraphs.append(
        Paragraph{ParagraphAlignment::Left, {TextRun{QStringLiteral("Mr J. Smith"), name}}, name});
    text.paragraphs.append(
        Paragraph{ParagraphAlignment::Left, {TextRun{QStringLiteral("12 High Street"), body}}, body});
    text.paragraphs.append(Paragraph{
        ParagraphAlignment::Left, {TextRun{QStringLiteral("Caf\u00e9 Town  AB1 2CD"), body}}, body});
    return text;
}

RichText symbolLabel() {
    RichText text = typicalLabel();
    CharFormat symbol;
    symbol.family = QStringLiteral("Wingdings");
    symbol.charset = 2;
    symbol.halfPoints = 60;
    text.paragraphs.first().runs.prepend(TextRun{QString(QChar(0x28)), symbol});
    return text;
}

void BM_RtfWriteTypicalLabel(benchmark::State &state) {
    const RichText text = typicalLabel();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeRtf(text));
}
BENCHMARK(BM_RtfWriteTypicalLabel)->Unit(benchmark::kMicrosecond);

void BM_RtfReadTypicalLabel(benchmark::State &state) {
    const QByteArray rtf = writeRtf(typicalLabel());
    for (auto _ : state)
        benchmark::DoNotOptimize(readRtf(rtf));
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_RtfReadTypicalLabel)->Unit(benchmark::kMicrosecond);

void BM_RtfReadSymbolLabel(benchmark::State &state) {
    const QByteArray rtf = writeRtf(symbolLabel());
    for (auto _ : state)
        benchmark::DoNotOptimize(readRtf(rtf));
}
BENCHMARK(BM_RtfReadSymbolLabel)->Unit(benchmark::kMicrosecond);

// What a page load does per label: the storage block back into a value.
void BM_RtfStorageSetData(benchmark::State &state) {
    TWPRtfStorage source;
    source.setRtfText(typicalLabel());
    const QByteArray block = source.data();
    TWPRtfStorage target;
    for (auto _ : state)
        target.setData(block);
}
BENCHMARK(BM_RtfStorageSetData)->Unit(benchmark::kMicrosecond);

// A word processor's clipboard: a style sheet, an info group and a code-page font to decode.
void BM_RtfReadClipboard(benchmark::State &state) {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
        "{\\f1\\fnil\\fcharset204 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}"
        "{\\s1\\b\\fs32 heading 1;}}{\\*\\generator Riched20 10.0.19041}{\\info{\\author A}}\\viewkind4\\uc1"
        "\\pard\\sa200\\sl276\\slmult1\\qc\\b\\f0\\fs28\\lang9 Mr J. Smith\\b0\\par\\pard\\fs22 12 High "
        "Street\\par"
        "\\f1\\'cc\\'ee\\'f1\\'ea\\'e2\\'e0 \\cf1\\f0 AB1 2CD\\cf0\\par}\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(readRtf(rtf));
}
BENCHMARK(BM_RtfReadClipboard)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
