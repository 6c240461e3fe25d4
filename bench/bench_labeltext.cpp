// A keystroke in the label editor and the painting of one label's text: the two costs every
// edit pays (the owner stores the editor's text and tests its height on each change, and the
// page re-renders the label that changed).

#include "richtext/LabelTextLayout.h"
#include "richtext/RtfStorage.h"
#include "richtext/TWPRichText.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QPainter>

namespace {

// Six lines of an ordinary address label, two of them formatted, on a 2.625 x 1 inch label.
RichText sixLineLabel() {
    RichText text =
        RichText::fromPlainText(QStringLiteral("Mrs Philippa Ashworth-Bannerman\n"
                                               "Flat 12, Waterside Court\n"
                                               "147 Riverside Embankment Road\n"
                                               "Kingston upon Thames\n"
                                               "Surrey KT1 2AB\n"
                                               "United Kingdom"));
    text.paragraphs[0].runs[0].format.bold = true;
    text.paragraphs[0].runs[0].format.halfPoints = 24;
    text.paragraphs[4].alignment = ParagraphAlignment::Right;
    return text;
}

constexpr int kWidthThou = 2625;
constexpr int kHeightThou = 1000;

// One keystroke as the main window handles it: the character goes in, then the editor's text
// is copied into the label's storage and its height tested. A second keystroke (Backspace)
// takes the character out again, so the text stays the same size; the figure is per keystroke.
void BM_EditorKeystrokeToStorage(benchmark::State &state) {
    TWPRichText editor;
    editor.setPageSizeThou(kWidthThou, kHeightThou);
    editor.setRtfText(sixLineLabel());
    editor.setCaretPosition(20);
    TWPRtfStorage storage;
    bool fits = true;
    QObject::connect(&editor, &TWPRichText::OnChange, [&] {
        fits = editor.TextFits();
        storage.setRtfText(editor.RtfText());
    });
    for (auto _ : state) {
        editor.InsertText(QStringLiteral("x"));
        editor.setSelection(21, 20);
        editor.InsertText(QString());  // replaces the selection: the Backspace
        benchmark::DoNotOptimize(fits);
    }
    state.SetItemsProcessed(2 * state.iterations());
    state.counters["per_keystroke_us"] = benchmark::Counter(
        2 * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Only the part after the edit: RtfText() into the storage and the height test.
void BM_EditorStoreAndHeightTest(benchmark::State &state) {
    TWPRichText editor;
    editor.setPageSizeThou(kWidthThou, kHeightThou);
    editor.setRtfText(sixLineLabel());
    TWPRtfStorage storage;
    for (auto _ : state) {
        storage.setRtfText(editor.RtfText());
        benchmark::DoNotOptimize(editor.TextFits());
    }
}

// The page's work for one changed label at 100 % on a 96 dpi screen: lay the text out and
// paint it into the label's picture.
void BM_LabelLayoutAndPaint(benchmark::State &state) {
    const RichText text = sixLineLabel();
    QImage image(252, 96, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        const LabelTextLayout layout(text, kWidthThou);
        QPainter painter(&image);
        layout.paint(painter, image.rect(), 96);
    }
}

// Painting an already laid-out text, as a cached layout would be painted again.
void BM_LabelPaintOnly(benchmark::State &state) {
    const LabelTextLayout layout(sixLineLabel(), kWidthThou);
    QImage image(252, 96, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        layout.paint(painter, image.rect(), 96);
    }
}

void BM_LabelLayoutOnly(benchmark::State &state) {
    const RichText text = sixLineLabel();
    for (auto _ : state) {
        const LabelTextLayout layout(text, kWidthThou);
        benchmark::DoNotOptimize(layout.heightThou());
    }
}

}  // namespace

BENCHMARK(BM_EditorKeystrokeToStorage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditorStoreAndHeightTest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LabelLayoutAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LabelPaintOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LabelLayoutOnly)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
