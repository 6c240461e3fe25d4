// The help file format, the help file the build makes from data/help, and the help viewer behind
// the four help commands.
#include "platform/HelpFile.h"
#include "platform/HelpViewer.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

class TestHelp : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString builtFile = QStringLiteral(QM_PROGRAM_DIR "/QMK.HLP");

private slots:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("firstHtml");
        QTest::newRow("two topics, CR LF") << "QMKHELP 1\r\n@topic 1001|Select|layout; "
                                              "stock\r\n<p>a</p>\r\n@topic contents|C|\r\n<p>b</p>\r\n"
                                           << true << QStringList{"1001", "contents"} << "<p>a</p>\n";
        QTest::newRow("no signature") << "@topic 1|x|\nbody\n" << false << QStringList{} << QString();
        QTest::newRow("text before the first topic is ignored")
            << "QMKHELP 1\nstray\n@topic 1|x\nbody" << true << QStringList{"1"} << "body\n";
        QTest::newRow("topic line without fields") << "QMKHELP 1\n@topic \nx\n"
                                                   << true << QStringList{""} << "x\n";
        QTest::newRow("binary junk after the signature")
            << QString::fromLatin1("QMKHELP 1\n\x01\x02\xff\n@topic 7|t|k\n\0x", 29) << true
            << QStringList{"7"} << QString::fromLatin1("\0x\n", 3);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QStringList, ids);
        QFETCH(QString, firstHtml);
        HelpFile file;
        QCOMPARE(file.parse(text), valid);
        QStringList got;
        for (const HelpTopic &topic : file.topics())
            got.append(topic.id);
        QCOMPARE(got, ids);
        if (!ids.isEmpty())
            QCOMPARE(file.topics().first().html, firstHtml);
    }

    void keywordsAreSortedAndShared() {
        HelpFile file;
        QVERIFY(file.parse("QMKHELP 1\n@topic a|A|zoom; Print\n@topic b|B|print; layout\n"));
        QCOMPARE(file.keywords(), (QStringList{"layout", "Print", "zoom"}));
        const QList<const HelpTopic *> both = file.topicsFor("PRINT");
        QCOMPARE(both.size(), 2);
        QCOMPARE(both[0]->id, QStringLiteral("a"));
        QVERIFY(file.find("B"));
        QVERIFY(!file.find("c"));
    }

    // The delivered help: every topic the program asks for, with text, and no broken link.
    void builtHelpFileIsComplete() {
        HelpFile file;
        QString error;
        QVERIFY2(file.load(builtFile, &error), qPrintable(error));
        for (const char *id : {"contents", "1001", "1002", "1003", "1004", "helponhelp"}) {
            const HelpTopic *topic = file.find(QString::fromLatin1(id));
            QVERIFY2(topic, id);
            QVERIFY2(!topic->title.isEmpty() && !topic->keywords.isEmpty(), id);
            QVERIFY2(topic->html.size() > 500, id);
        }
        static const QRegularExpression link(QStringLiteral("href=\"topic:([^\"#]+)"));
        for (const HelpTopic &topic : file.topics()) {
            for (const QRegularExpressionMatch &m : link.globalMatch(topic.html))
                QVERIFY2(file.find(m.captured(1)), qPrintable(topic.id + " links to " + m.captured(1)));
        }
        const QString contents = file.find("contents")->html;
        for (const char *needle : {"Tab", "Shift+Tab", "Page Down", "Page Up", "Ctrl+S", "Ctrl+A"})
            QVERIFY2(contents.contains(QString::fromLatin1(needle)), needle);
    }

    void commandsOpenTheirTopics_data() {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("heading");
        QTest::newRow("1001") << 1001 << "Select Layout";
        QTest::newRow("1002") << 1002 << "Labels Print";
        QTest::newRow("1003") << 1003 << "Printer Fine-Tuning";
        QTest::newRow("1004") << 1004 << "Symbol Selector";
    }
    void commandsOpenTheirTopics() {
        QFETCH(int, context);
        QFETCH(QString, heading);
        setHelpFile(builtFile);
        ShowHelpTopic(context);
        HelpViewer *viewer = HelpViewer::instance();
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->currentTopicId(), QString::number(context));
        QVERIFY(viewer->shownText().startsWith(heading));
    }

    void contentsSearchAndHelpOnHelp() {
        setHelpFile(builtFile);
        HelpViewer *viewer = HelpViewer::instance();
        ShowHelpContents();
        QCOMPARE(viewer->currentTopicId(), QStringLiteral("contents"));
        QVERIFY(viewer->contentsList()->count() >= 5);

        viewer->searchBox()->setText(QStringLiteral("some earlier words"));
        ShowHelpSearch();
        QVERIFY(viewer->searchPageShown());
        QCOMPARE(viewer->searchBox()->text(), QString());
        QTest::keyClicks(viewer->searchBox(), QStringLiteral("nud"));
        QCOMPARE(viewer->keywordList()->count(), 1);
        QCOMPARE(viewer->keywordList()->item(0)->text(), QStringLiteral("nudge"));
        QTest::keyClick(viewer->searchBox(), Qt::Key_Return);
        QCOMPARE(viewer->currentTopicId(), QStringLiteral("1003"));

        ShowHelpOnHelp();
        QCOMPARE(viewer->currentTopicId(), QStringLiteral("helponhelp"));
        viewer->openLink(QUrl(QStringLiteral("topic:1004")));
        QCOMPARE(viewer->currentTopicId(), QStringLiteral("1004"));
        viewer->openLink(QUrl(QStringLiteral("#anything")));
        QCOMPARE(viewer->currentTopicId(), QStringLiteral("1004"));
        viewer->openLink(QUrl(QStringLiteral("https://example.com/")));
        QCOMPARE(viewer->currentTopicId(), QStringLiteral("1004"));
    }

    void missingOrForeignFileIsReportedByTheViewer_data() {
        QTest::addColumn<QByteArray>("content");  // null: no file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << "could not be found";
        QTest::newRow("not a help file") << QByteArray("MZ\x90\x00", 4) << "is not a help file";
    }
    void missingOrForeignFileIsReportedByTheViewer() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(QStringLiteral("QMK.HLP"));
        QFile::remove(path);
        if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        setHelpFile(path);
        ShowHelpTopic(1001);
        HelpViewer *viewer = HelpViewer::instance();
        QVERIFY(viewer->isVisible());
        QVERIFY2(viewer->shownText().contains(message), qPrintable(viewer->shownText()));
        QVERIFY(viewer->shownText().contains(path));
        // Once the file is there, the next call reads it.
        setHelpFile(builtFile);
        ShowHelpTopic(1001);
        QCOMPARE(viewer->currentTopicId(), QStringLiteral("1001"));
    }

    // A dialog's Help button: the viewer must not be blocked by the modal dialog that asked.
    void helpFromAModalDialogIsUsable() {
        setHelpFile(builtFile);
        QDialog dialog;
        bool blocked = true;
        Qt::WindowModality modality = Qt::NonModal;
        QTimer::singleShot(0, &dialog, [&] {
            ShowHelpTopic(1003);
            HelpViewer *viewer = HelpViewer::instance();
            modality = viewer->windowModality();
            blocked = QApplication::activeModalWidget() != viewer;
            viewer->close();
            dialog.reject();
        });
        dialog.exec();
        QCOMPARE(modality, Qt::ApplicationModal);
        QVERIFY(!blocked);
        ShowHelpContents();  // with no dialog up it is an ordinary window again
        QCOMPARE(HelpViewer::instance()->windowModality(), Qt::NonModal);
    }

    void helpFileDefaultsToTheProgramFolder() {
        setHelpFile(QString());
        setProgramFolderForTesting(m_dir.path());
        QCOMPARE(helpFile(), m_dir.path() + QStringLiteral("/QMK.HLP"));
        setProgramFolderForTesting(QString());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
