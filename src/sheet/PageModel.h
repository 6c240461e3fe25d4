#pragma once
// The page without widgets: the layout catalogue, the current layout, one storage object per
// label, and the print settings. The page panel owns one and forwards its operations here; the
// command-line tool and most tests use it directly.

#include "richtext/RtfStorage.h"
#include "sheet/LayoutRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class QIODevice;

class PageModel {
public:
    static constexpr int MaxLabels = 200;
    static constexpr int MaxPrintFlags = 501;

    PageModel();
    ~PageModel();

    // ---- catalogue ----
    const QList<TLabelLayoutRecord> &LayoutCatalogue() const { return m_catalogue; }
    int LayoutCount() const { return int(m_catalogue.size()); }
    void AddLayout(const TLabelLayoutRecord &record);
    QStringList ListLayoutNames() const;  // catalogue order, decoded names
    // First entry of that name (the description lookup), or nullptr.
    const TLabelLayoutRecord *firstLayoutNamed(const QByteArray &name) const;
    // Last entry of that name (what ApplyLayout takes), or nullptr.
    const TLabelLayoutRecord *lastLayoutNamed(const QByteArray &name) const;

    // ---- the page ----
    const TLabelLayoutRecord &CurrentLayout() const { return m_current; }
    QByteArray LayoutDescription() const { return m_current.Description; }
    int LabelsPerPage() const { return m_labelsPerPage; }

    // Storage of label n (1-based), or nullptr outside 1..LabelsPerPage or for an empty slot.
    TWPRtfStorage *LabelStorage(int n) const;
    // Any slot 1..200, also beyond LabelsPerPage (kept by a shrinking layout change).
    TWPRtfStorage *slot(int n) const;

    // Makes the named catalogue layout current; keep=false discards every label, keep=true
    // keeps label k's content while k is within the new count.
    void ApplyLayout(const QByteArray &name, bool keep);
    void ClearLabelsFrom(int n);  // empties slots n..200 that hold a storage object
    void ClearAllLabels();        // empties labels 1..LabelsPerPage

    // Document file. Both throw FilerError with the stream's message.
    // SaveToFile writes a temporary file beside the target and renames it over the target only
    // once complete, so a failure leaves an existing document as it was.
    // LoadFromFile reads the whole document before it changes anything: after a failure the page
    // is exactly as before (a layout whose label count is not 1..200 is refused with "Invalid
    // property value"). Bytes after the last label list are ignored.
    void SaveToFile(const QString &path) const;
    void LoadFromFile(const QString &path);
    // The same on an open device (a buffer in tests and fuzzing).
    void saveTo(QIODevice &out) const;
    void loadFrom(QIODevice &in);

    // ---- printing ----
    int TopMarginNudgeThousandthInches = 0;
    int LeftMarginNudgeThousandthInches = 0;
    int VerticalSpacingThousandthInches = 0;
    int HorizontalSpacingThousandthInches = 0;
    std::array<bool, MaxPrintFlags> PrintSelection{};  // flag for label n at n - 1

private:
    QList<TLabelLayoutRecord> m_catalogue;
    TLabelLayoutRecord m_current;
    int m_labelsPerPage = 0;
    std::array<std::unique_ptr<TWPRtfStorage>, MaxLabels + 1> m_slots;  // [0] unused
};
