#include "image/Inflate.h"

#include <zlib.h>

namespace ImageAnalysis {

std::optional<QByteArray> inflateLimited(QByteArrayView compressed, qint64 limit, bool *cut)
{
    *cut = false;
    z_stream stream {};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    QByteArray out;
    constexpr qint64 kBlock = 64 * 1024;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = uInt(compressed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        const qint64 room = qMin(kBlock, limit - out.size());
        if (room <= 0) {
            *cut = true;
            break;
        }
        const qint64 before = out.size();
        out.resize(before + room);
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + before);
        stream.avail_out = uInt(room);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(before + room - stream.avail_out);
        if (status == Z_BUF_ERROR && stream.avail_in == 0)
            break; // the stream ends early
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END && !*cut)
        return std::nullopt;
    return out;
}

} // namespace ImageAnalysis
