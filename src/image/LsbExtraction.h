#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A message hidden in the low bits of a picture: the chosen bits of the chosen channels read
// pixel by pixel, eight bits to a byte.
namespace ImageAnalysis {

struct LsbOptions
{
    QString kanaele = QStringLiteral("RGB"); // any of R, G, B, A in the order they are read
    int bit = 0; // 0 = the lowest bit plane, 7 = the highest
    bool hoechstesBitZuerst = true; // the first bit read is a byte's highest bit
    bool spaltenweise = false; // columns top to bottom instead of rows
};

// The bytes read; refuses (QuarvelError) an unknown channel letter or a bit outside 0–7.
QByteArray extractLsb(const QImage &image, const LsbOptions &options);

// The bytes as text: printable Latin-1 kept, every other byte made visible.
QString lsbText(const QByteArray &bytes);

} // namespace ImageAnalysis
