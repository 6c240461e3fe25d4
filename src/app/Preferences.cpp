#include "app/Preferences.h"

#include "platform/FontDialog.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramFolder.h"

namespace {
const QString zooming = QStringLiteral("Zooming");
const QString defaultFont = QStringLiteral("Default Font");
const QString printer = QStringLiteral("Printer");
const QString hints = QStringLiteral("Hints");
constexpr int maxFaceLength = 255;
}  // namespace

void LoadPreferences(Preferences &p) {
    const ProfileFile ini(IniFileName());
    p.ZoomMain = ini.readInteger(zooming, QStringLiteral("Main"), 100);
    p.ZoomProp = ini.readInteger(zooming, QStringLiteral("Prop"), 30);
    TopMarginNudge = ini.readInteger(printer, QStringLiteral("TopMarginNudge"), 0);
    LeftMarginNudge = ini.readInteger(printer, QStringLiteral("LeftMarginNudge"), 0);
    VerticalSpacing = ini.readInteger(printer, QStringLiteral("VerticalSpacing"), 0);
    HorizontalSpacing = ini.readInteger(printer, QStringLiteral("HorizontalSpacing"), 0);
    p.DefaultFontName = ini.readString(defaultFont, QStringLiteral("Name"), QStringLiteral("Arial"));
    p.DefaultFontSize = ini.readInteger(defaultFont, QStringLiteral("Size"), 10);
    p.DefaultFontBold = ini.readBool(defaultFont, QStringLiteral("Bold"), false);
    p.DefaultFontItalic = ini.readBool(defaultFont, QStringLiteral("Italic"), false);
    p.DefaultFontUnderline = ini.readBool(defaultFont, QStringLiteral("Underline"), false);
    p.DefaultFontStrikeout = ini.readBool(defaultFont, QStringLiteral("Strikeout"), false);
    p.DefaultFontColor = ini.readInteger(defaultFont, QStringLiteral("Color"), 0);
    p.ShowHints = ini.readBool(hints, QStringLiteral("On"), true);
}

void SavePreferences(Preferences &p, const QFont &font, const QColor &color) {
    // The fields follow the font first, so they are right even when a write below is refused.
    p.DefaultFontName = font.family();
    p.DefaultFontSize = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    p.DefaultFontBold = font.bold();
    p.DefaultFontItalic = font.italic();
    p.DefaultFontUnderline = font.underline();
    p.DefaultFontStrikeout = font.strikeOut();
    p.DefaultFontColor = ColorToWindows(color);
    ProfileFile ini(IniFileName());
    ini.writeInteger(zooming, QStringLiteral("Main"), p.ZoomMain);
    ini.writeInteger(zooming, QStringLiteral("Prop"), p.ZoomProp);
    ini.writeString(defaultFont, QStringLiteral("Name"), p.DefaultFontName);
    ini.writeInteger(defaultFont, QStringLiteral("Size"), p.DefaultFontSize);
    ini.writeBool(defaultFont, QStringLiteral("Bold"), p.DefaultFontBold);
    ini.writeBool(defaultFont, QStringLiteral("Italic"), p.DefaultFontItalic);
    ini.writeBool(defaultFont, QStringLiteral("Underline"), p.DefaultFontUnderline);
    ini.writeBool(defaultFont, QStringLiteral("Strikeout"), p.DefaultFontStrikeout);
    ini.writeInteger(defaultFont, QStringLiteral("Color"), p.DefaultFontColor);
    ini.writeInteger(printer, QStringLiteral("TopMarginNudge"), TopMarginNudge);
    ini.writeInteger(printer, QStringLiteral("LeftMarginNudge"), LeftMarginNudge);
    ini.writeInteger(printer, QStringLiteral("VerticalSpacing"), VerticalSpacing);
    ini.writeInteger(printer, QStringLiteral("HorizontalSpacing"), HorizontalSpacing);
    ini.writeBool(hints, QStringLiteral("On"), p.ShowHints);
}

void SavePreferences(Preferences &p, const TFontDialog &dialog) {
    SavePreferences(p, dialog.currentFont(), dialog.color());
}

QFont DefaultFont(const Preferences &p) {
    QFont font(p.DefaultFontName.left(maxFaceLength));
    if (p.DefaultFontSize > 0)
        font.setPointSize(p.DefaultFontSize);
    font.setBold(p.DefaultFontBold);
    font.setItalic(p.DefaultFontItalic);
    font.setUnderline(p.DefaultFontUnderline);
    font.setStrikeOut(p.DefaultFontStrikeout);
    return font;
}

QColor DefaultFontColour(const Preferences &p) {
    return ColorFromWindows(p.DefaultFontColor);
}

void ApplyDefaultFont(const Preferences &p, TFontDialog &dialog) {
    dialog.setCurrentFont(DefaultFont(p));
    dialog.setColor(DefaultFontColour(p));
}

QColor ColorFromWindows(int value) {
    const quint32 bits = quint32(value);
    return QColor(int(bits & 0xff), int((bits >> 8) & 0xff), int((bits >> 16) & 0xff));
}

int ColorToWindows(const QColor &color) {
    const QColor rgb = color.isValid() ? color.toRgb() : QColor(Qt::black);
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}
