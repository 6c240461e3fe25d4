#pragma once
// The page on screen: draws the current layout's labels at a magnification, frames the selected
// label, and tells its owner which label was clicked. It owns the page (PageModel) and forwards
// the page's operations to it.
//
// Coordinates: "panel pixels" are those of the page inside the panel's one-pixel border, so a
// label's rectangles lie at panel position + BorderWidth in the parent. Rectangles follow
// PageGeometry.h: x, y the left and top edges, x + width and y + height the right and bottom
// edges outside the shape.
//
// Painting keeps a page image and re-renders only what changed: the outlines when the geometry
// changes (layout, pixels per inch, magnification, device pixel ratio), and otherwise only the
// labels whose storage revision differs from the one last painted. Each label's text is laid out
// once at true size and reused until its revision or its writable width changes.

#include "sheet/PageGeometry.h"
#include "sheet/PageModel.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QPainter;
class LabelTextLayout;

class TQMKPagePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int BorderWidth = 1;

    explicit TQMKPagePanel(QWidget *parent = nullptr);
    ~TQMKPagePanel() override;

    PageModel &page() { return m_page; }
    const PageModel &page() const { return m_page; }

    // Raised when a label is clicked or activated: canvas, outline, free rectangle, number,
    // storage. A Qt widget can only be drawn on inside its paint event, so canvas is always
    // nullptr; a handler that wants a different storage object cannot swap the page's (the
    // reference is to a copy of the pointer).
    using TClickedInCellEvent = std::function<void(QPainter *canvas, QRect rTotal, QRect rFree, int iNumber,
                                                   TWPRtfStorage *&rtfstorage)>;
    TClickedInCellEvent ClickedInCellEvent;
    std::function<void()> OnClick;  // a click outside every label

    int LabelsPerPage() const { return m_page.LabelsPerPage(); }
    QByteArray LayoutDescription() const { return m_page.LayoutDescription(); }

    // Percent. Setting a new value resizes the panel to the page at that magnification and
    // repaints it; the rectangles of a laid-out page are valid again on return. No bounds.
    int Magnification() const { return m_magnification; }
    void setMagnification(int percent);
    // The label carrying the dotted selection frame, 0 for none. Setting it repaints only the
    // old and the new frame.
    int SelectedCell() const { return m_selectedCell; }
    void setSelectedCell(int n);

    // 1..200; all zero until the page is laid out (its first paint, or ActivateLabel), and
    // again after ApplyLayout, LoadFromFile and for cleared slots.
    const TCellRects &cellRects(int n) const;

    // Raise ClickedInCellEvent for label n (1..LabelsPerPage), laying the page out first when
    // needed so that the owner always gets the label's real rectangles.
    void ActivateLabel(int n);
    // Raise it for n - 1 / n + 1, only when that label has already been laid out; no wrap-around.
    void ActivatePreviousLabel(int n);
    void ActivateNextLabel(int n);
    TWPRtfStorage *LabelRichText(int n) const { return m_page.LabelStorage(n); }
    // Empty the text of slots n..200 (from 1 when n is below 1) and zero their rectangles.
    void ClearLabelsFrom(int n);
    void ClearAllLabels();

    void ApplyLayout(const QByteArray &name, bool keep);
    void SaveToFile(const QString &path) const { m_page.SaveToFile(path); }
    // Throws FilerError; the page is then unchanged.
    void LoadFromFile(const QString &path);
    void AddLayout(const TLabelLayoutRecord &record) { m_page.AddLayout(record); }
    QStringList ListLayoutNames() const { return m_page.ListLayoutNames(); }

    // The panel size for the current layout and magnification.
    QSize pageSize() const;

    // The page image as painted (panel pixels, white page), rendering what changed first.
    const QImage &renderedPage();

    // ---- for tests and benchmarks ----
    // Label text paints (one per label with text drawn into the page image) and text layouts
    // built since the panel was made.
    int labelRendersForTesting() const { return m_labelRenders; }
    int textLayoutsForTesting() const { return m_textLayouts; }
    // Forget the page image, and with textLayoutsToo every label's laid-out text as well.
    void dropRenderCacheForTesting(bool textLayoutsToo);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct LabelText {
        const TWPRtfStorage *storage = nullptr;  // compared only, never followed
        std::uint64_t revision = 0;
        int widthThou = 0;
        std::unique_ptr<LabelTextLayout> layout;  // nullptr for an empty text
    };
    // What the page image's outlines were drawn for; any difference redraws the whole image.
    struct PageKey {
        TLabelLayoutRecord layout;
        int labels = 0;
        int ppi = 0;
        int magnification = 0;
        qreal devicePixelRatio = 0;
        bool operator==(const PageKey &) const = default;
    };

    PageGeometry::ScreenScale scale() const;
    int laidOutLabels() const;  // LabelsPerPage within the panel's 200
    void layOutCellRects();     // rectangles of every label from the geometry
    void invalidateLayout();    // zero every rectangle; the page is laid out again at the next paint
    // Brings the page image up to date; returns the panel-pixel area that changed.
    QRegion renderPage();
    void drawOutlines(QPainter &painter);
    void renderLabel(QPainter &painter, int n);
    const LabelTextLayout *textLayout(int n);
    QRegion selectionFrameRegion(int n) const;  // widget coordinates
    void raiseClickedInCell(int n);
    int labelAt(QPoint panelPos) const;

    PageModel m_page;
    int m_magnification = 100;
    int m_selectedCell = 0;
    std::array<TCellRects, PageModel::MaxLabels + 1> m_cells{};  // [0] unused
    bool m_cellsLaidOut = false;
    bool m_pressed = false;

    QImage m_pageImage;
    bool m_pageValid = false;
    PageKey m_pageKey;
    // What each label's area of the page image shows: the storage and revision painted there.
    std::array<const TWPRtfStorage *, PageModel::MaxLabels + 1> m_paintedStorage{};
    std::array<std::uint64_t, PageModel::MaxLabels + 1> m_paintedRevision{};
    std::array<bool, PageModel::MaxLabels + 1> m_painted{};
    std::array<LabelText, PageModel::MaxLabels + 1> m_texts;

    int m_labelRenders = 0;
    int m_textLayouts = 0;
};
