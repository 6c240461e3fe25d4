#pragma once
// A builder for label-stock layouts in tests and benchmarks. Every field starts at 0, as in a
// default TLabelLayoutRecord; each setter names the fields it fills, so a call site shows the
// values its assertions depend on. Lengths are thousandths of an inch.
//
//   TLabelLayoutRecord r = TestLayout::grid(3, 10).named("Address").label(2625, 1000)
//                              .pitch(2750, 1000).margins(188, 500).page(8500, 11000)
//                              .free(125, 125, 2500, 1000);

#include "sheet/LayoutRecord.h"

#include <QByteArray>

class TestLayout {
public:
    // NumberAcross × NumberDown labels; everything else 0.
    static TestLayout grid(int across, int down) {
        TestLayout layout;
        layout.m_record.NumberAcross = across;
        layout.m_record.NumberDown = down;
        return layout;
    }

    TestLayout &named(const QByteArray &description) {
        m_record.Description = description;
        return *this;
    }
    TestLayout &label(int width, int height) {
        m_record.LabelWidth = width;
        m_record.LabelHeight = height;
        return *this;
    }
    TestLayout &pitch(int horizontal, int vertical) {
        m_record.HorizontalPitch = horizontal;
        m_record.VerticalPitch = vertical;
        return *this;
    }
    TestLayout &margins(int left, int top) {
        m_record.LeftMargin = left;
        m_record.TopMargin = top;
        return *this;
    }
    TestLayout &page(int width, int height) {
        m_record.PageWidth = width;
        m_record.PageHeight = height;
        return *this;
    }
    // The writable area inside a label, from the label's top left corner.
    TestLayout &free(int left, int top, int right, int bottom) {
        m_record.FreeLeft = left;
        m_record.FreeTop = top;
        m_record.FreeRight = right;
        m_record.FreeBottom = bottom;
        return *this;
    }
    TestLayout &paper(int paperSize) {
        m_record.PaperSize = paperSize;
        return *this;
    }
    TestLayout &stripe(int stripeStyle) {
        m_record.StripeStyle = stripeStyle;
        return *this;
    }

    const TLabelLayoutRecord &record() const { return m_record; }
    operator TLabelLayoutRecord() const { return m_record; }

private:
    TLabelLayoutRecord m_record;
};
