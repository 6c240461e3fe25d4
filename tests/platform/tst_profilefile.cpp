// The ini file's Windows private-profile semantics: what a write keeps, how values read, and that
// damaged files read what they can without harm.
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestProfileFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("test.ini")); }
    void put(const QByteArray &bytes) {
        QFile::remove(path());
        if (bytes.isNull())
            return;
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray got() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void writeKeepsEverythingElse_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("CR LF file: only the key's line changes")
            << QByteArray("; comment\r\n[A]\r\nx=1\r\nKey = old \r\ny=2\r\n\r\n[B]\r\nKey=b\r\n") << "A"
            << "Key"
            << "new" << QByteArray("; comment\r\n[A]\r\nx=1\r\nKey=new\r\ny=2\r\n\r\n[B]\r\nKey=b\r\n");
        QTest::newRow("section and key match without regard to case")
            << QByteArray("[Zooming]\nMAIN=5\nProp=30\n") << "zooming"
            << "Main"
            << "7" << QByteArray("[Zooming]\nMain=7\nProp=30\n");
        QTest::newRow("new key after the section's last line, before its blank lines")
            << QByteArray("[A]\nx=1\n\n[B]\ny=2\n") << "A"
            << "z"
            << "3" << QByteArray("[A]\nx=1\nz=3\n\n[B]\ny=2\n");
        QTest::newRow("new key in the last section, file without final line end")
            << QByteArray("[A]\r\nx=1") << "a"
            << "z"
            << "3" << QByteArray("[A]\r\nx=1\r\nz=3");
        QTest::newRow("new section appended at the end")
            << QByteArray("[A]\nx=1") << "Printer"
            << "TopMarginNudge"
            << "-20" << QByteArray("[A]\nx=1\n[Printer]\nTopMarginNudge=-20\n");
        QTest::newRow("CR-only line ends are kept and used") << QByteArray("[A]\rx=1\r") << "A"
                                                             << "y"
                                                             << "2" << QByteArray("[A]\rx=1\ry=2\r");
        QTest::newRow("duplicate sections: the first is written")
            << QByteArray("[A]\nk=1\n[a]\nk=2\n") << "A"
            << "k"
            << "9" << QByteArray("[A]\nk=9\n[a]\nk=2\n");
        QTest::newRow("a line break in the value cannot split the line")
            << QByteArray("[A]\nk=1\nm=2\n") << "A"
            << "k"
            << "a\nb" << QByteArray("[A]\nk=a b\nm=2\n");
        QTest::newRow("missing file is created with LF") << QByteArray() << "Zooming"
                                                         << "Main"
                                                         << "100" << QByteArray("[Zooming]\nMain=100\n");
        QTest::newRow("damage elsewhere is kept byte for byte")
            << QByteArray("\x00\xff\xfe junk\n[A]\nnoequals\nk=1\n[\n", 26) << "A"
            << "k"
            << "2" << QByteArray("\x00\xff\xfe junk\n[A]\nnoequals\nk=2\n[\n", 26);
    }
    void writeKeepsEverythingElse() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        put(before);
        ProfileFile(path()).writeString(section, key, value);
        QCOMPARE(got(), after);
    }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("expected");
        const int def = -777;
        QTest::newRow("decimal") << QByteArray("[S]\nk=42\n") << 42;
        QTest::newRow("negative") << QByteArray("[S]\nk=-250\n") << -250;
        QTest::newRow("plus sign") << QByteArray("[S]\nk=+7\n") << 7;
        QTest::newRow("blanks around are ignored") << QByteArray("[S]\n  K  =  12 \t\r\n") << 12;
        QTest::newRow("0x1F is hex") << QByteArray("[S]\nk=0x1F\n") << 31;
        QTest::newRow("0X1f is hex") << QByteArray("[S]\nk=0X1f\n") << 31;
        QTest::newRow("0x alone is not a number") << QByteArray("[S]\nk=0x\n") << def;
        QTest::newRow("0x with bad digits") << QByteArray("[S]\nk=0xG1\n") << def;
        QTest::newRow("$1F is hex") << QByteArray("[S]\nk=$1F\n") << 31;
        QTest::newRow("-$10 is negative hex") << QByteArray("[S]\nk=-$10\n") << -16;
        QTest::newRow("$ alone") << QByteArray("[S]\nk=$\n") << def;
        QTest::newRow("hex uses all 32 bits") << QByteArray("[S]\nk=0xFFFFFFFF\n") << -1;
        QTest::newRow("letters") << QByteArray("[S]\nk=abc\n") << def;
        QTest::newRow("digits then letters") << QByteArray("[S]\nk=12abc\n") << def;
        QTest::newRow("empty value") << QByteArray("[S]\nk=\n") << def;
        QTest::newRow("largest int") << QByteArray("[S]\nk=2147483647\n") << 2147483647;
        QTest::newRow("smallest int") << QByteArray("[S]\nk=-2147483648\n") << int(-2147483647 - 1);
        QTest::newRow("beyond 32 bits") << QByteArray("[S]\nk=2147483648\n") << def;
        QTest::newRow("hex beyond 32 bits") << QByteArray("[S]\nk=0x100000000\n") << def;
        QTest::newRow("missing key") << QByteArray("[S]\nother=1\n") << def;
        QTest::newRow("key in another section") << QByteArray("[T]\nk=1\n[S]\n") << def;
        QTest::newRow("key before any section") << QByteArray("k=1\n[S]\n") << def;
        QTest::newRow("missing file") << QByteArray() << def;
        QTest::newRow("duplicate keys: first wins") << QByteArray("[S]\nk=1\nk=2\n") << 1;
        QTest::newRow("duplicate sections: first wins") << QByteArray("[s]\nk=1\n[S]\nk=2\n") << 1;
        QTest::newRow("key after duplicate section only") << QByteArray("[S]\n[S]\nk=2\n") << def;
        QTest::newRow("NUL in the value") << QByteArray("[S]\nk=1\0002\n", 10) << def;
    }
    void readInteger() {
        QFETCH(QByteArray, file);
        QFETCH(int, expected);
        put(file);
        QCOMPARE(ProfileFile(path()).readInteger(QStringLiteral("S"), QStringLiteral("k"), -777), expected);
    }

    void readBoolAndString() {
        put("[S]\nt=2\nf=0\nword=yes\nempty=\nname = Times New Roman \r\n");
        const ProfileFile ini(path());
        QCOMPARE(ini.readBool("S", "t", false), true);
        QCOMPARE(ini.readBool("S", "f", true), false);
        QCOMPARE(ini.readBool("S", "word", true), true);
        QCOMPARE(ini.readBool("S", "word", false), false);
        QCOMPARE(ini.readString("S", "name", "x"), QStringLiteral("Times New Roman"));
        QCOMPARE(ini.readString("S", "empty", "x"), QString());
        QCOMPARE(ini.readString("S", "missing", "x"), QStringLiteral("x"));
    }

    void readStringIsCutAt1023Characters() {
        const QByteArray longValue(5000, 'a');
        put("[S]\nk=" + longValue + "\nnext=1\n");
        const ProfileFile ini(path());
        QCOMPARE(ini.readString("S", "k", QString()), QString(1023, u'a'));
        QCOMPARE(ini.readInteger("S", "next", 0), 1);
    }

    void damagedFilesReadWhatTheyCan_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("expected");           // S/k, -1 when not found
        QTest::addColumn<QByteArray>("afterWrite");  // after writing S/k=6
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 37 + 11) & 0xff);
        const auto found = [](const QByteArray &file) { return QByteArray(file).replace("k=5", "k=6"); };
        const QByteArray binary = garbage + "\n[S]\nk=5\n";
        QTest::newRow("binary garbage before the section") << binary << 5 << found(binary);
        const QByteArray nuls("\0\0[X]\0\n[S]\nk=5\n\0", 20);
        QTest::newRow("NUL bytes around") << nuls << 5 << found(nuls);
        const QByteArray longLine = QByteArray(10 * 1024 * 1024, 'x') + "\n[S]\nk=5\n";
        QTest::newRow("10 MB line") << longLine << 5 << found(longLine);
        const QByteArray utf8("[S]\n\xc3\x28=\xff\nk=5\n");
        QTest::newRow("invalid UTF-8") << utf8 << 5 << found(utf8);
        // "[S" opens a section "S" (the rest of the line is its name), "[" one without a name.
        QTest::newRow("keys without = and unclosed brackets")
            << QByteArray("[S\nfoo\n[S]\nbar\n[\nk=5\n") << -1
            << QByteArray("[S\nfoo\nk=6\n[S]\nbar\n[\nk=5\n");
    }
    void damagedFilesReadWhatTheyCan() {
        QFETCH(QByteArray, file);
        QFETCH(int, expected);
        QFETCH(QByteArray, afterWrite);
        put(file);
        ProfileFile ini(path());
        QCOMPARE(ini.readInteger("S", "k", -1), expected);
        ini.writeInteger("S", "k", 6);
        QCOMPARE(ini.readInteger("S", "k", 0), 6);
        QVERIFY(got() == afterWrite);
    }

    void sectionLinesInFileOrder() {
        put("[MRU]\r\nF1=/b/second.QMK\r\n; a comment\r\n\r\nX=/c/third=odd.QMK\r\nbare line\r\n[Other]\r\n"
            "F0=/other\r\n[mru]\r\nF0=/dup\r\n");
        QCOMPARE(ProfileFile(path()).readSectionLines("mru"),
                 QStringList({"F1=/b/second.QMK", "X=/c/third=odd.QMK", "bare line"}));
        QCOMPARE(ProfileFile(path()).readSectionLines("none"), QStringList());
    }

    void eraseSectionRemovesEveryCopy() {
        put("; top\r\n[MRU]\r\nF0=a\r\n[Keep]\r\nk=1\r\n[mru]\r\nF0=b\r\n");
        ProfileFile ini(path());
        ini.eraseSection("Mru");
        QCOMPARE(got(), QByteArray("; top\r\n[Keep]\r\nk=1\r\n"));
        ini.writeString("MRU", "F0", "c");
        QCOMPARE(got(), QByteArray("; top\r\n[Keep]\r\nk=1\r\n[MRU]\r\nF0=c\r\n"));
        ini.eraseSection("absent");
        QCOMPARE(got(), QByteArray("; top\r\n[Keep]\r\nk=1\r\n[MRU]\r\nF0=c\r\n"));
    }

    // Writes go through a new file renamed over the old: the link and the permissions must stay.
    void writeKeepsLinkAndPermissions() {
        const QString real = m_dir.filePath(QStringLiteral("real.ini"));
        const QString link = m_dir.filePath(QStringLiteral("link.ini"));
        {
            QFile file(real);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[A]\nk=1\n");
        }
        QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFileDevice::Permissions before = QFileInfo(real).permissions();
        QVERIFY(QFile::link(real, link));
        ProfileFile(link).writeInteger("A", "k", 2);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ProfileFile(real).readInteger("A", "k", 0), 2);
        QCOMPARE(QFileInfo(real).permissions(), before);
        QCOMPARE(QDir(m_dir.path()).entryList({"real.ini.*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    void refusedWriteRaisesWithTheFullPath_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("folder does not exist") << m_dir.filePath("missing/QMKML.ini");
        QTest::newRow("name is a folder") << m_dir.filePath("folder.ini");
    }
    void refusedWriteRaisesWithTheFullPath() {
        QFETCH(QString, file);
        QDir(m_dir.path()).mkdir("folder.ini");
        ProfileFile ini(file);
        try {
            ini.writeInteger("S", "k", 1);
            QFAIL("no error raised");
        } catch (const ProfileWriteError &error) {
            QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + file);
        }
        QCOMPARE(ini.readInteger("S", "k", 3), 3);
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
