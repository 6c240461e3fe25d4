#pragma once
// The one error type of the filer stream and the files built on it. The message is the text the
// user may be shown, e.g. "Stream read error" or "Cannot open file /path/QMKML.LLO".

#include <QString>
#include <exception>

class FilerError : public std::exception {
public:
    explicit FilerError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // The stream's fixed messages.
    static FilerError readError() { return FilerError(QStringLiteral("Stream read error")); }
    static FilerError invalidValue() { return FilerError(QStringLiteral("Invalid property value")); }
    static FilerError invalidFormat() { return FilerError(QStringLiteral("Invalid stream format")); }
    static FilerError noProperty() { return FilerError(QStringLiteral("Property does not exist")); }
    static FilerError invalidPath() { return FilerError(QStringLiteral("Invalid property path")); }
    static FilerError writeError() { return FilerError(QStringLiteral("Stream write error")); }
    static FilerError classNotFound(const QString &name) {
        return FilerError(QStringLiteral("Class %1 not found").arg(name));
    }
    static FilerError cannotOpen(const QString &path) {
        return FilerError(QStringLiteral("Cannot open file %1").arg(path));
    }
    static FilerError cannotCreate(const QString &path) {
        return FilerError(QStringLiteral("Cannot create file %1").arg(path));
    }

private:
    QString m_message;
    QByteArray m_utf8;
};
