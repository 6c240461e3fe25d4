#pragma once
// The program's identity, set once at start-up before the main window exists and only read
// afterwards. Every other piece reads these instead of repeating the literals.

#include <QString>

extern QString GlobalApplicationName;    // "Quillmark"
extern QString GlobalApplicationPrefix;  // "QMKML"
extern QString GlobalDocumentExtension;  // "QMK"
extern QString GlobalDocumentTypeName;   // "Label Page File"
extern QString GlobalLayoutFileName;     // "QMKML.LLO"

void SetApplicationIdentity();
