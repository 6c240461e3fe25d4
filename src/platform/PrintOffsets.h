#pragma once
// The four print adjustments, signed thousandths of an inch. The preferences load and save them,
// the fine-tuning dialog edits them, the print command hands them to the page. Not range-checked:
// a value put into the ini file by hand is used as it stands.

extern int TopMarginNudge;
extern int LeftMarginNudge;
extern int VerticalSpacing;
extern int HorizontalSpacing;
