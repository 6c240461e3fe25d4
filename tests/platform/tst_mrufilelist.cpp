// The recent-files list: order, case-insensitive de-duplication, the cut to Maximum, the File menu
// items, clicks, and its section in the ini file.
#include "platform/MRUFileList.h"
#include "platform/ProfileFile.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

class TestMRUFileList : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString ini() const { return m_dir.filePath(QStringLiteral("QMKML.ini")); }

    static QStringList captions(const TMRUFileList &list) {
        QStringList result;
        for (QAction *action : list.menuActions())
            result.append(action->isSeparator() ? QStringLiteral("---") : action->text());
        return result;
    }
    void setUp(TMRUFileList &list, QMenu *menu) {
        list.FileMenu = menu;
        list.Maximum = 5;
        list.RemoveOnClick = true;
        list.AutoSaveName = ini();
        list.AutoSaveKey = QStringLiteral("MRU");
    }
    static QByteArray bytes(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init() { QFile::remove(ini()); }

    void additions_data() {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("newest first") << QStringList{"/a.QMK", "/b.QMK"} << QStringList{"/b.QMK", "/a.QMK"};
        QTest::newRow("six leave five")
            << QStringList{"/1.QMK", "/2.QMK", "/3.QMK", "/4.QMK", "/5.QMK", "/6.QMK"}
            << QStringList{"/6.QMK", "/5.QMK", "/4.QMK", "/3.QMK", "/2.QMK"};
        QTest::newRow("re-adding moves to the top without a duplicate")
            << QStringList{"/1.QMK", "/2.QMK", "/3.QMK", "/4.QMK", "/5.QMK", "/6.QMK", "/4.QMK"}
            << QStringList{"/4.QMK", "/6.QMK", "/5.QMK", "/3.QMK", "/2.QMK"};
        QTest::newRow("matched without case, keeps the stored case")
            << QStringList{"/Home/Party.QMK", "/x.QMK", "/home/party.qmk"}
            << QStringList{"/Home/Party.QMK", "/x.QMK"};
    }
    void additions() {
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        QMenu menu;
        menu.addAction(QStringLiteral("E&xit"));
        TMRUFileList list;
        setUp(list, &menu);
        for (const QString &path : added)
            list.AddItem(path);
        QCOMPARE(list.Items(), expected);
        // Menu: the File menu's own item, then a separator and "&1 path", "&2 path", ...
        QStringList wanted{"---"};
        for (qsizetype i = 0; i < expected.size(); ++i)
            wanted.append(QStringLiteral("&%1 %2").arg(i + 1).arg(expected[i]));
        QCOMPARE(captions(list), wanted);
        QCOMPARE(menu.actions().size(), 1 + wanted.size());
        QCOMPARE(menu.actions().first()->text(), QStringLiteral("E&xit"));
        QCOMPARE(menu.actions().mid(1), list.menuActions());
    }

    void emptyListHasNoSeparator() {
        QMenu menu;
        menu.addAction(QStringLiteral("E&xit"));
        TMRUFileList list;
        setUp(list, &menu);
        list.AddItem(QStringLiteral("/only.QMK"));
        list.RemoveItem(QStringLiteral("/ONLY.qmk"));
        QVERIFY(list.IsEmpty());
        QCOMPARE(menu.actions().size(), 1);
    }

    void clickRemovesThenCallsBack() {
        QMenu menu;
        TMRUFileList list;
        setUp(list, &menu);
        list.AddItem(QStringLiteral("/old.QMK"));
        list.AddItem(QStringLiteral("/new.QMK"));
        QStringList itemsAtCallback;
        QString clicked;
        QObject *sender = nullptr;
        list.OnMRUItemClick = [&](QObject *s, const QString &path) {
            sender = s;
            clicked = path;
            itemsAtCallback = list.Items();
        };
        list.menuActions().at(2)->trigger();  // "&2 /old.QMK"
        QCOMPARE(clicked, QStringLiteral("/old.QMK"));
        QCOMPARE(sender, &list);
        QCOMPARE(itemsAtCallback, QStringList{"/new.QMK"});
        QCOMPARE(captions(list), (QStringList{"---", "&1 /new.QMK"}));

        list.RemoveOnClick = false;
        list.menuActions().at(1)->trigger();
        QCOMPARE(clicked, QStringLiteral("/new.QMK"));
        QCOMPARE(list.Items(), QStringList{"/new.QMK"});
    }

    void writeErasesThenWritesF0ToFn() {
        {
            QFile file(ini());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Zooming]\r\nMain=100\r\n[MRU]\r\nF0=/stale1\r\nF7=/stale2\r\n[Hints]\r\nOn=1\r\n");
        }
        TMRUFileList list;
        setUp(list, nullptr);
        for (const char *path : {"/1.QMK", "/2.QMK", "/3.QMK", "/4.QMK", "/5.QMK", "/6.QMK"})
            list.AddItem(QString::fromLatin1(path));
        list.Save();
        QCOMPARE(bytes(ini()), QByteArray("[Zooming]\r\nMain=100\r\n[Hints]\r\nOn=1\r\n[MRU]\r\nF0=/6.QMK\r\n"
                                          "F1=/5.QMK\r\nF2=/4.QMK\r\nF3=/3.QMK\r\nF4=/2.QMK\r\n"));
    }

    void readTakesEveryLineInOrderUncut() {
        {
            QFile file(ini());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(
                "[MRU]\nF3=/c.QMK\nF0=/a.QMK\nX=/b=odd.QMK\nno equals\nF9=\nF5=/d.QMK\nF6=/e.QMK\nF7=/f.QMK\n"
                "[Other]\nF0=/z.QMK\n");
        }
        QMenu menu;
        TMRUFileList list;
        setUp(list, &menu);
        list.Load();
        const QStringList read{"/c.QMK", "/a.QMK", "/b=odd.QMK", "/d.QMK", "/e.QMK", "/f.QMK"};
        QCOMPARE(list.Items(), read);
        QCOMPARE(captions(list).size(), 1 + read.size());
        list.AddItem(QStringLiteral("/g.QMK"));  // the next addition cuts
        QCOMPARE(list.Items(), (QStringList{"/g.QMK", "/c.QMK", "/a.QMK", "/b=odd.QMK", "/d.QMK"}));
    }

    void autoSaveOnDestruction() {
        {
            TMRUFileList list;
            setUp(list, nullptr);
            list.AutoSave = true;
            list.AddItem(QStringLiteral("/kept.QMK"));
        }
        QCOMPARE(ProfileFile(ini()).readSectionLines("MRU"), QStringList{"F0=/kept.QMK"});
        {
            TMRUFileList list;
            setUp(list, nullptr);
            list.AddItem(QStringLiteral("/not-kept.QMK"));
        }
        QCOMPARE(ProfileFile(ini()).readSectionLines("MRU"), QStringList{"F0=/kept.QMK"});
    }

    void destroyedMenuFirstIsHarmless() {
        auto *menu = new QMenu;
        TMRUFileList list;
        setUp(list, menu);
        list.AddItem(QStringLiteral("/a.QMK"));
        delete menu;
        list.AddItem(QStringLiteral("/b.QMK"));
        QCOMPARE(list.Items().size(), 2);
    }

    void submenuHoldsTheEntries() {
        QMenu menu;
        TMRUFileList list;
        setUp(list, &menu);
        list.UseSubmenu = true;
        list.AddItem(QStringLiteral("/a.QMK"));
        QVERIFY(list.submenu());
        QCOMPARE(menu.actions().size(), 2);
        QCOMPARE(list.submenu()->actions().size(), 1);
        QCOMPARE(list.submenu()->actions().first()->text(), QStringLiteral("&1 /a.QMK"));
    }
};

QTEST_MAIN(TestMRUFileList)
#include "tst_mrufilelist.moc"
