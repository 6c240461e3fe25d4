#include "sheet/QMKpanel.h"

#include "platform/Screen.h"
#include "richtext/LabelTextLayout.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <limits>

namespace {

const QColor kSilver(192, 192, 192);
const QColor kFrameGrey(128, 128, 128);
const QColor kBorder(0, 0, 0);
// The outline's corners are ellipses of 10 × 10 pixels whatever the magnification.
constexpr qreal kCornerRadius = 5.0;
// A page image beyond this many device pixels is made at a device pixel ratio of 1.
constexpr qint64 kMaxImagePixels = qint64(64) * 1024 * 1024;

const TCellRects kNoCell{};

// A rectangle's outline exactly over its pixels: Qt strokes a QRect one pixel wider and higher.
QRect strokeRect(const QRect &r) {
    return QRect(r.x(), r.y(), r.width() - 1, r.height() - 1);
}

}  // namespace

TQMKPagePanel::TQMKPagePanel(QWidget *parent) : QWidget(parent) {
    // The page image covers the whole client area at every paint, so nothing needs erasing
    // first and the page never flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

TQMKPagePanel::~TQMKPagePanel() = default;

PageGeometry::ScreenScale TQMKPagePanel::scale() const {
    return PageGeometry::ScreenScale{ScreenPixelsPerInch(), m_magnification};
}

int TQMKPagePanel::laidOutLabels() const {
    return std::clamp(m_page.LabelsPerPage(), 0, PageModel::MaxLabels);
}

QSize TQMKPagePanel::pageSize() const {
    return PageGeometry::PanelSize(m_page.CurrentLayout(), scale());
}

const TCellRects &TQMKPagePanel::cellRects(int n) const {
    if (n < 1 || n > PageModel::MaxLabels)
        return kNoCell;
    return m_cells[std::size_t(n)];
}

// ---- the page's operations ----

void TQMKPagePanel::setMagnification(int percent) {
    if (percent == m_magnification)
        return;
    m_magnification = percent;
    resize(pageSize());
    // The owner reopens its editor over the label right after a zoom, so the rectangles must
    // already be those of the new magnification.
    if (m_cellsLaidOut)
        layOutCellRects();
    update();
}

void TQMKPagePanel::setSelectedCell(int n) {
    if (n == m_selectedCell)
        return;
    QRegion frames = selectionFrameRegion(m_selectedCell);
    m_selectedCell = n;
    frames += selectionFrameRegion(n);
    // Until the page is laid out no frame is on screen, and the full paint that lays it out
    // draws the new one.
    if (!frames.isEmpty())
        update(frames);
}

void TQMKPagePanel::ActivateLabel(int n) {
    if (!ClickedInCellEvent || n < 1 || n > laidOutLabels())
        return;
    if (!m_cellsLaidOut)
        layOutCellRects();
    raiseClickedInCell(n);
}

void TQMKPagePanel::ActivatePreviousLabel(int n) {
    const int previous = n - 1;
    if (previous < 1 || previous > laidOutLabels())
        return;
    if (m_cells[std::size_t(previous)].rFree == QRect())
        return;
    if (ClickedInCellEvent)
        raiseClickedInCell(previous);
}

void TQMKPagePanel::ActivateNextLabel(int n) {
    if (n < 0 || n >= laidOutLabels())
        return;
    const int next = n + 1;
    if (m_cells[std::size_t(next)].rFree == QRect())
        return;
    if (ClickedInCellEvent)
        raiseClickedInCell(next);
}

void TQMKPagePanel::ClearLabelsFrom(int n) {
    if (n > PageModel::MaxLabels)
        return;
    for (int k = std::max(n, 1); k <= PageModel::MaxLabels; ++k)
        if (m_page.slot(k))
            m_cells[std::size_t(k)] = TCellRects{};
    m_page.ClearLabelsFrom(n);
    m_cellsLaidOut = false;
    update();
}

void TQMKPagePanel::ClearAllLabels() {
    for (int k = 1; k <= laidOutLabels(); ++k)
        if (m_page.slot(k))
            m_cells[std::size_t(k)] = TCellRects{};
    m_page.ClearAllLabels();
    m_cellsLaidOut = false;
    update();
}

void TQMKPagePanel::ApplyLayout(const QByteArray &name, bool keep) {
    m_page.ApplyLayout(name, keep);
    invalidateLayout();
    resize(pageSize());
    update();
}

void TQMKPagePanel::LoadFromFile(const QString &path) {
    m_page.LoadFromFile(path);  // on failure the page, and so the panel, stays as it was
    invalidateLayout();
    resize(pageSize());
    update();
}

void TQMKPagePanel::invalidateLayout() {
    m_cells.fill(TCellRects{});
    m_cellsLaidOut = false;
    // Laid-out texts of slots the page no longer shows are not needed again soon.
    for (int k = laidOutLabels() + 1; k <= PageModel::MaxLabels; ++k)
        m_texts[std::size_t(k)] = LabelText{};
}

void TQMKPagePanel::layOutCellRects() {
    const PageGeometry::ScreenScale s = scale();
    for (int n = 1; n <= laidOutLabels(); ++n)
        m_cells[std::size_t(n)] = PageGeometry::LabelCellRects(m_page.CurrentLayout(), n, s);
    m_cellsLaidOut = true;
}

// ---- painting ----

void TQMKPagePanel::dropRenderCacheForTesting(bool textLayoutsToo) {
    m_pageValid = false;
    if (textLayoutsToo)
        for (LabelText &text : m_texts)
            text = LabelText{};
}

const QImage &TQMKPagePanel::renderedPage() {
    renderPage();
    return m_pageImage;
}

QRegion TQMKPagePanel::renderPage() {
    const QSize size = pageSize();
    qreal dpr = devicePixelRatioF();
    if (qint64(size.width()) * size.height() * dpr * dpr > kMaxImagePixels)
        dpr = 1.0;
    const PageKey key{m_page.CurrentLayout(), laidOutLabels(), ScreenPixelsPerInch(), m_magnification, dpr};

    QRegion changed;
    if (!m_pageValid || !(key == m_pageKey)) {
        // The buffer of the same size is reused: a page-sized allocation costs page faults.
        const QSize deviceSize = (QSizeF(size) * dpr).toSize();
        if (m_pageImage.size() != deviceSize || m_pageImage.devicePixelRatio() != dpr) {
            m_pageImage = QImage(deviceSize, QImage::Format_RGB32);
            m_pageImage.setDevicePixelRatio(dpr);
        }
        m_pageImage.fill(Qt::white);
        layOutCellRects();
        QPainter painter(&m_pageImage);
        drawOutlines(painter);
        m_painted.fill(false);
        m_pageKey = key;
        m_pageValid = true;
        changed = QRect(QPoint(0, 0), size);
    } else if (!m_cellsLaidOut) {
        layOutCellRects();  // same geometry; only cleared slots lost their rectangles
    }
    if (m_pageImage.isNull())
        return changed;

    // Labels are painted in number order, so where writable areas overlap the higher number is
    // on top; a label painted again covers the labels after it that it overlaps, which are then
    // painted again too.
    QPainter painter;
    QRegion repainted;
    for (int n = 1; n <= laidOutLabels(); ++n) {
        const std::size_t i = std::size_t(n);
        const TWPRtfStorage *storage = m_page.LabelStorage(n);
        const std::uint64_t revision = storage ? storage->revision() : 0;
        const QRect &area = m_cells[i].rFree;
        const bool stale =
            !m_painted[i] || m_paintedStorage[i] != storage || m_paintedRevision[i] != revision;
        if (!stale && !repainted.intersects(area))
            continue;
        if (!painter.isActive())
            painter.begin(&m_pageImage);
        renderLabel(painter, n);
        m_painted[i] = true;
        m_paintedStorage[i] = storage;
        m_paintedRevision[i] = revision;
        if (!area.isEmpty())
            repainted += area;
    }
    return changed + repainted;
}

void TQMKPagePanel::drawOutlines(QPainter &painter) {
    const PageGeometry::ScreenScale s = scale();
    const QList<QRect> bars = PageGeometry::StripeBars(m_page.CurrentLayout().StripeStyle, s);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kSilver, 0));  // cosmetic: one device pixel wide
    painter.setBrush(Qt::NoBrush);
    for (int n = 1; n <= laidOutLabels(); ++n) {
        const QRect &outline = m_cells[std::size_t(n)].rTotal;
        if (!outline.isEmpty())
            painter.drawRoundedRect(strokeRect(outline), kCornerRadius, kCornerRadius, Qt::AbsoluteSize);
        // Bars are drawn before any text, so a label's text area covers a bar inside it.
        for (const QRect &bar : bars)
            if (!bar.isEmpty())
                painter.fillRect(bar.translated(outline.topLeft()), kSilver);
    }
}

void TQMKPagePanel::renderLabel(QPainter &painter, int n) {
    const QRect area = m_cells[std::size_t(n)].rFree;
    if (area.isEmpty())
        return;
    painter.fillRect(area, Qt::white);
    const LabelTextLayout *layout = textLayout(n);
    if (!layout)
        return;
    const PageGeometry::ScreenScale s = scale();
    // Whole lines whose bottom lies within the area and a little below it are painted; what
    // falls outside the area is cut off.
    const QRect target(area.x(), area.y(), area.width() + 1,
                       area.height() + 1 + PageGeometry::DesignPixels(15, s.ppi));
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    layout->paint(painter, target, s.unitsPerInch());
    painter.restore();
    ++m_labelRenders;
}

const LabelTextLayout *TQMKPagePanel::textLayout(int n) {
    const TWPRtfStorage *storage = m_page.LabelStorage(n);
    LabelText &cached = m_texts[std::size_t(n)];
    if (!storage) {
        cached = LabelText{};
        return nullptr;
    }
    // Lines break at the label's writable width at true size, as in the editor and on paper.
    const TLabelLayoutRecord &layout = m_page.CurrentLayout();
    const int widthThou = int(std::clamp<std::int64_t>(std::int64_t(layout.FreeRight) - layout.FreeLeft, 0,
                                                       std::numeric_limits<int>::max()));
    const std::uint64_t revision = storage->revision();
    if (cached.storage == storage && cached.revision == revision && cached.widthThou == widthThou &&
        (cached.layout || storage->RtfText().IsEmpty()))
        return cached.layout.get();
    cached.storage = storage;
    cached.revision = revision;
    cached.widthThou = widthThou;
    cached.layout.reset();
    if (!storage->RtfText().IsEmpty()) {
        cached.layout = std::make_unique<LabelTextLayout>(storage->RtfText(), widthThou);
        ++m_textLayouts;
    }
    return cached.layout.get();
}

QRegion TQMKPagePanel::selectionFrameRegion(int n) const {
    if (n < 1 || n > laidOutLabels() || !m_cellsLaidOut)
        return {};
    const QRect frame =
        PageGeometry::SelectionFrameRect(m_cells[std::size_t(n)].rFree).translated(BorderWidth, BorderWidth);
    if (frame.width() <= 0 || frame.height() <= 0)
        return {};
    // Only the outline's pixels: the page inside it needs no repaint.
    QRegion region(frame.x(), frame.y(), frame.width(), 1);
    region += QRect(frame.x(), frame.y() + frame.height() - 1, frame.width(), 1);
    region += QRect(frame.x(), frame.y(), 1, frame.height());
    region += QRect(frame.x() + frame.width() - 1, frame.y(), 1, frame.height());
    return region;
}

void TQMKPagePanel::paintEvent(QPaintEvent *event) {
    const QRegion changed = renderPage().translated(BorderWidth, BorderWidth);

    QPainter painter(this);
    const QRect client = rect().adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    painter.setPen(QPen(kBorder, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(strokeRect(rect()));

    // Whatever of the page exceeds the client area is cut off.
    painter.setClipRegion(event->region() & client);
    const QRect pageArea(QPoint(BorderWidth, BorderWidth), m_pageImage.deviceIndependentSize().toSize());
    if (!m_pageImage.isNull())
        painter.drawImage(pageArea.topLeft(), m_pageImage);
    // A panel made larger than its page by its owner shows white beyond the page.
    for (const QRect &beyond : QRegion(client) - pageArea)
        painter.fillRect(beyond, Qt::white);

    if (m_selectedCell >= 1 && m_selectedCell <= laidOutLabels()) {
        QPen dotted(kFrameGrey, 0, Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        const QRect frame = PageGeometry::SelectionFrameRect(m_cells[std::size_t(m_selectedCell)].rFree);
        if (frame.width() > 0 && frame.height() > 0)
            painter.drawRect(strokeRect(frame.translated(BorderWidth, BorderWidth)));
    }

    // Labels whose text changed since the last paint were rendered now; show those parts of
    // them that this paint did not cover.
    const QRegion missing = (changed & client) - event->region();
    if (!missing.isEmpty())
        update(missing);
}

// ---- mouse ----

void TQMKPagePanel::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void TQMKPagePanel::mouseDoubleClickEvent(QMouseEvent *event) {
    // The click that began the double click has been handled; the second one does nothing.
    m_pressed = false;
    event->accept();
}

void TQMKPagePanel::mouseReleaseEvent(QMouseEvent *event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    const QPoint pos = event->position().toPoint();
    if (!rect().contains(pos))
        return;
    const int n = labelAt(pos - QPoint(BorderWidth, BorderWidth));
    if (n > 0) {
        if (ClickedInCellEvent)
            raiseClickedInCell(n);
    } else if (OnClick) {
        OnClick();
    }
}

int TQMKPagePanel::labelAt(QPoint panelPos) const {
    // The lowest number wins where outlines overlap; right and bottom edges lie outside.
    for (int n = 1; n <= laidOutLabels(); ++n)
        if (m_cells[std::size_t(n)].rTotal.contains(panelPos))
            return n;
    return 0;
}

void TQMKPagePanel::raiseClickedInCell(int n) {
    // A copy: the handler may replace the panel's handler while it runs.
    const TClickedInCellEvent handler = ClickedInCellEvent;
    const TCellRects cells = m_cells[std::size_t(n)];
    TWPRtfStorage *storage = m_page.LabelStorage(n);
    handler(nullptr, cells.rTotal, cells.rFree, n, storage);
}
