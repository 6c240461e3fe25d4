// The preferences in the ini file: every key's default and hand-edited value, the round trip, the
// bytes and section order of a new file, what a save keeps, a refused write; and the font dialog
// as the source of the default font.
#include "app/Preferences.h"
#include "platform/FontDialog.h"
#include "platform/Identity.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QVariant field(const Preferences &p, const QString &name) {
    if (name == "ZoomMain")
        return p.ZoomMain;
    if (name == "ZoomProp")
        return p.ZoomProp;
    if (name == "TopMarginNudge")
        return TopMarginNudge;
    if (name == "LeftMarginNudge")
        return LeftMarginNudge;
    if (name == "VerticalSpacing")
        return VerticalSpacing;
    if (name == "HorizontalSpacing")
        return HorizontalSpacing;
    if (name == "DefaultFontName")
        return p.DefaultFontName;
    if (name == "DefaultFontSize")
        return p.DefaultFontSize;
    if (name == "DefaultFontBold")
        return p.DefaultFontBold;
    if (name == "DefaultFontItalic")
        return p.DefaultFontItalic;
    if (name == "DefaultFontUnderline")
        return p.DefaultFontUnderline;
    if (name == "DefaultFontStrikeout")
        return p.DefaultFontStrikeout;
    if (name == "DefaultFontColor")
        return p.DefaultFontColor;
    if (name == "ShowHints")
        return p.ShowHints;
    return {};
}
}  // namespace

class TestPreferences : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    void write(const QByteArray &bytes) {
        QFile file(IniFileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray contents() {
        QFile file(IniFileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static Preferences loaded() {
        Preferences p;
        p.ZoomMain = p.ZoomProp = p.DefaultFontSize = p.DefaultFontColor = -12345;  // must be overwritten
        TopMarginNudge = LeftMarginNudge = VerticalSpacing = HorizontalSpacing = -12345;
        LoadPreferences(p);
        return p;
    }

private slots:
    void initTestCase() {
        SetApplicationIdentity();
        setProgramFolderForTesting(m_dir.path());
    }
    void init() { QFile::remove(IniFileName()); }

    void eachKey_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        struct Key {
            const char *section, *key, *field;
            QVariant byDefault, edited;
            const char *editedText;
        };
        const Key keys[] = {
            {"Zooming", "Main", "ZoomMain", 100, 31, "0x1F"},
            {"Zooming", "Prop", "ZoomProp", 30, 45, "45"},
            {"Printer", "TopMarginNudge", "TopMarginNudge", 0, 1000, "1000"},
            {"Printer", "LeftMarginNudge", "LeftMarginNudge", 0, -250, "-250"},
            {"Printer", "VerticalSpacing", "VerticalSpacing", 0, 16, "$10"},
            {"Printer", "HorizontalSpacing", "HorizontalSpacing", 0, -3, "-3"},
            {"Default Font", "Name", "DefaultFontName", "Arial", "Courier New", "Courier New"},
            {"Default Font", "Size", "DefaultFontSize", 10, 14, "14"},
            {"Default Font", "Bold", "DefaultFontBold", false, true, "1"},
            {"Default Font", "Italic", "DefaultFontItalic", false, true, "5"},
            {"Default Font", "Underline", "DefaultFontUnderline", false, true, "1"},
            {"Default Font", "Strikeout", "DefaultFontStrikeout", false, true, "1"},
            {"Default Font", "Color", "DefaultFontColor", 0, 255, "255"},
            {"Hints", "On", "ShowHints", true, false, "0"},
        };
        for (const Key &k : keys) {
            const QByteArray head = QByteArray("[") + k.section + "]\r\n" + k.key + "=";
            QTest::addRow("%s default", k.field) << QByteArray() << k.field << k.byDefault;
            QTest::addRow("%s empty value", k.field)
                << head + "\r\n"
                << k.field << (QByteArray(k.key) == "Name" ? QVariant(QString()) : k.byDefault);
            QTest::addRow("%s edited", k.field) << head + k.editedText + "\r\n" << k.field << k.edited;
            if (QByteArray(k.key) != "Name")
                QTest::addRow("%s letters", k.field) << head + "abc\r\n" << k.field << k.byDefault;
        }
    }
    void eachKey() {
        QFETCH(QByteArray, file);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        if (!file.isEmpty())
            write(file);
        const Preferences p = loaded();
        QCOMPARE(::field(p, field), expected);
    }

    void newFileBytesAndSectionOrder() {
        Preferences p;
        TopMarginNudge = LeftMarginNudge = VerticalSpacing = HorizontalSpacing = 0;
        TFontDialog dialog;  // starts as Arial 10 black
        SavePreferences(p, dialog);
        QCOMPARE(contents(), QByteArray("[Zooming]\nMain=100\nProp=30\n"
                                        "[Default Font]\nName=Arial\nSize=10\nBold=0\nItalic=0\nUnderline=0\n"
                                        "Strikeout=0\nColor=0\n"
                                        "[Printer]\nTopMarginNudge=0\nLeftMarginNudge=0\nVerticalSpacing=0\n"
                                        "HorizontalSpacing=0\n"
                                        "[Hints]\nOn=1\n"));
    }

    void roundTrip() {
        Preferences p;
        p.ZoomMain = 250;
        p.ZoomProp = 31;
        p.ShowHints = false;
        TopMarginNudge = -40;
        LeftMarginNudge = 500;
        VerticalSpacing = -500;
        HorizontalSpacing = 7;
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPointSize(13);
        font.setUnderline(true);
        font.setStrikeOut(true);
        SavePreferences(p, font, QColor(0x12, 0x34, 0x56));
        QCOMPARE(p.DefaultFontColor, 0x563412);
        const Preferences back = loaded();
        QCOMPARE(back.ZoomMain, 250);
        QCOMPARE(back.ZoomProp, 31);
        QCOMPARE(back.ShowHints, false);
        QCOMPARE(TopMarginNudge, -40);
        QCOMPARE(LeftMarginNudge, 500);
        QCOMPARE(VerticalSpacing, -500);
        QCOMPARE(HorizontalSpacing, 7);
        QCOMPARE(back.DefaultFontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(back.DefaultFontSize, 13);
        QCOMPARE(back.DefaultFontBold, false);
        QCOMPARE(back.DefaultFontItalic, false);
        QCOMPARE(back.DefaultFontUnderline, true);
        QCOMPARE(back.DefaultFontStrikeout, true);
        QCOMPARE(DefaultFontColour(back), QColor(0x12, 0x34, 0x56));
        const QFont again = DefaultFont(back);
        QVERIFY(again.strikeOut() && again.underline() && !again.bold());
        QCOMPARE(again.pointSize(), 13);
    }

    void fontDialogChoiceIsWhatIsSaved() {
        TFontDialog dialog;
        QCOMPARE(dialog.currentFont().family(), QStringLiteral("Arial"));
        QCOMPARE(dialog.currentFont().pointSize(), 10);
        QCOMPARE(dialog.color(), QColor(Qt::black));
        QFont chosen(QStringLiteral("Times New Roman"));
        chosen.setPointSize(12);
        chosen.setBold(true);
        chosen.setItalic(true);
        dialog.setCurrentFont(chosen);
        Preferences p;
        SavePreferences(p, dialog);
        const ProfileFile ini(IniFileName());
        QCOMPARE(ini.readString("Default Font", "Name", {}), QStringLiteral("Times New Roman"));
        QCOMPARE(ini.readString("Default Font", "Size", {}), QStringLiteral("12"));
        QCOMPARE(ini.readString("Default Font", "Bold", {}), QStringLiteral("1"));
        QCOMPARE(ini.readString("Default Font", "Italic", {}), QStringLiteral("1"));
        QCOMPARE(ini.readString("Default Font", "Underline", {}), QStringLiteral("0"));
        QCOMPARE(ini.readString("Default Font", "Strikeout", {}), QStringLiteral("0"));
    }

    void loadedFontOpensTheDialog() {
        write("[Default Font]\nName=Courier New\nSize=9\nStrikeout=1\nColor=$FF0000\n");
        const Preferences p = loaded();
        TFontDialog dialog;
        ApplyDefaultFont(p, dialog);
        QCOMPARE(dialog.currentFont().family(), QStringLiteral("Courier New"));
        QCOMPARE(dialog.currentFont().pointSize(), 9);
        QVERIFY(dialog.strikeoutBox()->isChecked());
        QVERIFY(!dialog.boldBox()->isChecked());
        QCOMPARE(dialog.color(), QColor(0, 0, 255));  // blue lives in the third byte
        QCOMPARE(dialog.colourBox()->currentText(), QStringLiteral("Blue"));
    }

    void colourOutsideTheSixteenIsKept() {
        TFontDialog dialog;
        QCOMPARE(dialog.colourBox()->count(), 16);
        dialog.setColor(QColor(1, 2, 3));
        QCOMPARE(dialog.color(), QColor(1, 2, 3));
        QCOMPARE(ColorToWindows(dialog.color()), 0x030201);
    }

    void saveKeepsTheOtherSections() {
        const QByteArray mine("[MRU]\r\nF0=/home/a.QMK\r\n[TMainForm_Placement]\r\nLeft=1\r\n");
        write(mine + "[Zooming]\r\nMain=80\r\n");
        Preferences p;
        p.ZoomMain = 120;
        SavePreferences(p, QFont(QStringLiteral("Arial"), 10), Qt::black);
        const QByteArray after = contents();
        QVERIFY(after.startsWith(mine + "[Zooming]\r\nMain=120\r\nProp=30\r\n[Default Font]\r\n"));
    }

    void refusedWriteRaises() {
        setProgramFolderForTesting(m_dir.filePath(QStringLiteral("gone")));
        Preferences p;
        QString message;
        try {
            SavePreferences(p, QFont(QStringLiteral("Arial"), 10), Qt::black);
        } catch (const ProfileWriteError &error) {
            message = error.message();
        }
        QCOMPARE(message,
                 QStringLiteral("Unable to write to ") + m_dir.filePath(QStringLiteral("gone/QMKML.ini")));
        setProgramFolderForTesting(m_dir.path());
    }
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
