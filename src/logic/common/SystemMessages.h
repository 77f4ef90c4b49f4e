#pragma once

#include <QString>

class QXmlStreamReader;

// The reasons the C library and Qt give in English ("No such file or directory", "Opening and
// ending tag mismatch."), worded in German for the messages of window and command line.
namespace SystemMessages {

// A system error text (strerror, QFile::errorString) in German; a text that is no known English
// reason (one already translated, or a message of our own) comes back as it is.
QString germanReason(const QString &reason);

// What is wrong with an XML document the reader stopped at, in German.
QString germanXmlError(const QXmlStreamReader &xml);

} // namespace SystemMessages
