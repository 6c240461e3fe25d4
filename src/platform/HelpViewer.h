#pragma once
// The help window: contents, keyword search and the topic text of a help file (HelpFile.h). One
// window serves the whole program; it re-reads the file when asked for another file name and
// shows its own message when the file is missing or unreadable.

#include "HelpFile.h"

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QUrl;

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    static HelpViewer *instance();
    static QString contentsTopic() { return QStringLiteral("contents"); }
    static QString helpOnHelpTopic() { return QStringLiteral("helponhelp"); }

    void showTopic(const QString &helpFilePath, const QString &topicId);
    // The Search page with an empty keyword box.
    void showSearch(const QString &helpFilePath);

    // What a click on a link in the text does.
    void openLink(const QUrl &url);

    // For tests: what the window holds now.
    QString currentTopicId() const { return m_currentId; }
    QString shownText() const;
    bool searchPageShown() const;
    QLineEdit *searchBox() const { return m_search; }
    QListWidget *keywordList() const { return m_keywords; }
    QListWidget *contentsList() const { return m_contents; }

private:
    explicit HelpViewer(QWidget *parent = nullptr);
    bool ensureLoaded(const QString &helpFilePath);
    void display(const QString &topicId, bool remember);
    void bringUp();
    void fillLists();
    void filterKeywords(const QString &text);
    void openKeyword();
    void goBack();

    HelpFile m_file;
    QString m_loadedPath;
    QString m_error;
    QString m_currentId;
    QStringList m_history;
    QTabWidget *m_tabs = nullptr;
    QListWidget *m_contents = nullptr;
    QLineEdit *m_search = nullptr;
    QListWidget *m_keywords = nullptr;
    QTextBrowser *m_text = nullptr;
    QToolButton *m_back = nullptr;
};
