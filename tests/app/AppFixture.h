#pragma once
// Runs the real main window against a temporary program folder holding the shipped catalogue,
// with every question, notice and file dialog answered from a script.

#include "app/Main.h"
#include "platform/Identity.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "richtext/RtfStorage.h"
#include "sheet/QMKpanel.h"
#include "sheet/Slayout.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

struct AskedBox {
    QString text;
    QString caption;
    int flags = 0;
};

class ScriptedInteraction : public UserInteraction {
public:
    std::deque<int> answers;        // answers to Yes/No questions, in order; IDNO when empty
    std::deque<QString> openNames;  // open-dialog results; "" = cancel
    std::deque<QString> saveNames;  // save-dialog results; "" = cancel
    QList<AskedBox> boxes;
    QList<FileDialogRequest> openRequests, saveRequests;

    int messageBox(const QString &text, const QString &caption, int flags) override {
        boxes.append({text, caption, flags});
        if ((flags & 0xf) != MB_YESNO)
            return IDOK;
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return IDNO;
    }
    QString openFileName(const FileDialogRequest &request) override {
        openRequests.append(request);
        if (openNames.empty())
            return {};
        QString name = openNames.front();
        openNames.pop_front();
        return name;
    }
    QString saveFileName(const FileDialogRequest &request) override {
        saveRequests.append(request);
        if (saveNames.empty())
            return {};
        QString name = saveNames.front();
        saveNames.pop_front();
        return name;
    }
};

class AppFixture {
public:
    AppFixture() {
        SetApplicationIdentity();
        folder = dir.path() + QLatin1Char('/');
        QFile::copy(QStringLiteral(QM_PROGRAM_DIR "/QMKML.LLO"), folder + QStringLiteral("QMKML.LLO"));
        setProgramFolderForTesting(folder);
        setUserInteraction(&script);
        setScreenPixelsPerInchForTesting(96);
    }
    ~AppFixture() {
        form.reset();
        setUserInteraction(nullptr);
        setProgramFolderForTesting(QString());
        setScreenPixelsPerInchForTesting(0);
    }

    // Creates and shows the window and runs its first activation.
    TMainForm &start() {
        form = std::make_unique<TMainForm>();
        form->resize(900, 700);
        form->show();
        QApplication::setActiveWindow(form.get());
        form->FormActivate();
        QApplication::processEvents();
        return *form;
    }

    // A new page on the first catalogue layout (the 30-up address sheet), editor on label 1.
    void newPage(const QByteArray &layoutName = QByteArray()) {
        TQMKPagePanel &panel = *form->QuillmarkPanel;
        const QByteArray name =
            layoutName.isEmpty() ? panel.page().LayoutCatalogue().first().Description : layoutName;
        form->CheckSaveNeeded();
        panel.ClearAllLabels();
        panel.ApplyLayout(name, false);
        panel.show();
        form->SelectedLabel = 1;
        panel.setSelectedCell(1);
        panel.repaint();
        QApplication::processEvents();
        panel.ActivateLabel(1);
        form->UpdateControlStates();
        form->UpdateCaption();
    }

    // Clicks the middle of label n's writable area on the panel.
    void clickLabel(int n) {
        TQMKPagePanel &panel = *form->QuillmarkPanel;
        QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, panel.cellRects(n).rFree.center());
        QApplication::processEvents();
    }

    // Answers the next Select Layout dialog: selects the entry of that name and presses Ok, or
    // presses Cancel when the name is empty.
    void chooseLayoutNext(const QByteArray &name) {
        QTimer::singleShot(0, [name] {
            auto *dialog = qobject_cast<TSelectLayout *>(QApplication::activeModalWidget());
            QVERIFY2(dialog, "the Select Layout dialog is up");
            if (name.isEmpty()) {
                dialog->reject();
                return;
            }
            const QList<QListWidgetItem *> items =
                dialog->LayoutList->findItems(QString::fromLatin1(name), Qt::MatchExactly);
            QVERIFY2(!items.isEmpty(), name.constData());
            dialog->LayoutList->setCurrentItem(items.first());
            dialog->okbutton->click();
        });
    }

    // Keys go where the keyboard would send them: the focus widget (the editor's text surface).
    QWidget *keyTarget() const {
        // A modal dialog that just closed may leave no window active offscreen, where a
        // desktop would give the main window back its focus.
        if (!QApplication::focusWidget())
            QApplication::setActiveWindow(form.get());
        QWidget *focus = QApplication::focusWidget();
        return focus ? focus : form->WPRichText1;
    }
    void type(const QString &text) { QTest::keyClicks(keyTarget(), text); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(keyTarget(), key, modifiers);
    }

    QString labelText(int n) const {
        TWPRtfStorage *storage = form->QuillmarkPanel->LabelRichText(n);
        return storage ? storage->RtfText().toPlainText() : QStringLiteral("<none>");
    }

    QTemporaryDir dir;
    QString folder;  // ends in '/'
    ScriptedInteraction script;
    std::unique_ptr<TMainForm> form;
};

// The recent-file entries of the File menu: the actions after Exit, separators left out.
inline QList<QAction *> recentActions(TMainForm &form) {
    QList<QAction *> items;
    bool afterExit = false;
    for (QAction *action : form.FileMenu->actions()) {
        if (action == form.Exit1)
            afterExit = true;
        else if (afterExit && !action->isSeparator())
            items << action;
    }
    return items;
}

// The recent-file entry at index (0 = "&1 ..."), or null past the last one.
inline QAction *recentAction(TMainForm &form, int index) {
    return recentActions(form).value(index);
}

inline QStringList recentCaptions(TMainForm &form) {
    QStringList captions;
    for (QAction *action : recentActions(form))
        captions << action->text();
    return captions;
}
