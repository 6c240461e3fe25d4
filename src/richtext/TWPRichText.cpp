#include "richtext/TWPRichText.h"

#include "platform/Screen.h"
#include "richtext/LabelTextLayout.h"
#include "richtext/Rtf.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyleOptionGraphicsItem>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <array>

namespace {

constexpr int kFontNameLimit = 31;  // longest face name the font table keeps

const QString kMimeRtf = QStringLiteral("text/rtf");
const QString kMimeRtfWindows = QStringLiteral("Rich Text Format");
const QString kMimeRtfApplication = QStringLiteral("application/rtf");

// The character a key press types, as the code a Windows edit control sees: Ctrl+letter as
// 1..26, Enter 13, Backspace 8, Escape 27. Null for keys that type nothing.
QChar typedCharacter(const QKeyEvent *event) {
    const int key = event->key();
    if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(char16_t(key - Qt::Key_A + 1));
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QChar(u'\r');
        case Qt::Key_Backspace:
            return QChar(u'\b');
        case Qt::Key_Escape:
            return QChar(char16_t(27));
        default:
            break;
    }
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & Qt::ControlModifier))
        return {};
    return text.front();
}

int charsetOfFamily(const QString &family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol) ? 2 : 0;
}

const std::array<QColor, TWPRichText::ColorTableSize> &basicColors() {
    static const std::array<QColor, TWPRichText::ColorTableSize> colors{
        QColor(0, 0, 0),       QColor(128, 0, 0),   QColor(0, 128, 0),   QColor(128, 128, 0),
        QColor(0, 0, 128),     QColor(128, 0, 128), QColor(0, 128, 128), QColor(128, 128, 128),
        QColor(192, 192, 192), QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(255, 255, 0),
        QColor(0, 0, 255),     QColor(255, 0, 255), QColor(0, 255, 255), QColor(255, 255, 255)};
    return colors;
}

}  // namespace

// The editing surface: Qt's text item over the label's document, with the label editor's
// rules for keys, mouse, menu and focus.
class LabelTextItem : public QGraphicsTextItem {
public:
    explicit LabelTextItem(TWPRichText *owner) : m_owner(owner) {
        setAcceptDrops(false);
        setTextInteractionFlags(Qt::TextEditorInteraction);
    }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override {
        // No focus or selection frame around the text: the label's outline is the panel's.
        QStyleOptionGraphicsItem plain(*option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QGraphicsTextItem::paint(painter, &plain, widget);
    }

protected:
    bool sceneEvent(QEvent *event) override {
        // Qt's text item hands Tab straight to its editing code, which types it; a label
        // editor leaves Tab to the window, which moves between labels.
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                event->ignore();
                return true;
            }
        }
        return QGraphicsTextItem::sceneEvent(event);
    }

    void keyPressEvent(QKeyEvent *event) override {
        const QChar typed = typedCharacter(event);
        if (!typed.isNull()) {
            bool consumed = false;
            emit m_owner->OnKeyPress(typed, consumed);
            if (consumed) {
                event->accept();
                m_owner->refreshCurrentFormat();
                return;
            }
        }
        // The clipboard keys go through the editor's own commands, which carry RTF.
        if (event->matches(QKeySequence::Copy)) {
            m_owner->CopyToClipboard();
        } else if (event->matches(QKeySequence::Cut)) {
            m_owner->CutToClipboard();
        } else if (event->matches(QKeySequence::Paste)) {
            m_owner->PasteFromClipboard();
        } else {
            QGraphicsTextItem::keyPressEvent(event);
            m_owner->refreshCurrentFormat();
            return;
        }
        event->accept();
    }

    void mousePressEvent(QGraphicsSceneMouseEvent *event) override {
        if (event->button() == Qt::MiddleButton) {
            event->accept();  // no pasting of the selection clipboard
            return;
        }
        // A press inside the selection would start dragging it; a label editor has no drag
        // and drop, so the press starts a new selection instead.
        QTextCursor cursor = textCursor();
        if (cursor.hasSelection()) {
            cursor.clearSelection();
            setTextCursor(cursor);
        }
        QGraphicsTextItem::mousePressEvent(event);
        m_owner->refreshCurrentFormat();
    }

    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override {
        QGraphicsTextItem::mouseMoveEvent(event);
        m_owner->refreshCurrentFormat();
    }

    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override {
        if (event->button() == Qt::MiddleButton) {
            event->accept();
            return;
        }
        QGraphicsTextItem::mouseReleaseEvent(event);
        m_owner->refreshCurrentFormat();
        if (event->button() == Qt::LeftButton)
            emit m_owner->OnClick();
    }

    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override {
        QGraphicsTextItem::mouseDoubleClickEvent(event);
        m_owner->refreshCurrentFormat();
    }

    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override {
        event->ignore();  // the owner's menu, through the editor widget's policy
    }

    void dragEnterEvent(QGraphicsSceneDragDropEvent *event) override { event->ignore(); }
    void dropEvent(QGraphicsSceneDragDropEvent *event) override { event->ignore(); }

    void focusInEvent(QFocusEvent *event) override {
        QGraphicsTextItem::focusInEvent(event);
        // Coming back to the window or closing a menu is not entering the editor.
        if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
            emit m_owner->OnEnter();
    }

    void inputMethodEvent(QInputMethodEvent *event) override {
        QGraphicsTextItem::inputMethodEvent(event);
        m_owner->refreshCurrentFormat();
    }

private:
    TWPRichText *m_owner;
};

struct TWPRichText::Private {
    QTextDocument *doc = nullptr;
    QGraphicsScene *scene = nullptr;
    LabelTextItem *item = nullptr;
    QGraphicsView *view = nullptr;
    int widthThou = 0;
    int heightThou = 0;
    int zoom = 100;
    qreal pixelsPerInch = 0;  // 0: the screen's
    bool loading = false;
    bool readOnly = false;
    // The editor's font table; names are cut to the table's limit when they enter it.
    QStringList fontTable{QStringLiteral("Arial")};
    // Colours met beyond the basic 16, numbered from 16 on, so a saved attribute record
    // gives back the colour it was taken from.
    QList<QColor> extraColors;
    // What the toolbar was last told about.
    int lastPosition = -1;
    int lastAnchor = -1;
    CharFormat lastFormat;
    ParagraphAlignment lastAlignment = ParagraphAlignment::Left;

    QTextCursor cursor() const { return item->textCursor(); }
    qreal scale() const {
        const qreal ppi = pixelsPerInch > 0 ? pixelsPerInch : qreal(ScreenPixelsPerInch());
        return ppi * zoom / 100.0 / kReferenceUnitsPerInch;
    }
    int colorNumber(QRgb rgb) {
        const auto &basic = basicColors();
        for (int n = 0; n < ColorTableSize; ++n)
            if (basic[n].rgb() == rgb)
                return n;
        for (int n = 0; n < extraColors.size(); ++n)
            if (extraColors[n].rgb() == rgb)
                return ColorTableSize + n;
        extraColors.append(QColor::fromRgb(rgb));
        return ColorTableSize + int(extraColors.size()) - 1;
    }
    QColor color(int number) const {
        if (number >= 0 && number < ColorTableSize)
            return basicColors()[number];
        if (number >= ColorTableSize && number - ColorTableSize < extraColors.size())
            return extraColors[number - ColorTableSize];
        return {};
    }
};

TWPRichText::TWPRichText(QWidget *parent) : QWidget(parent), d(new Private) {
    d->doc = new QTextDocument(this);
    configureLabelDocument(*d->doc);
    d->scene = new QGraphicsScene(this);
    d->item = new LabelTextItem(this);
    d->item->setDocument(d->doc);
    d->scene->addItem(d->item);
    d->scene->setFocusItem(d->item);

    d->view = new QGraphicsView(d->scene, this);
    d->view->setFrameShape(QFrame::NoFrame);
    d->view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    d->view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    d->view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    d->view->setBackgroundBrush(Qt::white);
    d->view->setAcceptDrops(false);
    d->view->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    d->view->setFocusPolicy(Qt::StrongFocus);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(d->view);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    connect(d->doc, &QTextDocument::contentsChanged, this, [this] {
        if (d->loading)
            return;
        emit OnChange();
        refreshCurrentFormat();
    });
    updateView();
    setCaretPosition(0);
}

TWPRichText::~TWPRichText() {
    // The view shows the scene, whose item edits the document: take them down in that order.
    delete d->view;
    delete d->scene;
    delete d->doc;
    delete d;
}

RichText TWPRichText::RtfText() const {
    return richTextFromDocument(*d->doc);
}

void TWPRichText::setRtfText(const RichText &text) {
    d->loading = true;
    fillDocument(*d->doc, text);
    d->doc->clearUndoRedoStacks();
    d->loading = false;
    setCaretPosition(0);
    emit OnChange();
    refreshCurrentFormat();
}

bool TWPRichText::IsEmpty() const {
    return d->doc->blockCount() == 1 && d->doc->firstBlock().length() <= 1;
}

void TWPRichText::setPageSizeThou(int widthThou, int heightThou) {
    d->widthThou = qMax(0, widthThou);
    d->heightThou = heightThou;
    d->item->setTextWidth(referenceUnitsFromThou(d->widthThou));
    updateView();
}

int TWPRichText::pageWidthThou() const {
    return d->widthThou;
}
int TWPRichText::pageHeightThou() const {
    return d->heightThou;
}
int TWPRichText::Zooming() const {
    return d->zoom;
}

void TWPRichText::setZooming(int percent) {
    d->zoom = qBound(1, percent, 1000);
    updateView();
}

void TWPRichText::setScreenPixelsPerInch(qreal pixelsPerInch) {
    d->pixelsPerInch = pixelsPerInch > 0 ? pixelsPerInch : 0;
    updateView();
}

qreal TWPRichText::screenPixelsPerInch() const {
    return d->pixelsPerInch > 0 ? d->pixelsPerInch : qreal(ScreenPixelsPerInch());
}

void TWPRichText::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    updateView();
}

void TWPRichText::updateView() {
    d->view->setGeometry(rect());
    const qreal scale = d->scale();
    d->view->setTransform(QTransform::fromScale(scale, scale));
    // The scene is exactly what the viewport shows, so the view has nothing to scroll to
    // and the text's top-left stays in the editor's corner.
    const QSize viewport = d->view->viewport()->size();
    d->view->setSceneRect(QRectF(0, 0, viewport.width() / scale, viewport.height() / scale));
}

qreal TWPRichText::FormattedTextHeightThou() const {
    return thouFromReferenceUnits(labelDocumentHeight(*d->doc));
}

bool TWPRichText::TextFits() const {
    return d->heightThou >= FormattedTextHeightThou();
}

int TWPRichText::CaretPosition() const {
    return d->cursor().position();
}

void TWPRichText::setCaretPosition(int position) {
    setSelection(position, position);
}

void TWPRichText::setSelection(int anchor, int position) {
    const int last = d->doc->characterCount() - 1;
    QTextCursor cursor(d->doc);
    cursor.setPosition(qBound(0, anchor, last));
    cursor.setPosition(qBound(0, position, last), QTextCursor::KeepAnchor);
    d->item->setTextCursor(cursor);
    refreshCurrentFormat();
}

bool TWPRichText::hasSelection() const {
    return d->cursor().hasSelection();
}

QString TWPRichText::selectedText() const {
    QString text = d->cursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

CharFormat TWPRichText::currentCharFormat() const {
    return charFormatFromText(d->cursor().charFormat());
}

ParagraphAlignment TWPRichText::currentAlignment() const {
    return alignmentOf(d->cursor().blockFormat());
}

TextAttributes TWPRichText::CurrentAttributes() const {
    const CharFormat format = currentCharFormat();
    TextAttributes attributes;
    attributes.fontNumber = const_cast<TWPRichText *>(this)->FontNumber(format.family);
    attributes.colorNumber = d->colorNumber(format.color);
    attributes.style = (format.bold ? TextAttributes::Bold : 0) |
                       (format.italic ? TextAttributes::Italic : 0) |
                       (format.underline ? TextAttributes::Underline : 0) |
                       (format.strikeout ? TextAttributes::Strikeout : 0);
    attributes.size = qBound(1, qRound(format.pointSize()), 255);
    return attributes;
}

void TWPRichText::setCurrentAttributes(const TextAttributes &attributes) {
    QTextCharFormat modifier;
    const QString family = FontName(attributes.fontNumber);
    if (!family.isEmpty()) {
        modifier.setFontFamilies(QStringList{family});
        modifier.setProperty(kCharsetProperty, charsetOfFamily(family));
    }
    const QColor color = d->color(attributes.colorNumber);
    if (color.isValid())
        modifier.setForeground(color);
    modifier.setFontPointSize(qBound(1, attributes.size, 255));
    modifier.setFontWeight(attributes.style & TextAttributes::Bold ? QFont::Bold : QFont::Normal);
    modifier.setFontItalic(attributes.style & TextAttributes::Italic);
    modifier.setFontUnderline(attributes.style & TextAttributes::Underline);
    modifier.setFontStrikeOut(attributes.style & TextAttributes::Strikeout);
    applyCharFormat(modifier);
}

int TWPRichText::FontNumber(const QString &family) {
    const QString name = family.left(kFontNameLimit);
    for (int n = 0; n < d->fontTable.size(); ++n)
        if (d->fontTable[n].compare(name, Qt::CaseInsensitive) == 0)
            return n;
    d->fontTable.append(name);
    return int(d->fontTable.size()) - 1;
}

QString TWPRichText::FontName(int number) const {
    return d->fontTable.value(number);
}

QColor TWPRichText::ColorTableEntry(int number) {
    if (number < 0 || number >= ColorTableSize)
        return {};
    return basicColors()[number];
}

void TWPRichText::Clear() {
    setRtfText(RichText());
}

void TWPRichText::SelectAll() {
    setSelection(0, d->doc->characterCount() - 1);
}

void TWPRichText::InsertText(const QString &text) {
    QTextCursor cursor = d->cursor();
    cursor.insertText(text);
    d->item->setTextCursor(cursor);
    refreshCurrentFormat();
}

void TWPRichText::CopyToClipboard() const {
    const QTextCursor cursor = d->cursor();
    if (!cursor.hasSelection())
        return;
    QTextDocument selection;
    configureLabelDocument(selection);
    QTextCursor(&selection).insertFragment(cursor.selection());
    const RichText text = richTextFromDocument(selection);
    const QByteArray rtf = writeRtf(text);
    auto *mime = new QMimeData;
    mime->setData(kMimeRtf, rtf);
    mime->setData(kMimeRtfWindows, rtf);
    QString plain = text.toPlainText();
    plain.replace(QChar::LineSeparator, QLatin1Char('\n'));
    mime->setText(plain);
    QGuiApplication::clipboard()->setMimeData(mime);
}

void TWPRichText::CutToClipboard() {
    if (d->readOnly || !hasSelection())
        return;
    CopyToClipboard();
    QTextCursor cursor = d->cursor();
    cursor.removeSelectedText();
    d->item->setTextCursor(cursor);
    refreshCurrentFormat();
}

void TWPRichText::PasteFromClipboard() {
    if (d->readOnly)
        return;
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return;
    for (const QString &format : {kMimeRtf, kMimeRtfWindows, kMimeRtfApplication}) {
        if (mime->hasFormat(format)) {
            insertRichText(readRtf(mime->data(format)));
            return;
        }
    }
    if (!mime->hasText())
        return;
    // Plain text is typed in the current attributes; any line-end convention gives paragraphs.
    QString text = mime->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    InsertText(text);
}

void TWPRichText::insertRichText(const RichText &text) {
    QTextDocument source;
    configureLabelDocument(source);
    fillDocument(source, text);
    QTextCursor cursor = d->cursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.insertFragment(QTextDocumentFragment(&source));
    cursor.endEditBlock();
    d->item->setTextCursor(cursor);
    refreshCurrentFormat();
}

bool TWPRichText::ReadOnly() const {
    return d->readOnly;
}

void TWPRichText::setReadOnly(bool readOnly) {
    d->readOnly = readOnly;
    d->item->setTextInteractionFlags(readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                              : Qt::TextEditorInteraction);
}

void TWPRichText::applyCharFormat(const QTextCharFormat &modifier) {
    QTextCursor cursor = d->cursor();
    if (!cursor.hasSelection() && cursor.block().length() == 1) {
        // An empty paragraph is measured and stored in its mark's format.
        QTextCharFormat mark = cursor.block().charFormat();
        mark.merge(modifier);
        cursor.setBlockCharFormat(mark);
    }
    cursor.mergeCharFormat(modifier);
    d->item->setTextCursor(cursor);
    refreshCurrentFormat();
}

void TWPRichText::setFontFamily(const QString &family) {
    const QString name = family.left(kFontNameLimit);
    if (name.isEmpty())
        return;
    QTextCharFormat modifier;
    modifier.setFontFamilies(QStringList{name});
    modifier.setProperty(kCharsetProperty, charsetOfFamily(name));
    applyCharFormat(modifier);
}

void TWPRichText::setFontPointSize(int points) {
    QTextCharFormat modifier;
    modifier.setFontPointSize(qBound(1, points, 1638));
    applyCharFormat(modifier);
}

void TWPRichText::setTextColor(const QColor &color) {
    if (!color.isValid())
        return;
    QTextCharFormat modifier;
    modifier.setForeground(QColor(color.rgb()));
    applyCharFormat(modifier);
}

void TWPRichText::setBold(bool on) {
    QTextCharFormat modifier;
    modifier.setFontWeight(on ? QFont::Bold : QFont::Normal);
    applyCharFormat(modifier);
}

void TWPRichText::setItalic(bool on) {
    QTextCharFormat modifier;
    modifier.setFontItalic(on);
    applyCharFormat(modifier);
}

void TWPRichText::setUnderline(bool on) {
    QTextCharFormat modifier;
    modifier.setFontUnderline(on);
    applyCharFormat(modifier);
}

void TWPRichText::setStrikeout(bool on) {
    QTextCharFormat modifier;
    modifier.setFontStrikeOut(on);
    applyCharFormat(modifier);
}

void TWPRichText::setAlignment(ParagraphAlignment alignment) {
    QTextCursor cursor = d->cursor();
    cursor.mergeBlockFormat(blockFormat(alignment));
    d->item->setTextCursor(cursor);
    refreshCurrentFormat();
}

const QTextDocument &TWPRichText::document() const {
    return *d->doc;
}

void TWPRichText::refreshCurrentFormat() {
    const QTextCursor cursor = d->cursor();
    const CharFormat format = charFormatFromText(cursor.charFormat());
    const ParagraphAlignment alignment = currentAlignment();
    if (cursor.position() == d->lastPosition && cursor.anchor() == d->lastAnchor && format == d->lastFormat &&
        alignment == d->lastAlignment)
        return;
    d->lastPosition = cursor.position();
    d->lastAnchor = cursor.anchor();
    d->lastFormat = format;
    d->lastAlignment = alignment;
    emit currentFormatChanged();
}
