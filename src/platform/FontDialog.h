#pragma once
// A small font dialog with a colour: face, size, bold, italic, underline, strikeout, one of the
// 16 basic colours and a sample. It starts as Arial 10 black. QFontDialog has no colour, hence ours.

#include <QColor>
#include <QDialog>
#include <QFont>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;

class TFontDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFontDialog(QWidget *parent = nullptr);

    // The 16 basic colours in the order the colour box lists them, with their names.
    static const QList<QPair<QString, QColor>> &basicColours();

    void setCurrentFont(const QFont &font);
    QFont currentFont() const;
    // A colour outside the 16 is added to the box as "Custom".
    void setColor(const QColor &color);
    QColor color() const;

    QFontComboBox *faceBox() const { return m_face; }
    QComboBox *sizeBox() const { return m_size; }
    QComboBox *colourBox() const { return m_colour; }
    QCheckBox *boldBox() const { return m_bold; }
    QCheckBox *italicBox() const { return m_italic; }
    QCheckBox *underlineBox() const { return m_underline; }
    QCheckBox *strikeoutBox() const { return m_strikeout; }
    QLabel *sample() const { return m_sample; }

private:
    void updateSample();

    QString m_family;  // kept as given, even when the face box does not know the font
    QFontComboBox *m_face = nullptr;
    QComboBox *m_size = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QCheckBox *m_strikeout = nullptr;
    QComboBox *m_colour = nullptr;
    QLabel *m_sample = nullptr;
};
