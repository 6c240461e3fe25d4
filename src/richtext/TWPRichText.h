#pragma once
// The label editor: shows a label's text in the same true-size layout that the page and the
// printer paint (LabelTextLayout), scaled by the magnification, with caret and selection.
// The text is wrapped to the writable width at true size whatever the zoom, so a line breaks
// at the same word in the editor, on the page and on paper.
//
// Behaviour of a label editor: no border, white, no scroll bars, word wrap, Tab is not typed
// (it goes on to the window), no drag and drop, default font Arial 10 pt black. Its context
// menu is the owner's: set a context-menu policy on the editor (for example
// Qt::CustomContextMenu) and the clicks reach it; the editor has no menu of its own.

#include "richtext/RichText.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

class QTextCharFormat;
class QTextDocument;
class LabelTextItem;

// The editor's current-attribute record.
struct TextAttributes {
    enum Style { Bold = 1, Italic = 2, Underline = 4, Strikeout = 8 };
    int fontNumber = 0;   // index in the editor's font table
    int colorNumber = 0;  // index in the editor's colour table (0..15 the basic colours)
    int style = 0;        // Style flags
    int size = 10;        // points, 1..255
    bool operator==(const TextAttributes &) const = default;
};

class TWPRichText : public QWidget {
    Q_OBJECT
public:
    explicit TWPRichText(QWidget *parent = nullptr);
    ~TWPRichText() override;

    // Whole copies of the content in and out. Setting the content raises OnChange once and
    // puts the caret at the start of the text.
    RichText RtfText() const;
    void setRtfText(const RichText &text);
    bool IsEmpty() const;

    // The writable area at true size, thousandths of an inch: the layout wraps to its width
    // and the overflow test measures against its height.
    void setPageSizeThou(int widthThou, int heightThou);
    int pageWidthThou() const;
    int pageHeightThou() const;
    int Zooming() const;
    void setZooming(int percent);  // shown scale: screen pixels per inch × percent / 100
    // The screen's pixels per inch the zoom scales from; ScreenPixelsPerInch() unless set.
    void setScreenPixelsPerInch(qreal pixelsPerInch);
    qreal screenPixelsPerInch() const;

    // Height of the formatted text, thousandths of an inch, and whether it fits the page
    // (the same decision LabelTextLayout::fits gives for the same text and page).
    qreal FormattedTextHeightThou() const;
    bool TextFits() const;

    int CaretPosition() const;  // 0 = start of text
    void setCaretPosition(int position);
    // Selects from anchor to position (the caret); both are clamped to the text.
    void setSelection(int anchor, int position);
    bool hasSelection() const;
    QString selectedText() const;  // paragraph breaks as '\n'

    // The current attributes: those of the selection's start or of the insertion point.
    // Setting them applies to the selection, or to what is typed next at the insertion point
    // (and, in an empty paragraph, to the paragraph itself).
    TextAttributes CurrentAttributes() const;
    void setCurrentAttributes(const TextAttributes &attributes);
    // Font-table number of a face (names cut to 31 characters), added to the table if new.
    int FontNumber(const QString &family);
    QString FontName(int number) const;  // empty for a number not in the table
    // The 16 basic colours, 0 black ... 15 white; an invalid colour for other numbers.
    static QColor ColorTableEntry(int number);
    static constexpr int ColorTableSize = 16;

    void Clear();  // empty text in the default font; raises OnChange
    void SelectAll();
    void InsertText(const QString &text);  // at the caret, in the current attributes
    void CopyToClipboard() const;          // "Rich Text Format"/text/rtf and text/plain
    void CutToClipboard();
    void PasteFromClipboard();  // prefers RTF over plain text; nothing while read-only
    bool ReadOnly() const;
    void setReadOnly(bool readOnly);

    // Formatting commands on the selection or insertion point (the formatting toolbar).
    void setFontFamily(const QString &family);
    void setFontPointSize(int points);
    void setTextColor(const QColor &color);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    void setStrikeout(bool on);
    void setAlignment(ParagraphAlignment alignment);
    CharFormat currentCharFormat() const;
    ParagraphAlignment currentAlignment() const;

    // The editor's document, laid out at true size in reference units (1/96 inch).
    const QTextDocument &document() const;

signals:
    void OnChange();  // after every change of the content
    void OnClick();   // mouse click in the text
    void OnEnter();   // the editor took the keyboard focus
    // A typed character before it is inserted, as a code (Ctrl+A = 1, Enter = 13,
    // Backspace = 8); set consumed to swallow it.
    void OnKeyPress(QChar key, bool &consumed);
    void currentFormatChanged();  // caret moved or formats changed: the toolbar refreshes

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class LabelTextItem;
    void updateView();
    void refreshCurrentFormat();
    void applyCharFormat(const QTextCharFormat &modifier);
    void insertRichText(const RichText &text);

    struct Private;
    Private *d;
};
