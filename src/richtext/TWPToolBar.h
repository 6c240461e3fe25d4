#pragma once
// The formatting toolbar bound to one label editor (its UpdateObject): font name, size and
// colour lists, bold/italic/underline toggles, left/right/centre alignment, and copy, cut,
// paste and select all. Every command acts on the editor's selection or insertion point, and
// the controls show the attributes at the editor's caret. 26 pixels high, disabled until the
// owner enables it.

#include <QToolBar>

class QAction;
class QComboBox;
class TWPRichText;

class TWPToolBar : public QToolBar {
    Q_OBJECT
public:
    enum Command { Bold, Italic, Underline, AlignLeft, AlignRight, AlignCenter, Copy, Cut, Paste, SelectAll };
    static constexpr int CommandCount = SelectAll + 1;

    explicit TWPToolBar(TWPRichText *editor = nullptr, QWidget *parent = nullptr);

    TWPRichText *UpdateObject() const { return m_editor; }
    void setUpdateObject(TWPRichText *editor);

    QAction *action(Command command) const { return m_actions[command]; }
    QComboBox *fontNameBox() const { return m_fontName; }    // the screen's font families
    QComboBox *fontSizeBox() const { return m_fontSize; }    // points, from 8
    QComboBox *fontColorBox() const { return m_fontColor; }  // the 16 basic colours

    // Shows the attributes at the editor's caret; runs whenever the editor reports a change.
    void updateFromEditor();

private:
    void run(Command command, bool checked);

    TWPRichText *m_editor = nullptr;
    QAction *m_actions[CommandCount] = {};
    QComboBox *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    QComboBox *m_fontColor = nullptr;
    QMetaObject::Connection m_editorConnection;
    QMetaObject::Connection m_destroyedConnection;
};
