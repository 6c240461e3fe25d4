#pragma once
// The button bar's pictures, drawn at run time so the program carries no image files.

#include <QIcon>

namespace Icons {
QIcon zoomIn();
QIcon zoomOut();
QIcon print();
QIcon copyToNext();
QIcon copyToAll();
QIcon symbol();
QIcon application();
}  // namespace Icons
