#include "richtext/RtfStorage.h"

#include "richtext/Rtf.h"

#include <atomic>

namespace {
// Shared by every storage object, so no two contents ever carry the same revision.
std::atomic<std::uint64_t> g_revision{0};
}  // namespace

void TWPRtfStorage::setRtfText(const RichText &text) {
    m_text = text;
    m_revision = ++g_revision;
}

QByteArray TWPRtfStorage::data() const {
    if (m_text.IsEmpty())
        return {};
    QByteArray block = writeRtf(m_text);
    block.append(4, '\0');
    return block;
}

void TWPRtfStorage::setData(const QByteArray &block) {
    // The reader stops at the document's closing brace, so the trailing zero bytes (present
    // or not) need no special handling.
    setRtfText(block.isEmpty() ? RichText() : readRtf(block));
}
