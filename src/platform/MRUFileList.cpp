#include "MRUFileList.h"

#include "ProfileFile.h"

#include <QAction>

TMRUFileList::TMRUFileList(QObject *parent) : QObject(parent) {}

TMRUFileList::~TMRUFileList() {
    if (AutoSave && !AutoSaveName.isEmpty()) {
        try {
            Save();
        } catch (const ProfileWriteError &) {
            // A destructor at shutdown cannot report; the list of the last successful write
            // (after each open and Save As) stays in the file.
        }
    }
    removeMenuItems(true);
}

void TMRUFileList::AddItem(const QString &path) {
    if (path.isEmpty())
        return;
    QString stored = path;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items[i].compare(path, Qt::CaseInsensitive) == 0) {
            stored = m_items.takeAt(i);
            break;
        }
    }
    m_items.prepend(stored);
    while (m_items.size() > qMax(1, Maximum))
        m_items.removeLast();
    rebuildMenu();
}

void TMRUFileList::RemoveItem(const QString &path) {
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items[i].compare(path, Qt::CaseInsensitive) == 0) {
            m_items.removeAt(i);
            break;
        }
    }
    rebuildMenu();
}

void TMRUFileList::Clear() {
    m_items.clear();
    rebuildMenu();
}

void TMRUFileList::Load() {
    m_items.clear();
    const QStringList lines = ProfileFile(AutoSaveName).readSectionLines(AutoSaveKey);
    for (const QString &line : lines) {
        // A hand-edited or damaged file may hold any number of lines of any length; beyond what
        // a person could have opened they are damage, and keeping them would make every later
        // write of the list slow.
        if (m_items.size() >= kMaxEntriesRead)
            break;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString path = line.mid(equals + 1).trimmed();
        if (!path.isEmpty() && path.size() <= kMaxPathLength)
            m_items.append(path);
    }
    rebuildMenu();
}

void TMRUFileList::Save() const {
    ProfileFile ini(AutoSaveName);
    ini.eraseSection(AutoSaveKey);
    for (qsizetype i = 0; i < m_items.size(); ++i)
        ini.writeString(AutoSaveKey, QStringLiteral("F%1").arg(i), m_items[i]);
}

void TMRUFileList::removeMenuItems(bool now) {
    // Actions may be the one whose click brought us here, so normally they go later.
    for (QAction *action : std::as_const(m_actions)) {
        if (!action)
            continue;
        if (m_builtIn)
            m_builtIn->removeAction(action);
        if (now)
            delete action;
        else
            action->deleteLater();
    }
    m_actions.clear();
    if (m_submenu) {
        if (m_builtIn)
            m_builtIn->removeAction(m_submenu->menuAction());
        if (now)
            delete m_submenu;
        else
            m_submenu->deleteLater();
        m_submenu = nullptr;
    }
    m_builtIn = nullptr;
}

void TMRUFileList::rebuildMenu() {
    removeMenuItems(false);
    if (!FileMenu || m_items.isEmpty())
        return;
    m_builtIn = FileMenu;
    auto *separator = new QAction(FileMenu);
    separator->setSeparator(true);
    FileMenu->addAction(separator);
    m_actions.append(separator);
    QMenu *target = FileMenu;
    if (UseSubmenu) {
        m_submenu = new QMenu(QStringLiteral("Recent &Files"), FileMenu);
        FileMenu->addMenu(m_submenu);
        target = m_submenu;
    }
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(m_items[i]), target);
        const int index = int(i);
        connect(action, &QAction::triggered, this, [this, index] { clickItem(index); });
        target->addAction(action);
        if (!UseSubmenu)
            m_actions.append(action);
    }
}

QList<QAction *> TMRUFileList::menuActions() const {
    QList<QAction *> result;
    for (QAction *action : m_actions) {
        if (action)
            result.append(action);
    }
    return result;
}

void TMRUFileList::clickItem(int index) {
    if (index < 0 || index >= m_items.size())
        return;
    const QString path = m_items[index];
    if (RemoveOnClick) {
        m_items.removeAt(index);
        rebuildMenu();
    }
    if (OnMRUItemClick)
        OnMRUItemClick(this, path);
}
