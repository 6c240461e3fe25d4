#include "HelpFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

bool HelpFile::load(const QString &path, QString *error) {
    m_topics.clear();
    QFile file(path);
    if (!file.exists()) {
        *error =
            QStringLiteral("The help file %1 could not be found.").arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxFileSize) {
        *error =
            QStringLiteral("The help file %1 could not be read.").arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    if (!parse(QString::fromUtf8(file.read(maxFileSize)))) {
        *error = QStringLiteral("The file %1 is not a help file of this program.")
                     .arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    return true;
}

bool HelpFile::parse(const QString &text) {
    m_topics.clear();
    static const QString signature = QStringLiteral("QMKHELP 1");
    static const QString topicTag = QStringLiteral("@topic ");
    if (!text.startsWith(signature))
        return false;
    qsizetype at = 0;
    HelpTopic *current = nullptr;
    while (at < text.size()) {
        qsizetype end = text.indexOf(u'\n', at);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).mid(at, end - at);
        if (line.endsWith(u'\r'))
            line.chop(1);
        at = end + 1;
        if (line.startsWith(topicTag)) {
            if (m_topics.size() >= maxTopics)
                break;
            const QStringList fields = line.mid(topicTag.size()).toString().split(u'|');
            HelpTopic topic;
            topic.id = fields.value(0).trimmed();
            topic.title = fields.value(1).trimmed();
            for (const QString &keyword : fields.value(2).split(u';')) {
                if (!keyword.trimmed().isEmpty())
                    topic.keywords.append(keyword.trimmed());
            }
            m_topics.append(topic);
            current = &m_topics.last();
        } else if (current) {
            current->html += line;
            current->html += u'\n';
        }
    }
    return true;
}

const HelpTopic *HelpFile::find(const QString &id) const {
    for (const HelpTopic &topic : m_topics) {
        if (topic.id.compare(id, Qt::CaseInsensitive) == 0)
            return &topic;
    }
    return nullptr;
}

QStringList HelpFile::keywords() const {
    QStringList result;
    QSet<QString> seen;
    for (const HelpTopic &topic : m_topics) {
        for (const QString &keyword : topic.keywords) {
            if (!seen.contains(keyword.toLower())) {
                seen.insert(keyword.toLower());
                result.append(keyword);
            }
        }
    }
    std::sort(result.begin(), result.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return result;
}

QList<const HelpTopic *> HelpFile::topicsFor(const QString &keyword) const {
    QList<const HelpTopic *> result;
    for (const HelpTopic &topic : m_topics) {
        for (const QString &k : topic.keywords) {
            if (k.compare(keyword, Qt::CaseInsensitive) == 0) {
                result.append(&topic);
                break;
            }
        }
    }
    return result;
}
