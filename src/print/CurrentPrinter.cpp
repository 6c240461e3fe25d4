#include "print/CurrentPrinter.h"

#include <QPrinter>

QPrinter &CurrentPrinter() {
    // Made on first use: setting up a printer loads the print system, which start-up avoids.
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
