#pragma once

#include <QByteArray>
#include <QString>

// Conversion between model text (Unicode) and the CP932 bytes that every file of the
// program holds. The mapping is glibc iconv's "CP932", taken once into lookup tables so
// that a million strings of an address book convert at memory speed.
//
// Undecodable bytes (a lone lead byte, an unassigned code) decode to U+FFFD.
// Characters that CP932 cannot hold are reported by encode(); they are written as "?"
// only where a caller explicitly accepts the loss.
namespace TextCodec {

// CP932 bytes to text.
QString decode(const char* data, int size);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

// Decodes into `out`, replacing its content but keeping its capacity, so that a loop over
// many strings allocates once.
void decodeInto(const char* data, int size, QString& out);

// Text to CP932 bytes. *lossless (when given) becomes false when at least one character
// has no CP932 form; such characters are written as '?'.
QByteArray encode(const QString& text, bool* lossless = nullptr);

// Appends the CP932 bytes of the text to `out` (reusing its capacity); returns whether
// the conversion was lossless.
bool encodeAppend(QStringView text, QByteArray& out);

// As encodeAppend(), but returns whether the appended bytes decode back to exactly the
// text: false also for a character whose CP932 form reads as another one (¥ → 0x5C → \,
// ‾ → 0x7E → ~, 〜 → 0x8160 → ～, − → 0x817C → －, ¢ → 0x8191 → ￠, …).
bool encodeAppendExact(QStringView text, QByteArray& out);

// Whether every character of the text has a CP932 form.
bool isEncodable(const QString& text);

// Number of CP932 bytes of the text (a character without CP932 form counts 1, as '?').
int byteLength(const QString& text);

// Number of CP932 bytes of one UTF-16 position: 1 or 2, and 1 for an unencodable
// character (surrogate halves count 1 each, as each becomes one '?').
int byteWidth(QChar c);

// Compares two texts by their CP932 bytes, unsigned, like strcmp: <0, 0, >0.
int compare(const QString& a, const QString& b);

// The number of UTF-16 positions at the start of the text whose CP932 form fits in
// maxBytes bytes, never cutting a double-byte character (nor a surrogate pair).
int prefixLengthForBytes(const QString& text, int maxBytes);

} // namespace TextCodec
