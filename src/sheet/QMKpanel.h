#pragma once
// The page on screen: draws the current layout's labels at a magnification, frames the selected
// label, and tells its owner which label was clicked. It owns the page (PageModel) and forwards
// the page's operations to it.

#include "sheet/PageModel.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>

class QPainter;

struct TCellRects {
    QRect rTotal;  // the label's outline, panel pixels, Windows rules (right/bottom outside)
    QRect rFree;   // its writable area
};

class TQMKPagePanel : public QWidget {
    Q_OBJECT
public:
    explicit TQMKPagePanel(QWidget *parent = nullptr);
    ~TQMKPagePanel() override;

    PageModel &page() { return m_page; }
    const PageModel &page() const { return m_page; }

    // Raised when a label is clicked or activated: outline, free rectangle, number, storage.
    using TClickedInCellEvent = std::function<void(QPainter *canvas, QRect rTotal, QRect rFree, int iNumber,
                                                   TWPRtfStorage *&rtfstorage)>;
    TClickedInCellEvent ClickedInCellEvent;
    std::function<void()> OnClick;  // a click outside every label

    int LabelsPerPage() const { return m_page.LabelsPerPage(); }
    QByteArray LayoutDescription() const { return m_page.LayoutDescription(); }

    int Magnification() const { return m_magnification; }
    void setMagnification(int percent);
    int SelectedCell() const { return m_selectedCell; }
    void setSelectedCell(int n);

    const TCellRects &cellRects(int n) const;  // 1..200; all zero until laid out

    void ActivateLabel(int n);
    void ActivatePreviousLabel(int n);
    void ActivateNextLabel(int n);
    TWPRtfStorage *LabelRichText(int n) const { return m_page.LabelStorage(n); }
    void ClearLabelsFrom(int n);
    void ClearAllLabels();

    void ApplyLayout(const QByteArray &name, bool keep);
    void SaveToFile(const QString &path) const { m_page.SaveToFile(path); }
    void LoadFromFile(const QString &path);
    void AddLayout(const TLabelLayoutRecord &record) { m_page.AddLayout(record); }
    QStringList ListLayoutNames() const { return m_page.ListLayoutNames(); }

    // Screen pixels per logical inch; read from the primary screen unless a test sets it.
    static int screenPixelsPerInch();
    static void setScreenPixelsPerInchForTesting(int ppi);  // 0 = the screen's again

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    PageModel m_page;
    int m_magnification = 100;
    int m_selectedCell = 0;
    std::array<TCellRects, PageModel::MaxLabels + 1> m_cells{};
    // ... render cache
};
