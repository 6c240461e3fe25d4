#pragma once
// The layout record in the filer stream, and the layout file ("QMKML.LLO") read into a page's
// catalogue.

#include "sheet/LayoutRecord.h"

#include <QString>

class FilerReader;
class FilerWriter;
class PageModel;
class QIODevice;

// Description as a string, then fields 1..22 as integers; no list tags.
void ReadLayoutRecord(FilerReader &reader, TLabelLayoutRecord &record);
void WriteLayoutRecord(FilerWriter &writer, const TLabelLayoutRecord &record);

// Appends the file's layouts to the catalogue (it never empties it first). Opening the file and
// reading its header list raise FilerError; the first failure among the layouts ends the reading
// quietly and keeps what was added. A layout whose NumberAcross × NumberDown is not 1..200 cannot
// make a page and is passed over; reading goes on after it.
void LoadLLOFile(PageModel &page, const QString &path);
void LoadLLOStream(PageModel &page, QIODevice &in);

// Writes a whole layout file: the header list of two integers, then one list per layout.
void WriteLLOStream(QIODevice &out, const QList<TLabelLayoutRecord> &layouts, std::int32_t header1 = 1,
                    std::int32_t header2 = 33);
