#pragma once
// The screen figures the program depends on, read in this one place so tests can set them.

#include <QSize>

// Logical pixels per inch of the primary screen (vertical); 96 without a screen.
int ScreenPixelsPerInch();
// Full size of the primary screen in pixels; 1024 x 768 without a screen.
QSize ScreenSize();

// Tests: fixed figures instead of the screen's. A dpi of 0 or an empty size means the real one.
void setScreenPixelsPerInchForTesting(int dpi);
void setScreenSizeForTesting(const QSize &size);
