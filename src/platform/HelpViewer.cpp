#include "HelpViewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int TopicRole = Qt::UserRole + 1;
}

HelpViewer *HelpViewer::instance() {
    static QPointer<HelpViewer> viewer;
    if (!viewer)
        viewer = new HelpViewer;
    return viewer;
}

HelpViewer::HelpViewer(QWidget *parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Help"));
    resize(760, 520);

    m_back = new QToolButton;
    m_back->setText(QStringLiteral("&Back"));
    m_back->setEnabled(false);
    auto *contentsButton = new QToolButton;
    contentsButton->setText(QStringLiteral("&Contents"));
    auto *searchButton = new QToolButton;
    searchButton->setText(QStringLiteral("&Search"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton);
    buttons->addWidget(searchButton);
    buttons->addWidget(m_back);
    buttons->addStretch();

    m_contents = new QListWidget;
    auto *searchPage = new QWidget;
    auto *searchLayout = new QVBoxLayout(searchPage);
    auto *searchLabel =
        new QLabel(QStringLiteral("&Type the first letters of the word you are looking for:"));
    searchLabel->setWordWrap(true);
    m_search = new QLineEdit;
    searchLabel->setBuddy(m_search);
    m_keywords = new QListWidget;
    searchLayout->addWidget(searchLabel);
    searchLayout->addWidget(m_search);
    searchLayout->addWidget(m_keywords);
    m_tabs = new QTabWidget;
    m_tabs->addTab(m_contents, QStringLiteral("Contents"));
    m_tabs->addTab(searchPage, QStringLiteral("Search"));

    m_text = new QTextBrowser;
    m_text->setOpenLinks(false);
    auto *splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_text);
    splitter->setStretchFactor(1, 3);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);

    connect(contentsButton, &QToolButton::clicked, this, [this] {
        m_tabs->setCurrentIndex(0);
        display(contentsTopic(), true);
    });
    connect(searchButton, &QToolButton::clicked, this, [this] {
        m_tabs->setCurrentIndex(1);
        m_search->setFocus();
    });
    connect(m_back, &QToolButton::clicked, this, &HelpViewer::goBack);
    connect(m_contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { display(item->data(TopicRole).toString(), true); });
    connect(m_contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { display(item->data(TopicRole).toString(), true); });
    connect(m_search, &QLineEdit::textChanged, this, &HelpViewer::filterKeywords);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpViewer::openKeyword);
    connect(m_keywords, &QListWidget::itemActivated, this, [this] { openKeyword(); });
    connect(m_text, &QTextBrowser::anchorClicked, this, &HelpViewer::openLink);
}

bool HelpViewer::ensureLoaded(const QString &helpFilePath) {
    if (helpFilePath != m_loadedPath || !m_error.isEmpty()) {
        m_loadedPath = helpFilePath;
        m_error.clear();
        m_history.clear();
        m_currentId.clear();
        if (!m_file.load(helpFilePath, &m_error))
            m_file = HelpFile();
        fillLists();
    }
    if (!m_error.isEmpty()) {
        m_text->setPlainText(m_error);
        m_currentId.clear();
        m_back->setEnabled(false);
        return false;
    }
    return true;
}

void HelpViewer::fillLists() {
    m_contents->clear();
    for (const HelpTopic &topic : m_file.topics()) {
        if (topic.id == helpOnHelpTopic())
            continue;
        auto *item = new QListWidgetItem(topic.title.isEmpty() ? topic.id : topic.title, m_contents);
        item->setData(TopicRole, topic.id);
    }
    filterKeywords(m_search->text());
}

void HelpViewer::filterKeywords(const QString &text) {
    m_keywords->clear();
    const QString prefix = text.trimmed();
    for (const QString &keyword : m_file.keywords()) {
        if (keyword.startsWith(prefix, Qt::CaseInsensitive))
            m_keywords->addItem(keyword);
    }
    if (m_keywords->count() > 0)
        m_keywords->setCurrentRow(0);
}

void HelpViewer::openKeyword() {
    const QListWidgetItem *item = m_keywords->currentItem();
    if (!item)
        return;
    const QList<const HelpTopic *> topics = m_file.topicsFor(item->text());
    if (!topics.isEmpty())
        display(topics.constFirst()->id, true);
}

void HelpViewer::openLink(const QUrl &url) {
    // "topic:<id>" or "topic:<id>#<anchor>" to another topic, "#<anchor>" within this one.
    if (url.scheme() == QStringLiteral("topic"))
        display(url.path(), true);
    else if (!url.scheme().isEmpty() || !url.path().isEmpty())
        return;  // nothing outside the help file is opened from here
    if (url.hasFragment())
        m_text->scrollToAnchor(url.fragment());
}

void HelpViewer::goBack() {
    if (m_history.isEmpty())
        return;
    const QString previous = m_history.takeLast();
    display(previous, false);
}

void HelpViewer::display(const QString &topicId, bool remember) {
    const HelpTopic *topic = m_file.find(topicId);
    if (!topic) {
        m_text->setPlainText(QStringLiteral("The help file has no topic %1.").arg(topicId));
        return;
    }
    if (remember && !m_currentId.isEmpty() && m_currentId != topic->id)
        m_history.append(m_currentId);
    m_currentId = topic->id;
    m_text->setHtml(topic->html);
    m_back->setEnabled(!m_history.isEmpty());
    setWindowTitle(topic->title.isEmpty() ? QStringLiteral("Help")
                                          : QStringLiteral("Help - ") + topic->title);
}

QString HelpViewer::shownText() const {
    return m_text->toPlainText();
}

bool HelpViewer::searchPageShown() const {
    return m_tabs->currentIndex() == 1;
}

void HelpViewer::bringUp() {
    // Help is asked for from modal dialogs; a plain window would be blocked by them, so the viewer
    // is modal itself while one of them is up.
    const bool overModal = QApplication::activeModalWidget() && QApplication::activeModalWidget() != this;
    const Qt::WindowModality wanted = overModal ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        hide();
        setWindowModality(wanted);
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void HelpViewer::showTopic(const QString &helpFilePath, const QString &topicId) {
    if (ensureLoaded(helpFilePath)) {
        m_tabs->setCurrentIndex(0);
        display(topicId, true);
    }
    bringUp();
}

void HelpViewer::showSearch(const QString &helpFilePath) {
    if (ensureLoaded(helpFilePath)) {
        if (m_currentId.isEmpty())
            display(contentsTopic(), false);
        m_search->clear();
        m_tabs->setCurrentIndex(1);
    }
    bringUp();
    m_search->setFocus();
}
