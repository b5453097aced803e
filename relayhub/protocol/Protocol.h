#pragma once
// The request grammar shared by the RelayHub client and server: a separator
// before every field, no quoting, no escaping. Also the byte/text mapping
// that carries binary pieces as text (Windows-1252, every byte round-trips).

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace relayhub {

inline constexpr QChar kSeparator = QLatin1Char('|');

// "|f1|f2|…"; with trailingSeparator one more "|" (an empty last field).
QString RequestBuild(const QStringList& fields, bool trailingSeparator = false);

// The fields of a request (the empty text before the first separator is
// dropped). With maxFields > 0 the last field keeps the rest of the request
// verbatim, separators included, so a binary piece holding "|" survives.
// A request that does not start with the separator yields no fields.
QStringList RequestSplit(const QString& request, int maxFields = 0);

// Bytes to text: one character per byte, Windows-1252; the five bytes the
// code page leaves undefined map to the code points of the same value.
QString BytesToText(const QByteArray& bytes);

// Text to bytes, the reverse mapping. A character outside the mapping makes
// ok false and becomes "?".
QByteArray TextToBytes(const QString& text, bool* ok = nullptr);

// UTF-8 of the wire, tuned for pieces (half their characters are not
// ASCII). Same results as QString::toUtf8 (a lone surrogate becomes "?")
// and QString::fromUtf8 (a text that is not valid UTF-8 is decoded by Qt).
QByteArray WireEncode(const QString& text);
QString WireDecode(const char* data, qsizetype size);

// A refusal: the trimmed, upper-cased answer begins with "ERROR:".
bool AnswerIsRefusal(const QString& answer);
// The server's reason of a refusal: the untrimmed answer from its 7th character.
QString RefusalReason(const QString& answer);

// Prefix of every block of a storage download.
inline const QString kBlockPrefix = QStringLiteral("|OK||");

} // namespace relayhub
