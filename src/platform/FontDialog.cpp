#include "FontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
constexpr int minimumPoints = 1, maximumPoints = 1638;  // points

QIcon swatch(const QColor &color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}
}  // namespace

const QList<QPair<QString, QColor>> &TFontDialog::basicColours() {
    static const QList<QPair<QString, QColor>> colours = {
        {QStringLiteral("Black"), QColor(0, 0, 0)},        {QStringLiteral("Maroon"), QColor(128, 0, 0)},
        {QStringLiteral("Green"), QColor(0, 128, 0)},      {QStringLiteral("Olive"), QColor(128, 128, 0)},
        {QStringLiteral("Navy"), QColor(0, 0, 128)},       {QStringLiteral("Purple"), QColor(128, 0, 128)},
        {QStringLiteral("Teal"), QColor(0, 128, 128)},     {QStringLiteral("Gray"), QColor(128, 128, 128)},
        {QStringLiteral("Silver"), QColor(192, 192, 192)}, {QStringLiteral("Red"), QColor(255, 0, 0)},
        {QStringLiteral("Lime"), QColor(0, 255, 0)},       {QStringLiteral("Yellow"), QColor(255, 255, 0)},
        {QStringLiteral("Blue"), QColor(0, 0, 255)},       {QStringLiteral("Fuchsia"), QColor(255, 0, 255)},
        {QStringLiteral("Aqua"), QColor(0, 255, 255)},     {QStringLiteral("White"), QColor(255, 255, 255)},
    };
    return colours;
}

TFontDialog::TFontDialog(QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Font"));
    m_face = new QFontComboBox;
    m_size = new QComboBox;
    m_size->setEditable(true);
    m_size->setValidator(new QIntValidator(minimumPoints, maximumPoints, m_size));
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_size->addItem(QString::number(size));
    m_bold = new QCheckBox(QStringLiteral("&Bold"));
    m_italic = new QCheckBox(QStringLiteral("&Italic"));
    m_underline = new QCheckBox(QStringLiteral("&Underline"));
    m_strikeout = new QCheckBox(QStringLiteral("Stri&keout"));
    m_colour = new QComboBox;
    for (const auto &[name, colour] : basicColours())
        m_colour->addItem(swatch(colour), name, colour);
    m_sample = new QLabel(QStringLiteral("AaBbYyZz"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(220, 60);
    m_sample->setFrameShape(QFrame::StyledPanel);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Font:"), m_face);
    form->addRow(QStringLiteral("&Size:"), m_size);
    form->addRow(QStringLiteral("&Colour:"), m_colour);
    auto *effects = new QGroupBox(QStringLiteral("Style and effects"));
    auto *effectsLayout = new QVBoxLayout(effects);
    for (QCheckBox *box : {m_bold, m_italic, m_underline, m_strikeout})
        effectsLayout->addWidget(box);
    auto *sampleBox = new QGroupBox(QStringLiteral("Sample"));
    (new QVBoxLayout(sampleBox))->addWidget(m_sample);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(effects);
    layout->addWidget(sampleBox);
    layout->addWidget(buttons);

    connect(m_face, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        m_family = font.family();
        updateSample();
    });
    connect(m_size, &QComboBox::currentTextChanged, this, &TFontDialog::updateSample);
    connect(m_colour, &QComboBox::currentIndexChanged, this, &TFontDialog::updateSample);
    for (QCheckBox *box : {m_bold, m_italic, m_underline, m_strikeout})
        connect(box, &QCheckBox::toggled, this, &TFontDialog::updateSample);

    QFont initial(QStringLiteral("Arial"));
    initial.setPointSize(10);
    setCurrentFont(initial);
    setColor(Qt::black);
}

void TFontDialog::setCurrentFont(const QFont &font) {
    const QString family = font.family();
    {
        const QSignalBlocker block(m_face);
        m_face->setCurrentFont(font);
    }
    m_family = family;
    const int points = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    m_size->setCurrentText(QString::number(qBound(minimumPoints, points > 0 ? points : 10, maximumPoints)));
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(font.underline());
    m_strikeout->setChecked(font.strikeOut());
    updateSample();
}

QFont TFontDialog::currentFont() const {
    QFont font(m_family);
    bool ok = false;
    const int size = m_size->currentText().toInt(&ok);
    font.setPointSize(ok ? qBound(minimumPoints, size, maximumPoints) : 10);
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    font.setUnderline(m_underline->isChecked());
    font.setStrikeOut(m_strikeout->isChecked());
    return font;
}

void TFontDialog::setColor(const QColor &color) {
    const QColor wanted = color.isValid() ? color.toRgb() : QColor(Qt::black);
    int index = -1;
    for (int i = 0; i < m_colour->count(); ++i) {
        if (m_colour->itemData(i).value<QColor>().rgb() == wanted.rgb())
            index = i;
    }
    if (index < 0) {
        m_colour->addItem(swatch(wanted), QStringLiteral("Custom"), wanted);
        index = m_colour->count() - 1;
    }
    m_colour->setCurrentIndex(index);
    updateSample();
}

QColor TFontDialog::color() const {
    return m_colour->currentData().value<QColor>();
}

void TFontDialog::updateSample() {
    if (!m_sample)
        return;
    QFont font = currentFont();
    font.setPointSize(qMin(font.pointSize(), 36));  // the sample box stays a sample
    m_sample->setFont(font);
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, color());
    m_sample->setPalette(palette);
}
