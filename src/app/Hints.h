#pragma once
// Hints (tool tips) for the whole application: shown after 1200 ms, and switched on or off as one
// setting.

namespace Hints {
void install();  // once, after the QApplication exists
void setEnabled(bool on);
bool enabled();
}  // namespace Hints
