#pragma once
// An initialisation (profile) file with the semantics of the Windows private-profile functions:
// "[Section]" lines open sections, "key=value" lines follow. Sections and keys are matched without
// regard to letter case; the first of duplicate sections or keys wins. Every call opens, reads and
// closes the file, so nothing is held between calls.
//
// Writing replaces only the one key's line and keeps every other byte of the file, line ends and
// comments included. A missing key is added after the last line of its section, a missing section
// is appended at the end of the file, a missing file is created (with LF line ends; an existing
// file keeps the line end style of its first line).
//
// Reading: the key and the value are taken without leading and trailing blanks (spaces, tabs), as
// Windows does, so "Size = 12 " reads 12. Lines end in LF, CR LF or CR. The file is decoded as
// UTF-8. Damaged content (binary bytes, NULs, endless lines, lines without "=") is read as far as
// it makes sense; whatever cannot be read gives the caller's default. Files larger than
// maxFileSize are treated as unreadable (all defaults) and refused for writing.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <stdexcept>

// Raised when the file cannot be written; what() and message() give "Unable to write to <path>".
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const QString &path);
    QString message() const { return QString::fromUtf8(what()); }
    QString path() const { return m_path; }

private:
    QString m_path;
};

class ProfileFile {
public:
    static constexpr qint64 maxFileSize = 64 * 1024 * 1024;
    static constexpr int maxStringLength = 1023;  // characters kept of a string value

    explicit ProfileFile(const QString &path) : m_path(path) {}
    QString fileName() const { return m_path; }

    // Missing key gives the default; an empty value is returned as empty. Cut to 1023 characters.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal with optional sign; "$" then hex digits; "0x"/"0X" then hex digits when the value has
    // more than two characters. Hex may use all 32 bits (0xFFFFFFFF reads -1). Anything else, an
    // empty value or a number outside 32 bits gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // An integer; any value other than 0 is true. Non-numeric text gives the default.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    // Every line of the first section of that name, in file order, without surrounding blanks;
    // empty lines and comment lines (first character ';') are left out.
    QStringList readSectionLines(const QString &section) const;
    bool sectionExists(const QString &section) const;

    // All raise ProfileWriteError when the file cannot be written.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);
    // Removes every section of that name with all its lines. No file, no section: nothing happens.
    void eraseSection(const QString &section);

    // The integer rules of readInteger on one value; false when the text is not a number.
    static bool parseInteger(const QString &text, int *result);

private:
    QByteArray load() const;
    void store(const QByteArray &content) const;

    QString m_path;
};
