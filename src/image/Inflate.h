#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace ImageAnalysis {

// A zlib stream unpacked to at most `limit` bytes, so a tiny text chunk that claims gigabytes
// costs no more than the limit. Empty when the stream is damaged; `cut` tells whether the limit
// was reached before the stream's end.
std::optional<QByteArray> inflateLimited(QByteArrayView compressed, qint64 limit, bool *cut);

} // namespace ImageAnalysis
