#include "PrintOffsets.h"

int TopMarginNudge = 0;
int LeftMarginNudge = 0;
int VerticalSpacing = 0;
int HorizontalSpacing = 0;
