// Walking a picture file's blocks (JPEG segments, PNG chunks, GIF blocks, WebP chunks) and
// scanning its bytes for signatures, text and data after the picture's end. Any bytes must give
// a structure that stays inside the file: its end within the bytes, at least one frame, no more
// delays than frames, findings at offsets inside the file.
#include "image/FileScan.h"
#include "image/ImageStructure.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace ImageAnalysis;

namespace {

void check(const ImageStructure &s, QByteArrayView file)
{
    if (s.ende && (*s.ende < 0 || *s.ende > file.size()))
        std::abort();
    if (s.bilder < 1 || s.bildDauernMs.size() > qMax(s.bilder, 100000) || s.breite < 0 ||
        s.hoehe < 0 || s.groesstesBild < 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char *>(data), qsizetype(size));
    // Every walker on every input, not only the one the first bytes choose.
    check(readJpegStructure(file), file);
    check(readPngStructure(file), file);
    check(readGifStructure(file), file);
    check(readWebpStructure(file), file);
    const ImageStructure chosen = readStructure(file);
    if (!chosen.format.isEmpty())
        check(chosen, file);
    bool truncated = false;
    for (const EmbeddedSignature &s : findSignatures(file, 0, 1000, &truncated)) {
        if (s.offset < 0 || s.offset >= file.size())
            std::abort();
    }
    for (const FoundText &t : findTextRuns(file, TextRunOptions(), &truncated)) {
        if (t.offset < 0 || t.offset >= file.size() || t.text.size() < 6)
            std::abort();
    }
    for (qint64 end : {qint64(0), qint64(size / 2), qint64(size)}) {
        const std::optional<Appendix> appendix = describeAppendix(file, end);
        if (appendix && appendix->offset + appendix->laenge != file.size())
            std::abort();
    }
    return 0;
}
