#pragma once
// The user's settings in the ini file (IniFileName): magnification, the default editor font and
// whether hints show, plus the four print offsets, which are globals (platform/PrintOffsets.h).
//
// Sections and keys, each read and written on its own; a missing or unreadable value gives its
// default:
//   [Zooming]       Main=100  Prop=30
//   [Default Font]  Name=Arial  Size=10  Bold=0  Italic=0  Underline=0  Strikeout=0  Color=0
//   [Printer]       TopMarginNudge=0  LeftMarginNudge=0  VerticalSpacing=0  HorizontalSpacing=0
//   [Hints]         On=1
// Saving writes in that order, so a new file has its sections in that order. Values are not
// range-checked. Color is red in the lowest byte, then green, then blue.

#include "platform/PrintOffsets.h"

#include <QColor>
#include <QFont>
#include <QString>

class TFontDialog;

struct Preferences {
    int ZoomMain = 100;
    int ZoomProp = 30;  // kept for the file's sake; nothing uses it
    QString DefaultFontName = QStringLiteral("Arial");
    int DefaultFontSize = 10;  // points
    bool DefaultFontBold = false;
    bool DefaultFontItalic = false;
    bool DefaultFontUnderline = false;
    bool DefaultFontStrikeout = false;
    int DefaultFontColor = 0;
    bool ShowHints = true;
};

// Reads every key into the fields and the four global print offsets.
void LoadPreferences(Preferences &preferences);
// Takes the font (face, size, four styles) and colour into the default-font fields, then writes
// every key. A refused write raises ProfileWriteError ("Unable to write to <path>"); the keys
// written before it stay written.
void SavePreferences(Preferences &preferences, const QFont &font, const QColor &color);
// The same with the font dialog's font and colour.
void SavePreferences(Preferences &preferences, const TFontDialog &dialog);

// The default font as a font object (face cut to 255 characters) and a colour.
QFont DefaultFont(const Preferences &preferences);
QColor DefaultFontColour(const Preferences &preferences);
// Puts the default font and colour into the dialog, so it opens with them.
void ApplyDefaultFont(const Preferences &preferences, TFontDialog &dialog);

// Windows colour value (0x00BBGGRR) to and from a colour; the top byte is ignored.
QColor ColorFromWindows(int value);
int ColorToWindows(const QColor &color);
