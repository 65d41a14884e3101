#include "CsvLineSplitter.h"

#include <algorithm>
#include <limits>

namespace {

constexpr char16_t kComma = u',';
constexpr char16_t kQuote = u'"';

// The index of the first `",` at or after `from`, or -1.
qsizetype findClosingQuote(QStringView line, qsizetype from)
{
    const qsizetype n = line.size();
    for (qsizetype i = from; i + 1 < n; ++i) {
        if (line[i] == kQuote && line[i + 1] == kComma)
            return i;
    }
    return -1;
}

} // namespace

int CsvLineSplitter::columnCount(QStringView firstLine)
{
    // Counted in 64 bits and clamped: a line of more than 2^31 commas cannot be held in a
    // QString anyway, but the count must never wrap.
    qint64 commas = 0;
    bool inQuote = false;
    const qsizetype n = firstLine.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = firstLine[i];
        if (inQuote) {
            if (c == kQuote)
                inQuote = false;
            continue;
        }
        if (c == kComma) {
            ++commas;
            if (i + 1 < n && firstLine[i + 1] == kQuote) {
                inQuote = true;
                ++i; // the opening quote does not close itself
            }
        }
    }
    return int(std::min<qint64>(commas + 1, std::numeric_limits<int>::max()));
}

void CsvLineSplitter::splitSpans(QStringView line, int maxFields, QList<Span>* spans)
{
    const qsizetype n = std::min<qsizetype>(line.size(), std::numeric_limits<qint32>::max());
    line = line.first(n);
    qsizetype start = 0;
    int count = 0;
    const auto append = [&](qsizetype from, qsizetype length) {
        spans->append({qint32(from), qint32(length)});
        ++count;
    };
    // Once a search for `", ` has failed, every later one fails too; remembering that keeps
    // a line with many unmatched quotes linear.
    bool noClosingQuote = false;

    while (count < maxFields) {
        const qsizetype comma = line.indexOf(kComma, start);
        const qsizetype fieldEnd = comma < 0 ? n : comma;
        const qsizetype open = line.left(fieldEnd).indexOf(kQuote, start);

        if (open >= 0) {
            const qsizetype close = noClosingQuote ? -1 : findClosingQuote(line, open + 1);
            if (close >= 0) {
                append(open + 1, close - open - 1);
                start = close + 2;
                continue;
            }
            noClosingQuote = true;
            if (line.indexOf(kQuote, open + 1) >= 0) {
                // The last field: up to the character before the line's last one. A
                // further quote lies after `open`, so this length is never negative.
                append(open + 1, n - 1 - (open + 1));
                break;
            }
        }

        append(start, fieldEnd - start);
        if (comma < 0)
            break;
        start = comma + 1;
    }
}

QStringList CsvLineSplitter::split(QStringView line, int maxFields)
{
    QList<Span> spans;
    splitSpans(line, maxFields, &spans);
    QStringList fields;
    fields.reserve(spans.size());
    for (const Span& s : spans)
        fields.append(line.mid(s.start, s.length).toString());
    return fields;
}
