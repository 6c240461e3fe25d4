#pragma once
// Whether printing can be offered at all: a printer is installed and a default one is named.

bool DefaultPrinterSelected();
bool CheckPrinterAvailable();
