#pragma once
// The label editor: shows a label's text in the same true-size layout that the page and the
// printer paint (LabelTextLayout), scaled by the magnification, with caret and selection.

#include "richtext/RichText.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

// The editor's current-attribute record.
struct TextAttributes {
    enum Style { Bold = 1, Italic = 2, Underline = 4, Strikeout = 8 };
    int fontNumber = 0;   // index in the editor's font table
    int colorNumber = 0;  // index in the editor's 16-entry colour table
    int style = 0;        // Style flags
    int size = 10;        // points, 1..255
    bool operator==(const TextAttributes &) const = default;
};

class TWPRichText : public QWidget {
    Q_OBJECT
public:
    explicit TWPRichText(QWidget *parent = nullptr);
    ~TWPRichText() override;

    // Whole copies of the content in and out. Setting the content raises OnChange.
    RichText RtfText() const;
    void setRtfText(const RichText &text);
    bool IsEmpty() const;

    // The writable area at true size, thousandths of an inch: the layout wraps to its width
    // and the overflow test measures against its height.
    void setPageSizeThou(int widthThou, int heightThou);
    int Zooming() const;
    void setZooming(int percent);  // shown scale: screen pixels per inch × percent / 100

    // Height of the formatted text, thousandths of an inch, and whether it fits the page.
    qreal FormattedTextHeightThou() const;
    bool TextFits() const;

    int CaretPosition() const;  // 0 = start of text
    void setCaretPosition(int position);

    TextAttributes CurrentAttributes() const;
    void setCurrentAttributes(const TextAttributes &attributes);
    // Font-table number of a face (names cut to 31 characters), added to the table if new.
    int FontNumber(const QString &family);
    QString FontName(int number) const;
    static QColor ColorTableEntry(int number);  // the 16 basic colours, 0 black ... 15 white
    static constexpr int ColorTableSize = 16;

    void Clear();
    void SelectAll();
    void InsertText(const QString &text);
    void CopyToClipboard() const;  // "Rich Text Format"/text/rtf and text/plain
    void CutToClipboard();
    void PasteFromClipboard();  // prefers RTF over plain text
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

signals:
    void OnChange();  // after every change of the content
    void OnClick();   // mouse click in the text
    void OnEnter();   // the editor took the keyboard focus
    // A typed character before it is inserted; set consumed to swallow it.
    void OnKeyPress(QChar key, bool &consumed);
    void currentFormatChanged();  // caret moved or formats changed: the toolbar refreshes

private:
    struct Private;
    Private *d;
};
