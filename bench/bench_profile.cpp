// The ini file at the sizes the program meets: a start-up's preference reads and a close's writes
// on a file that also holds the placement and the recent files, and reads from a damaged 10 MB one.
#include "app/Preferences.h"
#include "platform/Identity.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
void writeTypicalFile(const QString &path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(
        "[Zooming]\nMain=80\nProp=30\n[Default Font]\nName=Arial\nSize=10\nBold=0\nItalic=0\n"
        "Underline=0\nStrikeout=0\nColor=0\n[Printer]\nTopMarginNudge=-12\nLeftMarginNudge=4\n"
        "VerticalSpacing=0\nHorizontalSpacing=0\n[Hints]\nOn=1\n[TMainForm_Placement]\nLeft=10\nTop=10\n"
        "Right=900\nBottom=700\nMaximized=0\n[MRU]\nF0=/home/user/labels/party.QMK\n"
        "F1=/home/user/labels/shop.QMK\nF2=/home/user/labels/x.QMK\n");
}

void BM_LoadPreferences(benchmark::State &state) {
    QTemporaryDir dir;
    setProgramFolderForTesting(dir.path());
    writeTypicalFile(IniFileName());
    for (auto _ : state) {
        Preferences p;
        LoadPreferences(p);
        benchmark::DoNotOptimize(p.ZoomMain);
    }
}
BENCHMARK(BM_LoadPreferences)->Unit(benchmark::kMicrosecond);

void BM_SavePreferences(benchmark::State &state) {
    QTemporaryDir dir;
    setProgramFolderForTesting(dir.path());
    writeTypicalFile(IniFileName());
    const QFont font(QStringLiteral("Arial"), 10);
    for (auto _ : state) {
        Preferences p;
        SavePreferences(p, font, Qt::black);
    }
}
BENCHMARK(BM_SavePreferences)->Unit(benchmark::kMicrosecond);

void BM_ReadKeyAfter10MBLine(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.ini"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(10 * 1024 * 1024, 'x') + "\n[S]\nk=5\n");
    }
    const ProfileFile ini(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.readInteger(QStringLiteral("S"), QStringLiteral("k"), 0));
}
BENCHMARK(BM_ReadKeyAfter10MBLine)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    SetApplicationIdentity();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
