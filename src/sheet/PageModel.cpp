#include "sheet/PageModel.h"

PageModel::PageModel() = default;
PageModel::~PageModel() = default;

void PageModel::AddLayout(const TLabelLayoutRecord &record) {
    m_catalogue.append(record);
}

QStringList PageModel::ListLayoutNames() const {
    QStringList names;
    names.reserve(m_catalogue.size());
    for (const TLabelLayoutRecord &layout : m_catalogue)
        names.append(layout.name());
    return names;
}

const TLabelLayoutRecord *PageModel::firstLayoutNamed(const QByteArray &name) const {
    for (const TLabelLayoutRecord &layout : m_catalogue)
        if (layoutNamesMatch(layout.Description, name))
            return &layout;
    return nullptr;
}

const TLabelLayoutRecord *PageModel::lastLayoutNamed(const QByteArray &name) const {
    for (auto it = m_catalogue.crbegin(); it != m_catalogue.crend(); ++it)
        if (layoutNamesMatch(it->Description, name))
            return &*it;
    return nullptr;
}

TWPRtfStorage *PageModel::LabelStorage(int n) const {
    if (n < 1 || n > m_labelsPerPage)
        return nullptr;
    return m_slots[std::size_t(n)].get();
}

TWPRtfStorage *PageModel::slot(int n) const {
    if (n < 1 || n > MaxLabels)
        return nullptr;
    return m_slots[std::size_t(n)].get();
}

void PageModel::ApplyLayout(const QByteArray &name, bool keep) {
    const int oldCount = m_labelsPerPage;
    if (!keep)
        for (auto &storage : m_slots)
            storage.reset();

    // The later of two equal names wins. A layout that cannot make a page of 1..200 labels
    // (only possible when added by hand, the layout file reader passes over them) never matches,
    // so the page never claims more labels than it has storage for.
    for (const TLabelLayoutRecord &layout : m_catalogue) {
        const std::int64_t count = layout.labelCount();
        if (count >= 1 && count <= MaxLabels && layoutNamesMatch(layout.Description, name))
            m_current = layout;
    }
    m_labelsPerPage = int(std::clamp<std::int64_t>(m_current.labelCount(), 0, MaxLabels));

    if (keep && m_labelsPerPage < oldCount)
        ClearLabelsFrom(m_labelsPerPage + 1);
    for (int n = 1; n <= m_labelsPerPage; ++n)
        if (!m_slots[std::size_t(n)])
            m_slots[std::size_t(n)] = std::make_unique<TWPRtfStorage>();
}

void PageModel::ClearLabelsFrom(int n) {
    for (int k = std::max(n, 1); k <= MaxLabels; ++k)
        if (m_slots[std::size_t(k)])
            m_slots[std::size_t(k)]->clear();
}

void PageModel::ClearAllLabels() {
    for (int n = 1; n <= m_labelsPerPage; ++n)
        if (m_slots[std::size_t(n)])
            m_slots[std::size_t(n)]->clear();
}
