#pragma once
// The recent-files list of the File menu. The newest entry is first; paths are compared without
// regard to letter case and keep the case they were first stored with. After every change the
// list's own items are rebuilt at the end of FileMenu: a separator, then "&1 <path>", "&2 ..."
// (with UseSubmenu, one "Recent &Files" submenu holds them). The list is stored in the section
// AutoSaveKey of the ini file AutoSaveName as F0, F1, ...; with AutoSave it writes itself when
// destroyed.
//
// The settings are plain fields; set them before the first Load or AddItem.

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class TMRUFileList : public QObject {
    Q_OBJECT
public:
    explicit TMRUFileList(QObject *parent = nullptr);
    ~TMRUFileList() override;

    QPointer<QMenu> FileMenu;
    int Maximum = 5;
    bool RemoveOnClick = true;
    bool UseSubmenu = false;
    // Called after a clicked entry has been removed (RemoveOnClick) and the menu rebuilt.
    std::function<void(QObject *sender, const QString &path)> OnMRUItemClick;
    bool AutoSave = false;
    QString AutoSaveName;  // the ini file
    QString AutoSaveKey = QStringLiteral("MRU");

    const QStringList &Items() const { return m_items; }
    bool IsEmpty() const { return m_items.isEmpty(); }
    // To the top; an entry already there (any case) moves up instead; cut to Maximum.
    void AddItem(const QString &path);
    void RemoveItem(const QString &path);
    void Clear();

    // Replaces the list with every line of the section, in file order, each taken after its first
    // "="; not cut to Maximum. Lines without "=" or with nothing after it are left out.
    void Load();
    static constexpr int kMaxEntriesRead = 100;
    static constexpr int kMaxPathLength = 4096;  // PATH_MAX
    // Erases the section, then writes F0..Fn in list order. Raises ProfileWriteError when refused.
    void Save() const;

    // The list's actions now in FileMenu, in order: the separator, then one per entry (with
    // UseSubmenu the entries are in submenu() instead).
    QList<QAction *> menuActions() const;
    QMenu *submenu() const { return m_submenu; }
    // What a click on entry i (from 0) does; the menu items call it.
    void clickItem(int index);

private:
    void removeMenuItems(bool now);
    void rebuildMenu();

    QStringList m_items;
    QPointer<QMenu> m_builtIn;           // the menu the actions below are in
    QList<QPointer<QAction>> m_actions;  // owned by the menu, so they go with it
    QPointer<QMenu> m_submenu;
};
