#pragma once
// A label's storage object. It holds one RichText; the page keeps one per label.

#include "richtext/RichText.h"

#include <QByteArray>
#include <cstdint>

class TWPRtfStorage {
public:
    const RichText &RtfText() const { return m_text; }
    // Takes a whole copy of the content (text and formatting).
    void setRtfText(const RichText &text);
    void clear() { setRtfText(RichText()); }

    // Changes on every content change and is unique across all storage objects, so a
    // painter can cache a rendered label against (slot, revision).
    std::uint64_t revision() const { return m_revision; }

    // The persisted form of the content, the binary property "RtfText.Data": the RTF of the
    // text followed by four zero bytes, or nothing at all when the text is empty.
    bool hasData() const { return !m_text.IsEmpty(); }
    QByteArray data() const;
    // Reads a data block (RTF with or without the trailing zero bytes).
    void setData(const QByteArray &block);

private:
    RichText m_text;
    std::uint64_t m_revision = 0;
};
