#pragma once
// The program's current printer: the system default until Print Setup changes it; every later
// print job uses what was chosen there.

class QPrinter;

QPrinter &CurrentPrinter();
