#include "print/PrinterAvailability.h"

#include <QPrinterInfo>

bool DefaultPrinterSelected() {
    return !QPrinterInfo::defaultPrinterName().isEmpty();
}

bool CheckPrinterAvailable() {
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return false;
    return DefaultPrinterSelected();
}
