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

QStringList CsvLineSplitter::split(QStringView line, int maxFields)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype start = 0;
    // Once a search for `", ` has failed, every later one fails too; remembering that keeps
    // a line with many unmatched quotes linear.
    bool noClosingQuote = false;

    while (fields.size() < maxFields) {
        const qsizetype comma = line.indexOf(kComma, start);
        const qsizetype fieldEnd = comma < 0 ? n : comma;
        const qsizetype open = line.left(fieldEnd).indexOf(kQuote, start);

        if (open >= 0) {
            const qsizetype close = noClosingQuote ? -1 : findClosingQuote(line, open + 1);
            if (close >= 0) {
                fields.append(line.mid(open + 1, close - open - 1).toString());
                start = close + 2;
                continue;
            }
            noClosingQuote = true;
            if (line.indexOf(kQuote, open + 1) >= 0) {
                // The last field: up to the character before the line's last one. A
                // further quote lies after `open`, so this length is never negative.
                fields.append(line.mid(open + 1, n - 1 - (open + 1)).toString());
                break;
            }
        }

        fields.append(line.mid(start, fieldEnd - start).toString());
        if (comma < 0)
            break;
        start = comma + 1;
    }
    return fields;
}
