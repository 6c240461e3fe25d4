// qmktool: the command-line companion, built from the model targets alone.
//   qmktool layouts [FILE.LLO]             every layout: name, fields and description lines
//   qmktool show FILE.QMK                  a document's layout and every label's plain text
//   qmktool new "LAYOUT NAME" OUT.QMK [--text N=TEXT]... [--layouts FILE.LLO]
//                                          a new document on a catalogue layout, as New makes it
// The catalogue defaults to QMKML.LLO beside this executable. Errors go to stderr with exit
// status 1; a wrong command line gives the usage and status 2.
#include "richtext/RichText.h"
#include "richtext/RtfStorage.h"
#include "sheet/FilerError.h"
#include "sheet/LayoutCatalogue.h"
#include "sheet/LayoutDescription.h"
#include "sheet/PageModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

const char kUsage[] =
    "usage: qmktool layouts [FILE.LLO]\n"
    "       qmktool show FILE.QMK\n"
    "       qmktool new \"LAYOUT NAME\" OUT.QMK [--text N=TEXT]... [--layouts FILE.LLO]\n";

struct UsageError {};

QTextStream &out() {
    static QTextStream stream(stdout);
    return stream;
}

QString defaultCatalogue() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("QMKML.LLO"));
}

void printLayout(const TLabelLayoutRecord &layout) {
    out() << layout.name() << '\n';
    for (int i = 0; i < TLabelLayoutRecord::IntegerCount; ++i)
        out() << "  " << TLabelLayoutRecord::integerName(i) << " = " << layout.integer(i) << '\n';
}

int listLayouts(const QStringList &args) {
    if (args.size() > 1)
        throw UsageError();
    PageModel page;
    LoadLLOFile(page, args.isEmpty() ? defaultCatalogue() : args[0]);
    for (const TLabelLayoutRecord &layout : page.LayoutCatalogue()) {
        printLayout(layout);
        // The description of the first entry of this name, as the Select Layout dialog shows it.
        for (const QString &line : DescribeLayout(page, layout.Description).value_or(QStringList()))
            out() << "  " << line << '\n';
        out() << '\n';
    }
    return 0;
}

int showDocument(const QStringList &args) {
    if (args.size() != 1)
        throw UsageError();
    PageModel page;
    page.LoadFromFile(args[0]);
    printLayout(page.CurrentLayout());
    for (int n = 1; n <= page.LabelsPerPage(); ++n) {
        const QStringList lines = page.LabelStorage(n)->RtfText().toPlainText().split(QLatin1Char('\n'));
        out() << "Label " << n << ':';
        for (qsizetype i = 0; i < lines.size(); ++i)
            out() << (i ? "\n\t" : " ") << lines[i];
        out() << '\n';
    }
    return 0;
}

int newDocument(const QStringList &args) {
    QStringList positional;
    QList<std::pair<int, QString>> texts;
    QString catalogue = defaultCatalogue();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--text") || args[i] == QLatin1String("--layouts")) {
            if (i + 1 >= args.size())
                throw UsageError();
            const QString value = args[++i];
            if (args[i - 1] == QLatin1String("--layouts")) {
                catalogue = value;
                continue;
            }
            const qsizetype equals = value.indexOf(QLatin1Char('='));
            bool ok = false;
            const int n = equals > 0 ? value.left(equals).toInt(&ok) : 0;
            if (!ok)
                throw FilerError(QStringLiteral("--text wants N=TEXT, not \"%1\"").arg(value));
            texts.append({n, value.mid(equals + 1)});
        } else {
            positional.append(args[i]);
        }
    }
    if (positional.size() != 2)
        throw UsageError();

    PageModel page;
    LoadLLOFile(page, catalogue);
    const QByteArray name = TLabelLayoutRecord::encodeName(positional[0]);
    if (!page.lastLayoutNamed(name))
        throw FilerError(QStringLiteral("No layout named \"%1\" in %2").arg(positional[0], catalogue));
    page.ClearAllLabels();
    page.ApplyLayout(name, false);
    CharFormat format;  // Arial 10 point, black
    format.family = QStringLiteral("Arial");
    format.halfPoints = 20;
    for (const auto &[n, text] : texts) {
        if (n < 1 || n > page.LabelsPerPage())
            throw FilerError(QStringLiteral("Label %1 does not exist: the layout has %2 labels")
                                 .arg(n)
                                 .arg(page.LabelsPerPage()));
        page.LabelStorage(n)->setRtfText(RichText::fromPlainText(text, format));
    }
    page.SaveToFile(positional[1]);
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    try {
        if (args.isEmpty())
            throw UsageError();
        const QString command = args.takeFirst();
        int status = 0;
        if (command == QLatin1String("layouts"))
            status = listLayouts(args);
        else if (command == QLatin1String("show"))
            status = showDocument(args);
        else if (command == QLatin1String("new"))
            status = newDocument(args);
        else
            throw UsageError();
        out().flush();
        return status;
    } catch (const UsageError &) {
        out().flush();
        QTextStream(stderr) << kUsage;
        return 2;
    } catch (const FilerError &error) {
        out().flush();
        QTextStream(stderr) << "qmktool: " << error.message() << '\n';
        return 1;
    }
}
