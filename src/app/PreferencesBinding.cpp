// The main window's two preference routines and the Default Editor Font command: they move the
// stored values into the window's fields and back.
//
// The font dialog is made on first use only: its face list scans the installed fonts, which has
// no place on the way to the first window. Until then the fields stand for the dialog's font.

#include "app/Main.h"

#include "app/Hints.h"
#include "app/Preferences.h"
#include "platform/FontDialog.h"

#include <QAction>

namespace {
Preferences fromForm(const TMainForm &form) {
    Preferences p;
    p.ZoomMain = form.ZoomMain;
    p.ZoomProp = form.ZoomProp;
    p.DefaultFontName = form.DefaultFontName;
    p.DefaultFontSize = form.DefaultFontSize;
    p.DefaultFontBold = form.DefaultFontBold;
    p.DefaultFontItalic = form.DefaultFontItalic;
    p.DefaultFontUnderline = form.DefaultFontUnderline;
    p.DefaultFontStrikeout = form.DefaultFontStrikeout;
    p.DefaultFontColor = form.DefaultFontColor;
    p.ShowHints = form.ShowHints;
    return p;
}

void toForm(const Preferences &p, TMainForm &form) {
    form.ZoomMain = p.ZoomMain;
    form.ZoomProp = p.ZoomProp;
    form.DefaultFontName = p.DefaultFontName;
    form.DefaultFontSize = p.DefaultFontSize;
    form.DefaultFontBold = p.DefaultFontBold;
    form.DefaultFontItalic = p.DefaultFontItalic;
    form.DefaultFontUnderline = p.DefaultFontUnderline;
    form.DefaultFontStrikeout = p.DefaultFontStrikeout;
    form.DefaultFontColor = p.DefaultFontColor;
    form.ShowHints = p.ShowHints;
}
}  // namespace

void TMainForm::LoadPreferences() {
    Preferences p = fromForm(*this);
    ::LoadPreferences(p);
    toForm(p, *this);
    if (DefaultFontdialog)
        ApplyDefaultFont(p, *DefaultFontdialog);
    mnushowHint->setChecked(ShowHints);
    Hints::setEnabled(ShowHints);
    UpdateControlStates();
}

void TMainForm::SavePreferences() {
    ShowHints = mnushowHint->isChecked();
    Preferences p = fromForm(*this);
    // The fields are updated even when a write is refused part-way: the font is taken first.
    struct Back {
        Preferences &p;
        TMainForm &form;
        ~Back() { toForm(p, form); }
    } back{p, *this};
    if (DefaultFontdialog)
        ::SavePreferences(p, *DefaultFontdialog);
    else
        ::SavePreferences(p, DefaultFont(p), DefaultFontColour(p));
}

void TMainForm::DefaultEditorFont1Click() {
    LoadPreferences();
    if (!DefaultFontdialog)
        DefaultFontdialog = std::make_unique<TFontDialog>(this);
    ApplyDefaultFont(fromForm(*this), *DefaultFontdialog);
    if (DefaultFontdialog->exec() == QDialog::Accepted) {
        try {
            SavePreferences();
        } catch (const std::exception &error) {
            reportError(error);
        }
    }
    SetDefaultFontNow();
}
