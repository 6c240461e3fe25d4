#include "richtext/TWPToolBar.h"

#include "richtext/TWPRichText.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QLayout>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
const char *const kColorNames[TWPRichText::ColorTableSize] = {
    "Black",  "Maroon", "Green", "Olive",  "Navy", "Purple",  "Teal", "Gray",
    "Silver", "Red",    "Lime",  "Yellow", "Blue", "Fuchsia", "Aqua", "White"};

// Four lines of text, ragged on one side or both: the usual picture of an alignment.
QIcon alignmentIcon(Qt::Alignment alignment) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    const int lengths[] = {14, 9, 12, 7};
    for (int i = 0; i < 4; ++i) {
        const int length = lengths[i];
        int left = 1;
        if (alignment & Qt::AlignRight)
            left = 15 - length;
        else if (alignment & Qt::AlignHCenter)
            left = (16 - length) / 2;
        painter.drawLine(left, 2 + 4 * i, left + length - 1, 2 + 4 * i);
    }
    return QIcon(pixmap);
}

QIcon swatch(const QColor &color) {
    QPixmap pixmap(12, 12);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 11, 11);
    return QIcon(pixmap);
}

// A combo box that never takes the keyboard focus, so choosing from it leaves the caret in
// the editor; its placeholder shows a value that is not in its list (a font that is not
// installed, a size of 7 points).
QComboBox *listBox(QWidget *parent, int minimumWidth) {
    auto *box = new QComboBox(parent);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFixedHeight(22);  // room for the bar's frame within its 26 pixels
    box->setMinimumWidth(minimumWidth);
    box->setMaxVisibleItems(16);
    return box;
}

void showValue(QComboBox *box, int index, const QString &text) {
    box->setPlaceholderText(index < 0 ? text : QString());
    box->setCurrentIndex(index);
}

}  // namespace

TWPToolBar::TWPToolBar(TWPRichText *editor, QWidget *parent) : QToolBar(parent) {
    // 26 pixels high whatever the style would like: the contents shrink to fit.
    setFixedHeight(26);
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setContentsMargins(0, 0, 0, 0);
    setIconSize(QSize(16, 16));
    setMovable(false);
    setFloatable(false);
    setEnabled(false);

    m_fontName = listBox(this, 160);
    m_fontName->addItems(QFontDatabase::families());
    addWidget(m_fontName);
    connect(m_fontName, &QComboBox::textActivated, this, [this](const QString &family) {
        if (m_editor)
            m_editor->setFontFamily(family);
    });

    m_fontSize = listBox(this, 48);
    for (int size : kSizes)
        m_fontSize->addItem(QString::number(size), size);
    addWidget(m_fontSize);
    connect(m_fontSize, &QComboBox::activated, this, [this](int index) {
        if (m_editor && index >= 0)
            m_editor->setFontPointSize(m_fontSize->itemData(index).toInt());
    });

    m_fontColor = listBox(this, 90);
    for (int n = 0; n < TWPRichText::ColorTableSize; ++n) {
        const QColor color = TWPRichText::ColorTableEntry(n);
        m_fontColor->addItem(swatch(color), QString::fromLatin1(kColorNames[n]), color);
    }
    addWidget(m_fontColor);
    connect(m_fontColor, &QComboBox::activated, this, [this](int index) {
        if (m_editor && index >= 0)
            m_editor->setTextColor(m_fontColor->itemData(index).value<QColor>());
    });

    addSeparator();
    struct ButtonDef {
        Command command;
        const char *hint;
        QString text;
        QIcon icon;
        bool checkable;
    };
    const ButtonDef buttons[] = {
        {Bold, "Bold Font", QStringLiteral("B"), {}, true},
        {Italic, "Italic Font", QStringLiteral("I"), {}, true},
        {Underline, "Underlined Font", QStringLiteral("U"), {}, true},
        {AlignLeft, "Left Justify Text", QStringLiteral("Left"), alignmentIcon(Qt::AlignLeft), true},
        {AlignRight, "Right Justify Text", QStringLiteral("Right"), alignmentIcon(Qt::AlignRight), true},
        {AlignCenter, "Center Text ", QStringLiteral("Center"), alignmentIcon(Qt::AlignHCenter), true},
        {Copy, "Copy Text", QStringLiteral("Copy"), QIcon::fromTheme(QStringLiteral("edit-copy")), false},
        {Cut, "Cut Text", QStringLiteral("Cut"), QIcon::fromTheme(QStringLiteral("edit-cut")), false},
        {Paste, "Paste Text", QStringLiteral("Paste"), QIcon::fromTheme(QStringLiteral("edit-paste")), false},
        {SelectAll, "Select All", QStringLiteral("All"), QIcon::fromTheme(QStringLiteral("edit-select-all")),
         false},
    };
    auto *alignments = new QActionGroup(this);
    alignments->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const ButtonDef &button : buttons) {
        QAction *action = addAction(button.icon, button.text);
        action->setToolTip(QString::fromLatin1(button.hint));
        action->setStatusTip(QString::fromLatin1(button.hint));
        action->setCheckable(button.checkable);
        m_actions[button.command] = action;
        if (button.command == AlignLeft || button.command == AlignRight || button.command == AlignCenter)
            alignments->addAction(action);
        if (button.command == Underline || button.command == AlignCenter)
            addSeparator();
        const Command command = button.command;
        connect(action, &QAction::triggered, this, [this, command](bool checked) { run(command, checked); });
    }
    QFont bold = font(), italic = font(), underline = font();
    bold.setBold(true);
    italic.setItalic(true);
    underline.setUnderline(true);
    m_actions[Bold]->setFont(bold);
    m_actions[Italic]->setFont(italic);
    m_actions[Underline]->setFont(underline);

    setUpdateObject(editor);
}

void TWPToolBar::setUpdateObject(TWPRichText *editor) {
    disconnect(m_editorConnection);
    disconnect(m_destroyedConnection);
    m_editor = editor;
    if (m_editor) {
        m_editorConnection =
            connect(m_editor, &TWPRichText::currentFormatChanged, this, &TWPToolBar::updateFromEditor);
        m_destroyedConnection = connect(m_editor, &QObject::destroyed, this, [this] { m_editor = nullptr; });
    }
    updateFromEditor();
}

void TWPToolBar::run(Command command, bool checked) {
    if (!m_editor)
        return;
    switch (command) {
        case Bold:
            m_editor->setBold(checked);
            break;
        case Italic:
            m_editor->setItalic(checked);
            break;
        case Underline:
            m_editor->setUnderline(checked);
            break;
        case AlignLeft:
            m_editor->setAlignment(ParagraphAlignment::Left);
            break;
        case AlignRight:
            m_editor->setAlignment(ParagraphAlignment::Right);
            break;
        case AlignCenter:
            m_editor->setAlignment(ParagraphAlignment::Center);
            break;
        case Copy:
            m_editor->CopyToClipboard();
            break;
        case Cut:
            m_editor->CutToClipboard();
            break;
        case Paste:
            m_editor->PasteFromClipboard();
            break;
        case SelectAll:
            m_editor->SelectAll();
            break;
    }
    updateFromEditor();  // a toggle that changed nothing springs back to the caret's state
}

void TWPToolBar::updateFromEditor() {
    if (!m_editor)
        return;
    const CharFormat format = m_editor->currentCharFormat();
    const ParagraphAlignment alignment = m_editor->currentAlignment();
    const QSignalBlocker blockName(m_fontName), blockSize(m_fontSize), blockColor(m_fontColor);

    showValue(m_fontName, m_fontName->findText(format.family, Qt::MatchFixedString), format.family);
    const int sizeIndex = format.halfPoints % 2 == 0 ? m_fontSize->findData(format.halfPoints / 2) : -1;
    showValue(m_fontSize, sizeIndex, QString::number(format.pointSize()));
    int colorIndex = -1;
    for (int n = 0; n < m_fontColor->count() && colorIndex < 0; ++n)
        if (m_fontColor->itemData(n).value<QColor>().rgb() == QColor(format.color).rgb())
            colorIndex = n;
    showValue(m_fontColor, colorIndex, QColor(format.color).name());

    m_actions[Bold]->setChecked(format.bold);
    m_actions[Italic]->setChecked(format.italic);
    m_actions[Underline]->setChecked(format.underline);
    m_actions[AlignLeft]->setChecked(alignment == ParagraphAlignment::Left);
    m_actions[AlignRight]->setChecked(alignment == ParagraphAlignment::Right);
    m_actions[AlignCenter]->setChecked(alignment == ParagraphAlignment::Center);
}
