#pragma once

#include <QString>

// The text for a failed start of a document or program by the desktop launcher (a result of
// 32 or below); empty for a code without a text of its own and for every success (above 32).
QString shellErrorText(int code);
