// Common services: the message-box seam, the busy cursor switch, the program folder, CenterForm
// arithmetic and the window placement rules in the ini file.
#include "platform/Identity.h"
#include "platform/ProfileFile.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Placement sections are named after the form's class.
class TMainForm : public QWidget {
    Q_OBJECT
};
class TSelectLayout : public QWidget {
    Q_OBJECT
};

namespace {
struct ScriptedInteraction : UserInteraction {
    int answer = IDOK;
    QString text, caption;
    int flags = -1;
    int messageBox(const QString &t, const QString &c, int f) override {
        text = t;
        caption = c;
        flags = f;
        return answer;
    }
    QString openFileName(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
};

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class TestServices : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        SetApplicationIdentity();
        setProgramFolderForTesting(m_dir.path());
        setScreenSizeForTesting(QSize(1024, 768));
    }
    void init() {
        QFile::remove(IniFileName());
        setScreenPixelsPerInchForTesting(96);
        setMainWindow(nullptr);
    }

    void programFolder() {
        setProgramFolderForTesting(QString());
        QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + u'/');
        setProgramFolderForTesting(QStringLiteral("/"));
        QCOMPARE(ProgramFolder(), QStringLiteral("/"));
        setProgramFolderForTesting(QStringLiteral("/opt/qm//"));
        QCOMPARE(ProgramFolder(), QStringLiteral("/opt/qm/"));
        QCOMPARE(IniFileName(), QStringLiteral("/opt/qm/QMKML.ini"));
        setProgramFolderForTesting(m_dir.path());
    }

    void confirmYesNoIsTrueOnlyForYes_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("expected");
        QTest::newRow("Yes") << int(IDYES) << true;
        QTest::newRow("No") << int(IDNO) << false;
        QTest::newRow("Cancel (closed)") << int(IDCANCEL) << false;
        QTest::newRow("OK") << int(IDOK) << false;
    }
    void confirmYesNoIsTrueOnlyForYes() {
        QFETCH(int, answer);
        QFETCH(bool, expected);
        ScriptedInteraction script;
        script.answer = answer;
        setUserInteraction(&script);
        QCOMPARE(ConfirmYesNo(QStringLiteral("Save changes?"), QStringLiteral("Save")), expected);
        setUserInteraction(nullptr);
        QCOMPARE(script.text, QStringLiteral("Save changes?"));
        QCOMPARE(script.caption, QStringLiteral("Save"));
        QCOMPARE(script.flags, 36);
    }

    void showInformationCaptionAndFlags() {
        ScriptedInteraction script;
        setUserInteraction(&script);
        ShowInformation(QStringLiteral("Current layout is: \r\r5160"));
        setUserInteraction(nullptr);
        QCOMPARE(script.caption, QStringLiteral("Information"));
        QCOMPARE(script.flags, 64);
        QCOMPARE(script.text, QStringLiteral("Current layout is: \r\r5160"));
    }

    // The real box: the whole text, the question icon, Yes as the default button.
    void realQuestionBox_data() {
        QTest::addColumn<bool>("pressEnter");
        QTest::addColumn<bool>("expected");
        QTest::newRow("Enter takes the default, Yes") << true << true;
        QTest::newRow("clicking No") << false << false;
    }
    void realQuestionBox() {
        QFETCH(bool, pressEnter);
        QFETCH(bool, expected);
        const QString text =
            QStringLiteral("File ") + QString(600, u'x') + QStringLiteral(" <b>no</b> longer exists");
        QString shownText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString defaultText;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shownText = box->text();
            icon = box->icon();
            defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            if (pressEnter)
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->button(QMessageBox::No)->click();
        });
        QCOMPARE(ConfirmYesNo(text, QStringLiteral("CANCEL")), expected);
        QCOMPARE(shownText, text);
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(
            defaultText,
            QMessageBox(QMessageBox::Question, "", "", QMessageBox::Yes).button(QMessageBox::Yes)->text());
    }

    void busyCursorIsASwitch() {
        QApplication::setOverrideCursor(Qt::CrossCursor);  // someone else's, also ended by Off
        BusyCursorOn();
        BusyCursorOn();
        QVERIFY(BusyCursorIsOn());
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        BusyCursorOff();
        QVERIFY(!BusyCursorIsOn());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        BusyCursorOff();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void centerForm_data() {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<bool>("mainMaximized");
        QTest::addColumn<QSize>("dialog");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("over the main window")
            << QRect(100, 50, 800, 600) << false << QSize(300, 200) << QPoint(350, 250);
        QTest::newRow("dialog larger than the main window goes negative")
            << QRect(10, 10, 100, 100) << false << QSize(300, 200) << QPoint(-90, -40);
        QTest::newRow("odd negative difference truncates toward zero")
            << QRect(0, 0, 101, 101) << false << QSize(200, 200) << QPoint(-49, -49);
        QTest::newRow("main window maximized: on the screen")
            << QRect(100, 50, 800, 600) << true << QSize(300, 201) << QPoint(362, 283);
    }
    void centerForm() {
        QFETCH(QRect, main);
        QFETCH(bool, mainMaximized);
        QFETCH(QSize, dialog);
        QFETCH(QPoint, expected);
        TMainForm mainForm;
        mainForm.setGeometry(main);
        if (mainMaximized)
            mainForm.setWindowState(Qt::WindowMaximized);
        setMainWindow(&mainForm);
        TSelectLayout form;
        form.resize(dialog);
        CenterForm(&form);
        QCOMPARE(form.pos(), expected);
    }

    void centerFormOnTheMainWindowItselfUsesTheScreen() {
        TMainForm mainForm;
        mainForm.setGeometry(5, 5, 600, 401);
        setMainWindow(&mainForm);
        CenterForm(&mainForm);
        QCOMPARE(mainForm.pos(), QPoint(212, 183));
    }

    void loadPlacement_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QRect>("expected");  // left, top, right - left, bottom - top
        QTest::addColumn<bool>("maximized");
        QTest::newRow("inside the screen")
            << QByteArray("Left=10\nTop=20\nRight=610\nBottom=420\nMaximized=0\n") << QRect(10, 20, 600, 400)
            << false;
        QTest::newRow("right beyond the screen moves left")
            << QByteArray("Left=1200\nTop=0\nRight=2000\nBottom=500\nMaximized=0\n")
            << QRect(224, 0, 800, 500) << false;
        QTest::newRow("bottom beyond the screen moves up")
            << QByteArray("Left=0\nTop=700\nRight=300\nBottom=900\nMaximized=0\n") << QRect(0, 568, 300, 200)
            << false;
        QTest::newRow("left of the screen is kept")
            << QByteArray("Left=-50\nTop=-10\nRight=550\nBottom=390\n") << QRect(-50, -10, 600, 400) << false;
        QTest::newRow("wider than the screen ends at a negative left")
            << QByteArray("Left=0\nTop=0\nRight=1500\nBottom=300\n") << QRect(-476, 0, 1500, 300) << false;
        QTest::newRow("maximized with its restored rectangle")
            << QByteArray("Left=40\nTop=30\nRight=840\nBottom=630\nMaximized=1\n") << QRect(40, 30, 800, 600)
            << true;
    }
    void loadPlacement() {
        QFETCH(QByteArray, stored);
        QFETCH(QRect, expected);
        QFETCH(bool, maximized);
        {
            QFile file(IniFileName());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[TMainForm_Placement]\n" + stored);
        }
        TMainForm form;
        setMainWindow(&form);
        LoadWindowPlacement(&form);
        QCOMPARE(form.isMaximized(), maximized);
        const QRect restored = maximized ? form.normalGeometry() : form.geometry();
        QCOMPARE(restored, expected);
        // Written back at once with the placement in force.
        const ProfileFile ini(IniFileName());
        QCOMPARE(ini.readInteger("TMainForm_Placement", "Left", 9999), expected.left());
        QCOMPARE(ini.readInteger("TMainForm_Placement", "Right", 9999), expected.left() + expected.width());
        QCOMPARE(ini.readInteger("TMainForm_Placement", "Bottom", 9999), expected.top() + expected.height());
        QCOMPARE(ini.readBool("TMainForm_Placement", "Maximized", !maximized), maximized);
    }

    void nothingStoredCentresAndMaximizesTheMainWindow() {
        TMainForm form;
        form.resize(600, 400);
        setMainWindow(&form);
        LoadWindowPlacement(&form);
        QVERIFY(form.isMaximized());
        QCOMPARE(
            fileBytes(IniFileName()),
            QByteArray("[TMainForm_Placement]\nLeft=212\nTop=184\nRight=812\nBottom=584\nMaximized=1\n"));
    }

    void nothingStoredCentresADialogOverTheMainWindow() {
        TMainForm mainForm;
        mainForm.setGeometry(0, 0, 800, 600);
        setMainWindow(&mainForm);
        TSelectLayout dialog;
        dialog.resize(200, 100);
        LoadWindowPlacement(&dialog);
        QVERIFY(!dialog.isMaximized());
        QCOMPARE(dialog.pos(), QPoint(300, 250));
        QCOMPARE(ProfileFile(IniFileName()).readBool("TSelectLayout_Placement", "Maximized", true), false);
    }

    void highDpiUsesItsOwnSection() {
        const QByteArray before(
            "[TMainForm_Placement]\r\nLeft=1\r\nTop=2\r\nRight=301\r\nBottom=202\r\nMaximized=0\r\n");
        {
            QFile file(IniFileName());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        setScreenPixelsPerInchForTesting(120);
        TMainForm form;
        setMainWindow(&form);
        form.resize(400, 300);
        LoadWindowPlacement(&form);  // nothing stored at 120 dpi yet
        QVERIFY(form.isMaximized());
        form.setWindowState(Qt::WindowNoState);
        form.setGeometry(20, 30, 500, 400);
        SaveWindowPlacement(&form);
        QVERIFY(fileBytes(IniFileName()).startsWith(before));
        const ProfileFile ini(IniFileName());
        QCOMPARE(ini.readInteger("TMainForm_Placement120", "Left", 0), 20);
        QCOMPARE(ini.readInteger("TMainForm_Placement120", "Bottom", 0), 430);
        QCOMPARE(ini.readBool("TMainForm_Placement120", "Maximized", true), false);
    }

    void savingWhileMaximizedKeepsTheRestoredRectangle() {
        TMainForm form;
        setMainWindow(&form);
        form.setGeometry(100, 100, 640, 480);
        form.show();
        form.setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(form.isMaximized());
        SaveWindowPlacement(&form);
        QCOMPARE(
            fileBytes(IniFileName()),
            QByteArray("[TMainForm_Placement]\nLeft=100\nTop=100\nRight=740\nBottom=580\nMaximized=1\n"));
    }

    void refusedPlacementWriteRaises() {
        setProgramFolderForTesting(m_dir.filePath(QStringLiteral("no-such-folder")));
        TMainForm form;
        bool raised = false;
        try {
            SaveWindowPlacement(&form);
        } catch (const ProfileWriteError &error) {
            raised = error.message() == QStringLiteral("Unable to write to ") + IniFileName();
        }
        setProgramFolderForTesting(m_dir.path());
        QVERIFY(raised);
    }
};

QTEST_MAIN(TestServices)
#include "tst_services.moc"
