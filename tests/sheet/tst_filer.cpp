// The filer value stream: bytes of every value the program writes, and what the reader accepts
// and rejects, with the exact messages.
#include "sheet/ComponentRecord.h"
#include "sheet/Filer.h"

#include <QBuffer>
#include <QTest>
#include <functional>

namespace {

QByteArray hex(const char *text) {
    return QByteArray::fromHex(text);
}

template <typename F>
QByteArray written(F write) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FilerWriter writer(buffer);
    write(writer);
    return buffer.data();
}

// Runs a read over the bytes and returns the error message, or "" when it succeeded.
QString readError(const QByteArray &bytes, const std::function<void(FilerReader &)> &read) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    FilerReader reader(buffer);
    try {
        read(reader);
    } catch (const FilerError &error) {
        return error.message();
    }
    return QString();
}

// A buffer that remembers the largest single read the reader asked of it.
class RecordingBuffer : public QBuffer {
public:
    qint64 largestRequest = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override {
        largestRequest = std::max(largestRequest, maxSize);
        return QBuffer::readData(data, maxSize);
    }
};

// A component with one of each kind of property: published integer "Tag", string "Name",
// object "Font" (published integer "Size", defined binary "Glyphs"), and its own defined
// binary "Data".
class Probe : public FilerComponent {
public:
    struct Font : FilerObject {
        std::int32_t size = 0;
        QByteArray glyphs;
        bool hasGlyphs = false;
        void writeProperties(FilerPropertySink &out) const override {
            if (size)
                out.integer("Size", size);
            if (hasGlyphs)
                out.binary("Glyphs", glyphs);
        }
        PropertyKind publishedProperty(QByteArrayView name) const override {
            return name == "Size" ? PropertyKind::Integer : PropertyKind::None;
        }
        void setInteger(QByteArrayView, std::int32_t value) override { size = value; }
        bool readDefinedProperty(QByteArrayView name, FilerReader &in) override {
            if (name != "Glyphs")
                return false;
            glyphs = in.readBinary();
            hasGlyphs = true;
            return true;
        }
    };

    std::int32_t tag = 0;
    QByteArray componentName;
    QByteArray data;
    bool hasData = false;
    bool loadedCalled = false;
    Font font;

    QByteArray className() const override { return "TProbe"; }
    void setComponentName(const QByteArray &name) override { componentName = name; }
    void loaded() override { loadedCalled = true; }
    void writeProperties(FilerPropertySink &out) const override {
        if (tag)
            out.integer("Tag", tag);
        out.object("Font", font);
        if (hasData)
            out.binary("Data", data);
    }
    PropertyKind publishedProperty(QByteArrayView name) const override {
        if (name == "Tag")
            return PropertyKind::Integer;
        if (name == "Name")
            return PropertyKind::String;
        if (name == "Font")
            return PropertyKind::Object;
        return PropertyKind::None;
    }
    FilerObject *objectProperty(QByteArrayView name) override { return name == "Font" ? &font : nullptr; }
    void setInteger(QByteArrayView, std::int32_t value) override { tag = value; }
    bool readDefinedProperty(QByteArrayView name, FilerReader &in) override {
        if (name != "Data")
            return false;
        data = in.readBinary();
        hasData = true;
        return true;
    }
};

const QByteArray kProbeHead = QByteArray("TPF0") + hex("06") + "TProbe" + hex("00");

}  // namespace

class TestFiler : public QObject {
    Q_OBJECT
private slots:
    void integerTakesNarrowestWidth_data();
    void integerTakesNarrowestWidth();
    void stringForms_data();
    void stringForms();
    void readerAcceptsEveryIntegerWidth_data();
    void readerAcceptsEveryIntegerWidth();
    void readerRejects_data();
    void readerRejects();
    void lengthFieldsAreCheckedBeforeReading_data();
    void lengthFieldsAreCheckedBeforeReading();
    void readerStopsAfterLastValueConsumed();
    void componentRecordBytes_data();
    void componentRecordBytes();
    void componentRecordReading_data();
    void componentRecordReading();
    void longNamesAreCut();
    void writeFailureIsReported();
};

void TestFiler::integerTakesNarrowestWidth_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("1") << 1 << hex("02 01");
    QTest::newRow("33") << 33 << hex("02 21");
    QTest::newRow("-1") << -1 << hex("02 FF");
    QTest::newRow("127 still one byte") << 127 << hex("02 7F");
    QTest::newRow("-128 still one byte") << -128 << hex("02 80");
    QTest::newRow("128 needs two") << 128 << hex("03 80 00");
    QTest::newRow("-129 needs two") << -129 << hex("03 7F FF");
    QTest::newRow("1000") << 1000 << hex("03 E8 03");
    QTest::newRow("8500") << 8500 << hex("03 34 21");
    QTest::newRow("32767 still two") << 32767 << hex("03 FF 7F");
    QTest::newRow("-32768 still two") << -32768 << hex("03 00 80");
    QTest::newRow("32768 needs four") << 32768 << hex("04 00 80 00 00");
    QTest::newRow("-32769 needs four") << -32769 << hex("04 FF 7F FF FF");
    QTest::newRow("int max") << std::numeric_limits<int>::max() << hex("04 FF FF FF 7F");
    QTest::newRow("int min") << std::numeric_limits<int>::min() << hex("04 00 00 00 80");
}

void TestFiler::integerTakesNarrowestWidth() {
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);
    QCOMPARE(written([&](FilerWriter &w) { w.writeInteger(value); }).toHex(' '), bytes.toHex(' '));
    std::int32_t back = 0;
    QCOMPARE(readError(bytes, [&](FilerReader &r) { back = r.readInteger(); }), QString());
    QCOMPARE(back, value);
}

void TestFiler::stringForms_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("head");
    QTest::newRow("empty") << QByteArray() << hex("06 00");
    QTest::newRow("255 bytes stay short") << QByteArray(255, 'x') << hex("06 FF");
    QTest::newRow("256 bytes go long") << QByteArray(256, 'y') << hex("0C 00 01 00 00");
    QTest::newRow("8-bit bytes unchanged") << QByteArray("Caf\xe9 \x80\x01") << hex("06 07");
}

void TestFiler::stringForms() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, head);
    const QByteArray bytes = written([&](FilerWriter &w) { w.writeString(text); });
    QCOMPARE(bytes, head + text);
    QByteArray back;
    QCOMPARE(readError(bytes, [&](FilerReader &r) { back = r.readString(); }), QString());
    QCOMPARE(back, text);
}

void TestFiler::readerAcceptsEveryIntegerWidth_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("value");
    QTest::newRow("5 in two bytes") << hex("03 05 00") << 5;
    QTest::newRow("5 in four bytes") << hex("04 05 00 00 00") << 5;
    QTest::newRow("-1 in two bytes") << hex("03 FF FF") << -1;
    QTest::newRow("-1 in four bytes") << hex("04 FF FF FF FF") << -1;
    QTest::newRow("-2 sign-extended from one byte") << hex("02 FE") << -2;
}

void TestFiler::readerAcceptsEveryIntegerWidth() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, value);
    std::int32_t back = 0;
    QCOMPARE(readError(bytes, [&](FilerReader &r) { back = r.readInteger(); }), QString());
    QCOMPARE(back, value);
}

void TestFiler::readerRejects_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("message");
    const QString readErr = QStringLiteral("Stream read error");
    const QString badValue = QStringLiteral("Invalid property value");
    QTest::newRow("integer where a string is") << hex("06 01 41") << "integer" << badValue;
    QTest::newRow("integer where an extended real is")
        << hex("05 00 00 00 00 00 00 00 00 00 00") << "integer" << badValue;
    QTest::newRow("integer where an identifier is") << hex("07 01 41") << "integer" << badValue;
    QTest::newRow("integer where false is") << hex("08") << "integer" << badValue;
    QTest::newRow("integer where true is") << hex("09") << "integer" << badValue;
    QTest::newRow("integer where a set is") << hex("0B 00") << "integer" << badValue;
    QTest::newRow("integer where nil is") << hex("0D") << "integer" << badValue;
    QTest::newRow("integer where a collection is") << hex("0E 00") << "integer" << badValue;
    QTest::newRow("string where an integer is") << hex("02 01") << "string" << badValue;
    QTest::newRow("string where an identifier is") << hex("07 01 41") << "string" << badValue;
    QTest::newRow("list begin where a list end is") << hex("00") << "listBegin" << badValue;
    QTest::newRow("list end where a list begins") << hex("01") << "listEnd" << badValue;
    QTest::newRow("binary where a string is") << hex("06 00") << "binary" << badValue;
    QTest::newRow("nothing left for an integer") << QByteArray() << "integer" << readErr;
    QTest::newRow("integer cut inside") << hex("03 01") << "integer" << readErr;
    QTest::newRow("four-byte integer cut inside") << hex("04 01 02 03") << "integer" << readErr;
    QTest::newRow("string shorter than its length") << hex("06 05 41 42") << "string" << readErr;
    QTest::newRow("long string length cut inside") << hex("0C 00 01") << "string" << readErr;
    QTest::newRow("nothing left for a list end") << QByteArray() << "listEnd" << readErr;
    QTest::newRow("end-of-list test at the end") << QByteArray() << "endOfList" << readErr;
}

void TestFiler::readerRejects() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, read);
    QFETCH(QString, message);
    const QString got = readError(bytes, [&](FilerReader &r) {
        if (read == "integer")
            r.readInteger();
        else if (read == "string")
            r.readString();
        else if (read == "binary")
            r.readBinary();
        else if (read == "listBegin")
            r.readListBegin();
        else if (read == "listEnd")
            r.readListEnd();
        else if (read == "endOfList")
            r.endOfList();
    });
    QCOMPARE(got, message);
}

void TestFiler::lengthFieldsAreCheckedBeforeReading_data() {
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<bool>("binary");
    QTest::newRow("long string claims 2 GB") << hex("0C 00 00 00 80") << false;
    QTest::newRow("long string claims 4 GB - 1") << hex("0C FF FF FF FF") << false;
    QTest::newRow("binary block claims 2 GB") << hex("0A FF FF FF 7F") << true;
    QTest::newRow("binary block one byte too long") << hex("0A 60 00 00 00") << true;
}

void TestFiler::lengthFieldsAreCheckedBeforeReading() {
    QFETCH(QByteArray, head);
    QFETCH(bool, binary);
    RecordingBuffer buffer;
    buffer.setData(head + QByteArray(95, 'z'));  // 100 bytes in all
    buffer.open(QIODevice::ReadOnly);
    FilerReader reader(buffer);
    QString message;
    try {
        binary ? reader.readBinary() : reader.readString();
    } catch (const FilerError &error) {
        message = error.message();
    }
    QCOMPARE(message, QStringLiteral("Stream read error"));
    QVERIFY2(buffer.largestRequest <= 100, qPrintable(QString::number(buffer.largestRequest)));
}

void TestFiler::readerStopsAfterLastValueConsumed() {
    // A complete value followed by the end of input: the value reads, the next read fails, and
    // the end-of-list test does not consume.
    QBuffer buffer;
    buffer.setData(hex("01 02 07 00"));
    buffer.open(QIODevice::ReadOnly);
    FilerReader reader(buffer);
    reader.readListBegin();
    QVERIFY(!reader.endOfList());
    QCOMPARE(reader.readInteger(), 7);
    QVERIFY(reader.endOfList());
    QVERIFY(reader.endOfList());
    reader.readListEnd();
    QCOMPARE(buffer.pos(), 4);
    QVERIFY_THROWS_EXCEPTION(FilerError, reader.readInteger());
}

void TestFiler::componentRecordBytes_data() {
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("properties");
    QTest::newRow("nothing stored: two zero bytes after the name") << 0 << 0 << QByteArray() << QByteArray();
    QTest::newRow("published integer") << 300 << 0 << QByteArray() << hex("03") + "Tag" + hex("03 2C 01");
    QTest::newRow("object property by path")
        << 0 << 12 << QByteArray() << hex("09") + "Font.Size" + hex("02 0C");
    QTest::newRow("defined binary") << 0 << 0 << QByteArray("ab")
                                    << hex("04") + "Data" + hex("0A 02 00 00 00") + "ab";
    QTest::newRow("published before defined")
        << 5 << 0 << QByteArray("")
        << hex("03") + "Tag" + hex("02 05") + hex("04") + "Data" + hex("0A 00 00 00 00");
}

void TestFiler::componentRecordBytes() {
    QFETCH(int, tag);
    QFETCH(int, fontSize);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, properties);
    Probe probe;
    probe.tag = tag;
    probe.font.size = fontSize;
    probe.data = data;
    probe.hasData = !data.isNull();
    const QByteArray bytes = written([&](FilerWriter &w) { w.writeRootComponent(probe); });
    QCOMPARE(bytes.toHex(' '), (kProbeHead + properties + hex("00 00")).toHex(' '));

    Probe back;
    QCOMPARE(readError(bytes, [&](FilerReader &r) { r.readRootComponent(back); }), QString());
    QCOMPARE(back.tag, tag);
    QCOMPARE(back.font.size, fontSize);
    QCOMPARE(back.hasData, probe.hasData);
    QCOMPARE(back.data, probe.hasData ? data : QByteArray());
    QVERIFY(back.loadedCalled);
}

void TestFiler::componentRecordReading_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("tag");
    const QByteArray end = hex("00 00");
    const QByteArray tagIs9 = hex("03") + "Tag" + hex("02 09");
    QTest::newRow("class name is not looked up")
        << QByteArray("TPF0") + hex("05") + "TNone" + hex("00") + tagIs9 + end << "" << 9;
    QTest::newRow("inheritance prefix without position")
        << QByteArray("TPF0") + hex("F1") + kProbeHead.mid(4) + tagIs9 + end << "" << 9;
    QTest::newRow("inheritance prefix with position")
        << QByteArray("TPF0") + hex("F2 03 10 27") + kProbeHead.mid(4) + tagIs9 + end << "" << 9;
    QTest::newRow("component name is read")
        << QByteArray("TPF0") + hex("06") + "TProbe" + hex("02") + "xy" + end << "" << 0;
    QTest::newRow("integer property in four bytes")
        << kProbeHead + hex("03") + "Tag" + hex("04 09 00 00 00") + end << "" << 9;
    QTest::newRow("wrong signature") << QByteArray("TPF1") + kProbeHead.mid(4) + end
                                     << "Invalid stream format" << 0;
    QTest::newRow("signature cut off") << QByteArray("TP") << "Stream read error" << 0;
    QTest::newRow("unknown property")
        << kProbeHead + hex("04") + "Nope" + hex("02 01") + end << "Property does not exist" << 0;
    QTest::newRow("unknown first part of a path")
        << kProbeHead + hex("06") + "Nope.X" + hex("02 01") + end << "Property does not exist" << 0;
    QTest::newRow("path through an integer")
        << kProbeHead + hex("05") + "Tag.X" + hex("02 01") + end << "Invalid property path" << 0;
    QTest::newRow("unknown last part of a path")
        << kProbeHead + hex("06") + "Font.X" + hex("02 01") + end << "Property does not exist" << 0;
    QTest::newRow("string value for an integer property")
        << kProbeHead + hex("03") + "Tag" + hex("06 00") + end << "Invalid property value" << 0;
    QTest::newRow("defined binary needs tag 10")
        << kProbeHead + hex("04") + "Data" + hex("06 00") + end << "Invalid property value" << 0;
    QTest::newRow("binary inside an object by path")
        << kProbeHead + hex("0B") + "Font.Glyphs" + hex("0A 01 00 00 00 41") + end << "" << 0;
    QTest::newRow("binary longer than the record")
        << kProbeHead + hex("04") + "Data" + hex("0A 10 00 00 00 41") + end << "Stream read error" << 0;
    QTest::newRow("child record: no class is registered")
        << kProbeHead + hex("00") + hex("06") + "TChild" + hex("00 00 00 00") << "Class TChild not found"
        << 0;
    QTest::newRow("child record with prefix")
        << kProbeHead + hex("00 F0 04") + "TKid" + hex("00 00 00 00") << "Class TKid not found" << 0;
    QTest::newRow("ends before the properties end") << kProbeHead + tagIs9 << "Stream read error" << 0;
    QTest::newRow("ends before the children end") << kProbeHead + hex("00") << "Stream read error" << 0;
}

void TestFiler::componentRecordReading() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(int, tag);
    Probe probe;
    QCOMPARE(readError(bytes, [&](FilerReader &r) { r.readRootComponent(probe); }), message);
    if (message.isEmpty())
        QCOMPARE(probe.tag, tag);
}

void TestFiler::longNamesAreCut() {
    const QByteArray name(300, 'n');
    const QByteArray bytes = written([&](FilerWriter &w) { w.writeShortName(name); });
    QCOMPARE(bytes, hex("FF") + name.left(255));
}

void TestFiler::writeFailureIsReported() {
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    FilerWriter writer(readOnly);
    QString message;
    try {
        writer.writeInteger(1);
    } catch (const FilerError &error) {
        message = error.message();
    }
    QCOMPARE(message, QStringLiteral("Stream write error"));
}

QTEST_APPLESS_MAIN(TestFiler)
#include "tst_filer.moc"
