// libFuzzer target for the RTF reader. Besides crashes, hangs and leaks (the sanitizers' job)
// it checks the reader's contract: any input reads to a normalized value with at least one
// paragraph, and the writer keeps that value exactly.

#include "richtext/Rtf.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const RichText text = readRtf(input);
    if (text.paragraphs.isEmpty()) {
        std::fprintf(stderr, "no paragraph\n");
        std::abort();
    }
    if (!(text == text.normalized())) {
        std::fprintf(stderr, "reader gave a value that is not normalized\n");
        std::abort();
    }
    const QByteArray written = writeRtf(text);
    if (!(readRtf(written) == text)) {
        std::fprintf(stderr, "write and read changed the value: %s\n", written.constData());
        std::abort();
    }
    return 0;
}
