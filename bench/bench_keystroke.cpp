// A keystroke in the real main window: from the key event to the text stored in the label and
// the label repainted on the page, on a 200-label page with a 6-line label under edit.

#include "app/Main.h"
#include "platform/Identity.h"
#include "platform/Services.h"
#include "richtext/RtfStorage.h"
#include "sheet/QMKpanel.h"

#include "TestLayouts.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
TLabelLayoutRecord twoHundredLabels() {
    return TestLayout::grid(4, 50)
        .named("Bench 4 x 50")
        .label(2000, 1200)
        .pitch(2050, 1200)
        .margins(150, 150)
        .page(8500, 60500)
        .free(60, 40, 1940, 1160);
}

// Answers every box with OK and every file dialog with Cancel: nothing may wait for a person.
class NoQuestions : public UserInteraction {
public:
    int messageBox(const QString &, const QString &, int) override { return IDOK; }
    QString openFileName(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
};

void BM_Keystroke(benchmark::State &state) {
    QTemporaryDir dir;
    NoQuestions answers;
    setUserInteraction(&answers);
    setProgramFolderForTesting(dir.path() + QLatin1Char('/'));
    QFile::copy(QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO"), dir.path() + QStringLiteral("/QMKML.LLO"));
    TMainForm form;
    form.resize(1000, 760);
    form.show();
    QApplication::setActiveWindow(&form);
    TQMKPagePanel &panel = *form.QuillmarkPanel;
    panel.AddLayout(twoHundredLabels());
    panel.ApplyLayout("Bench 4 x 50", false);
    panel.show();
    for (int n = 1; n <= panel.LabelsPerPage(); ++n)
        panel.LabelRichText(n)->setRtfText(
            RichText::fromPlainText(QStringLiteral("Label %1\nSecond line").arg(n)));
    panel.repaint();
    QApplication::processEvents();
    panel.LabelRichText(1)->clear();
    panel.ActivateLabel(1);
    QWidget *target = QApplication::focusWidget();
    for (int line = 0; line < 6; ++line) {
        if (line)
            QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClicks(target, QStringLiteral("Line %1 of an address").arg(line + 1));
    }
    panel.repaint();
    const int lines = int(panel.LabelRichText(1)->RtfText().paragraphs.size());
    bool add = true;
    for (auto _ : state) {
        // Alternately type a character and take it back, so the label stays at six lines.
        QTest::keyClick(target, add ? Qt::Key_X : Qt::Key_Backspace);
        add = !add;
        panel.repaint();
    }
    state.counters["paragraphs"] = lines;
    setProgramFolderForTesting(QString());
    setUserInteraction(nullptr);
}
}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetApplicationIdentity();
    benchmark::RegisterBenchmark(
        "keystroke to stored and repainted, 6-line label, 200-label page (target 1 ms)", BM_Keystroke)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
