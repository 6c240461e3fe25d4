// Painting the page panel: a full paint of a page with text in every label, with and without
// the labels' laid-out text at hand, and the paint after one label's text changed.
#include "platform/Screen.h"
#include "sheet/QMKpanel.h"

#include "TestLayouts.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPaintEvent>
#include <memory>
#include <string>

namespace {

TLabelLayoutRecord sheet(const QByteArray &name, int across, int down) {
    // Labels tile a Letter page with a 1/8" writable inset.
    const int horizontalPitch = (8500 - 2 * 188) / across;
    const int verticalPitch = (11000 - 2 * 500) / down;
    const int labelWidth = horizontalPitch - 125;
    return TestLayout::grid(across, down)
        .named(name)
        .page(8500, 11000)
        .margins(188, 500)
        .pitch(horizontalPitch, verticalPitch)
        .label(labelWidth, verticalPitch)
        .free(63, 63, labelWidth - 63, verticalPitch)
        .stripe(1);
}

std::unique_ptr<TQMKPagePanel> filledPanel(int across, int down) {
    setScreenPixelsPerInchForTesting(96);
    auto panel = std::make_unique<TQMKPagePanel>();
    panel->AddLayout(sheet("Bench", across, down));
    panel->ApplyLayout("Bench", false);
    CharFormat small;
    small.halfPoints = across * down > 60 ? 12 : 20;
    for (int n = 1; n <= panel->LabelsPerPage(); ++n)
        panel->LabelRichText(n)->setRtfText(RichText::fromPlainText(
            QStringLiteral("Label %1 Name\n12 High Street\nTown AB1 2CD").arg(n), small));
    panel->renderedPage();
    return panel;
}

// One paint of the whole panel as the window system asks for it, into an off-screen device.
void paintWhole(TQMKPagePanel &panel, QImage &target) {
    panel.render(&target, QPoint(), QRegion(), QWidget::DrawChildren);
}

void BM_FullRepaintCold(benchmark::State &state) {
    auto panel = filledPanel(int(state.range(0)), int(state.range(1)));
    QImage target(panel->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        // Forgetting the page image and every label's layout (freeing 200 documents) is not
        // part of the paint being measured.
        state.PauseTiming();
        panel->dropRenderCacheForTesting(true);
        state.ResumeTiming();
        paintWhole(*panel, target);
    }
    state.counters["labels"] = panel->LabelsPerPage();
}

void BM_FullRepaintWarm(benchmark::State &state) {
    auto panel = filledPanel(int(state.range(0)), int(state.range(1)));
    QImage target(panel->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        panel->dropRenderCacheForTesting(false);  // page image only, laid-out texts kept
        paintWhole(*panel, target);
    }
    state.counters["labels"] = panel->LabelsPerPage();
}

void BM_RepaintAfterOneLabelChanged(benchmark::State &state) {
    auto panel = filledPanel(int(state.range(0)), int(state.range(1)));
    QImage target(panel->size(), QImage::Format_RGB32);
    const RichText a = RichText::fromPlainText(QStringLiteral("Changed text\nsecond line"));
    const RichText b = RichText::fromPlainText(QStringLiteral("Other text\nsecond line"));
    bool flip = false;
    const int n = panel->LabelsPerPage() / 2;
    for (auto _ : state) {
        panel->LabelRichText(n)->setRtfText((flip = !flip) ? a : b);
        paintWhole(*panel, target);
    }
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // 30-up (3 × 10) and 200-label (8 × 25) pages.
    struct Page {
        const char *name;
        int across, down;
        const char *fullTarget;
    };
    for (const Page page : {Page{"30-up", 3, 10, "3 ms"}, Page{"200-label", 8, 25, "10 ms"}}) {
        const std::string p = page.name;
        benchmark::RegisterBenchmark(
            ("panel full paint " + p + " no text laid out (target " + page.fullTarget + ")").c_str(),
            BM_FullRepaintCold)
            ->Args({page.across, page.down})
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            ("panel full paint " + p + " texts laid out (target " + page.fullTarget + ")").c_str(),
            BM_FullRepaintWarm)
            ->Args({page.across, page.down})
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("panel paint after one label changed " + p + " (target 1 ms)").c_str(),
                                     BM_RepaintAfterOneLabelChanged)
            ->Args({page.across, page.down})
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
