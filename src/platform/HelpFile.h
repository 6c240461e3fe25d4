#pragma once
// The help file QMK.HLP: plain UTF-8 text of HTML topics, built from data/help/*.html.
//
//   QMKHELP 1
//   @topic <id>|<title>|<keyword>; <keyword>; ...
//   <html of the topic, any number of lines>
//   @topic ...
//
// Ids are the help context numbers ("1001") or the names "contents" and "helponhelp". Links
// between topics are written <a href="topic:<id>">. Text before the first @topic line other than
// the signature is ignored.

#include <QList>
#include <QString>
#include <QStringList>

struct HelpTopic {
    QString id;
    QString title;
    QStringList keywords;
    QString html;
};

class HelpFile {
public:
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;
    static constexpr int maxTopics = 10000;

    // False with a message for the user when the file is missing, too large or not a help file.
    bool load(const QString &path, QString *error);
    // Parses the text of a help file; false when the signature line is missing.
    bool parse(const QString &text);

    const QList<HelpTopic> &topics() const { return m_topics; }
    const HelpTopic *find(const QString &id) const;
    // Every keyword once (the first spelling met), sorted without regard to case.
    QStringList keywords() const;
    // The topics that list this keyword (case-insensitive), in file order.
    QList<const HelpTopic *> topicsFor(const QString &keyword) const;

private:
    QList<HelpTopic> m_topics;
};
