#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// The frames of an animation (GIF and whatever else Qt's readers animate), one by one, each as
// the reader composes it (a GIF frame drawn over the ones before, as a viewer shows it).
namespace ImageAnalysis {

struct Frame
{
    QImage bild; // Format_ARGB32
    int dauerMs = 0; // how long it is shown, as the file says
};

struct Frames
{
    QList<Frame> bilder;
    QString problem; // in German: why reading stopped before the file's end; empty if it did not
};

// All frames decode to at most this many pixels together (400 MB as ARGB), and at most
// kMaxFrames frames are read; what lies beyond is named in `problem`.
constexpr qint64 kMaxFramePixels = 100'000'000;
constexpr int kMaxFrames = 2000;

// Refuses (QuarvelError) what decodeImage refuses of the first frame; a later frame that cannot
// be read ends the list with its reason in `problem`.
Frames readFrames(const QByteArray &fileBytes, qint64 maxPixels = kMaxFramePixels);

} // namespace ImageAnalysis
