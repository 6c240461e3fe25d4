#include "ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

ProfileWriteError::ProfileWriteError(const QString &path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString()), m_path(path) {}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// One physical line of the file: [start, end) is its text, [end, next) its line end.
struct Line {
    qsizetype start;
    qsizetype end;
    qsizetype next;
};

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QString name;  // section name or key, without surrounding blanks
    qsizetype valueStart = 0, valueEnd = 0;
};

Line lineAt(const QByteArray &data, qsizetype start) {
    const qsizetype size = data.size();
    const char *p = data.constData();
    qsizetype end = start;
    while (end < size && p[end] != '\n' && p[end] != '\r')
        ++end;
    qsizetype next = end;
    if (next < size && p[next] == '\r')
        ++next;
    if (next < size && p[next] == '\n' && (next == end || p[next - 1] == '\r'))
        ++next;
    return {start, end, next};
}

void trim(const char *p, qsizetype &from, qsizetype &to) {
    while (from < to && isBlank(p[from]))
        ++from;
    while (to > from && isBlank(p[to - 1]))
        --to;
}

ParsedLine parseLine(const QByteArray &data, const Line &line) {
    ParsedLine result;
    const char *p = data.constData();
    qsizetype from = line.start, to = line.end;
    trim(p, from, to);
    if (from == to || p[from] == ';')
        return result;
    if (p[from] == '[') {
        qsizetype nameEnd = from + 1;
        while (nameEnd < to && p[nameEnd] != ']')
            ++nameEnd;
        qsizetype nameStart = from + 1;
        trim(p, nameStart, nameEnd);
        result.kind = LineKind::Section;
        result.name = QString::fromUtf8(p + nameStart, nameEnd - nameStart);
        return result;
    }
    qsizetype equals = from;
    while (equals < to && p[equals] != '=')
        ++equals;
    if (equals == to)
        return result;  // no "=": not a key
    qsizetype keyEnd = equals;
    qsizetype keyStart = from;
    trim(p, keyStart, keyEnd);
    result.kind = LineKind::Key;
    result.name = QString::fromUtf8(p + keyStart, keyEnd - keyStart);
    result.valueStart = equals + 1;
    result.valueEnd = to;
    trim(p, result.valueStart, result.valueEnd);
    return result;
}

bool sameName(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section lies, as byte offsets: its header line, its first line after the header, and the
// start of the next section header (or the end of the data).
struct SectionRange {
    qsizetype header = -1;
    qsizetype body = -1;
    qsizetype end = -1;
    bool found() const { return header >= 0; }
};

SectionRange findSection(const QByteArray &data, const QString &section, qsizetype from) {
    SectionRange range;
    for (qsizetype at = from; at < data.size();) {
        const Line line = lineAt(data, at);
        const ParsedLine parsed = parseLine(data, line);
        if (parsed.kind == LineKind::Section) {
            if (range.found()) {
                range.end = line.start;
                return range;
            }
            if (sameName(parsed.name, section)) {
                range.header = line.start;
                range.body = line.next;
            }
        }
        at = line.next;
    }
    if (range.found())
        range.end = data.size();
    return range;
}

QByteArray lineEndOf(const QByteArray &data) {
    const Line first = lineAt(data, 0);
    if (first.next > first.end)
        return data.mid(first.end, first.next - first.end);
    return QByteArrayLiteral("\n");
}

// Keys and values may not break the line structure.
QByteArray oneLine(const QString &text) {
    QByteArray bytes = text.toUtf8();
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}

bool parseDigits(QStringView digits, int base, quint64 limit, quint64 *value) {
    if (digits.isEmpty())
        return false;
    quint64 v = 0;
    for (QChar c : digits) {
        const int d = c.isDigit() ? c.unicode() - '0'
                      : (c.toLower() >= u'a' && c.toLower() <= u'f' && base == 16)
                          ? c.toLower().unicode() - 'a' + 10
                          : -1;
        if (d < 0 || d >= base)
            return false;
        v = v * quint64(base) + quint64(d);
        if (v > limit)
            return false;
    }
    *value = v;
    return true;
}

}  // namespace

bool ProfileFile::parseInteger(const QString &text, int *result) {
    const QStringView t = QStringView(text).trimmed();
    quint64 v = 0;
    if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
        if (parseDigits(t.mid(2), 16, 0xFFFFFFFFull, &v)) {
            *result = int(quint32(v));
            return true;
        }
        return false;
    }
    QStringView rest = t;
    bool negative = false;
    if (!rest.isEmpty() && (rest[0] == u'-' || rest[0] == u'+')) {
        negative = rest[0] == u'-';
        rest = rest.mid(1);
    }
    if (!rest.isEmpty() && rest[0] == u'$') {
        if (!parseDigits(rest.mid(1), 16, 0xFFFFFFFFull, &v))
            return false;
        const quint32 bits = negative ? quint32(0u - quint32(v)) : quint32(v);
        *result = int(bits);
        return true;
    }
    if (!parseDigits(rest, 10, negative ? 2147483648ull : 2147483647ull, &v))
        return false;
    *result = negative ? int(-qint64(v)) : int(v);
    return true;
}

QByteArray ProfileFile::load() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    if (size > maxFileSize)
        return {};
    return file.read(size);
}

void ProfileFile::store(const QByteArray &content) const {
    QFileInfo info(m_path);
    const QString shown = info.absoluteFilePath();
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        throw ProfileWriteError(shown);
    // A link is followed, so the file it names is the one rewritten.
    const QString target = info.isSymLink() ? info.canonicalFilePath() : shown;
    // Written beside and renamed over, so a failed write (disk full) never leaves half a file.
    // No fsync: the file is rewritten once per key, as the system's profile functions do, and a
    // sync for each would make closing the program take a noticeable time.
    QTemporaryFile temporary(target + QStringLiteral(".XXXXXX"));
    if (temporary.open()) {
        if (temporary.write(content) != content.size() || !temporary.flush())
            throw ProfileWriteError(shown);
        if (info.exists())
            temporary.setPermissions(QFileInfo(target).permissions());
        temporary.close();
        if (::rename(QFile::encodeName(temporary.fileName()).constData(),
                     QFile::encodeName(target).constData()) != 0)
            throw ProfileWriteError(shown);
        temporary.setAutoRemove(false);
        return;
    }
    // A folder that takes no new files may still hold a writable file: rewrite it in place.
    QFile file(target);
    if (!info.exists() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size() || !file.flush())
        throw ProfileWriteError(shown);
}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &defaultValue) const {
    const QByteArray data = load();
    const SectionRange range = findSection(data, section, 0);
    if (!range.found())
        return defaultValue;
    for (qsizetype at = range.body; at < range.end;) {
        const Line line = lineAt(data, at);
        const ParsedLine parsed = parseLine(data, line);
        if (parsed.kind == LineKind::Key && sameName(parsed.name, key)) {
            return QString::fromUtf8(data.constData() + parsed.valueStart,
                                     parsed.valueEnd - parsed.valueStart)
                .left(maxStringLength);
        }
        at = line.next;
    }
    return defaultValue;
}

int ProfileFile::readInteger(const QString &section, const QString &key, int defaultValue) const {
    int value = 0;
    return parseInteger(readString(section, key, QString()), &value) ? value : defaultValue;
}

bool ProfileFile::readBool(const QString &section, const QString &key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList ProfileFile::readSectionLines(const QString &section) const {
    const QByteArray data = load();
    const SectionRange range = findSection(data, section, 0);
    QStringList result;
    const char *p = data.constData();
    for (qsizetype at = range.body; range.found() && at < range.end;) {
        const Line line = lineAt(data, at);
        qsizetype from = line.start, to = line.end;
        trim(p, from, to);
        if (from < to && p[from] != ';')
            result.append(QString::fromUtf8(p + from, to - from));
        at = line.next;
    }
    return result;
}

bool ProfileFile::sectionExists(const QString &section) const {
    return findSection(load(), section, 0).found();
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value) {
    if (QFileInfo(m_path).size() > maxFileSize)
        throw ProfileWriteError(QFileInfo(m_path).absoluteFilePath());
    QByteArray data = load();
    const QByteArray eol = lineEndOf(data);
    const QByteArray keyLine = oneLine(key) + '=' + oneLine(value);
    const SectionRange range = findSection(data, section, 0);
    if (!range.found()) {
        if (!data.isEmpty() && !data.endsWith('\n') && !data.endsWith('\r'))
            data += eol;
        data += '[' + oneLine(section) + ']' + eol + keyLine + eol;
        store(data);
        return;
    }
    Line lastFilled = lineAt(data, range.header);
    for (qsizetype at = range.body; at < range.end;) {
        const Line line = lineAt(data, at);
        const ParsedLine parsed = parseLine(data, line);
        if (parsed.kind == LineKind::Key && sameName(parsed.name, key)) {
            data.replace(line.start, line.end - line.start, keyLine);
            store(data);
            return;
        }
        qsizetype from = line.start, to = line.end;
        trim(data.constData(), from, to);
        if (from < to)
            lastFilled = line;
        at = line.next;
    }
    if (lastFilled.next == lastFilled.end)  // last line of the file, without a line end
        data.insert(lastFilled.end, eol + keyLine);
    else
        data.insert(lastFilled.next, keyLine + eol);
    store(data);
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString &section, const QString &key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void ProfileFile::eraseSection(const QString &section) {
    QByteArray data = load();
    bool changed = false;
    for (SectionRange range = findSection(data, section, 0); range.found();
         range = findSection(data, section, range.header)) {
        data.remove(range.header, range.end - range.header);
        changed = true;
    }
    if (changed)
        store(data);
}
