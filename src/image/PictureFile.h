#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Reading a picture file for the analysis, with the analysis's limits, for the command line and
// the window alike.
namespace ImageAnalysis {

// The file's bytes. Refuses (QuarvelError, German reason) a name that names nothing, a pipe, a
// device or a folder (reading them could block or never end), a file above 256 MB (before
// reading it) and a file that cannot be read (with the system's reason).
QByteArray readPictureFile(const QString &path);

// The first picture of the file decoded at full size. Refuses a file above 256 MB, a picture
// above 100 megapixels (before decoding) and bytes that are no readable picture.
QImage decodePicture(const QByteArray &fileBytes);

} // namespace ImageAnalysis
