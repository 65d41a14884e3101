#include "CsvFieldSplitter.h"

#include "address/CsvLineSplitter.h"

#include <algorithm>
#include <limits>

namespace {

constexpr char16_t kComma = u',';
constexpr char16_t kQuote = u'"';

// The first position at or after a start that holds a character (or, for the closing
// quote, a `",` pair). The splitter asks each finder with starts that never decrease, so
// an answer still ahead of the new start is reused and the line is scanned once per
// finder.
class Finder
{
public:
    Finder(QStringView line, char16_t c, bool closing) : mLine(line), mChar(c), mClosing(closing) {}

    qsizetype from(qsizetype start)
    {
        if (mKnown && start >= mStart && (mResult < 0 || start <= mResult))
            return mResult;
        mKnown = true;
        mStart = start;
        mResult = scan(start);
        return mResult;
    }

private:
    qsizetype scan(qsizetype start) const
    {
        const qsizetype n = mLine.size();
        for (qsizetype i = std::max<qsizetype>(start, 0); i < n; ++i) {
            if (mLine[i] != mChar)
                continue;
            if (!mClosing || (i + 1 < n && mLine[i + 1] == kComma))
                return i;
        }
        return -1;
    }

    QStringView mLine;
    char16_t mChar;
    bool mClosing;
    bool mKnown = false;
    qsizetype mStart = 0;
    qsizetype mResult = -1;
};

} // namespace

int CsvFieldSplitter::columnCount(QStringView firstLine)
{
    return CsvLineSplitter::columnCount(firstLine);
}

void CsvFieldSplitter::split(QStringView whole, int maxFields, QList<Span>* spans)
{
    if (maxFields <= 0)
        return;
    const QStringView line =
        whole.first(std::min<qsizetype>(whole.size(), std::numeric_limits<qint32>::max()));
    const qsizetype n = line.size();
    const auto append = [&](qsizetype start, qsizetype length) {
        start = std::min(start, n);
        length = std::clamp<qsizetype>(length, 0, n - start);
        spans->append(Span{qint32(start), qint32(length)});
    };

    // Separate finders for each kind of search, so that each sees its starts in order.
    Finder commaAtStart(line, kComma, false);
    Finder quoteAtSeparator(line, kQuote, false);
    Finder closingQuote(line, kQuote, true);
    Finder quoteAfterOpening(line, kQuote, false);

    qsizetype separator = 0;
    for (int field = 0; field < maxFields; ++field) {
        const qsizetype start = field == 0 ? separator : separator + 1;
        const qsizetype comma = commaAtStart.from(start);
        const qsizetype open = quoteAtSeparator.from(separator);
        qsizetype close = -1;
        if (open >= 0) {
            close = closingQuote.from(open + 1);
            if (close < 0)
                close = quoteAfterOpening.from(open + 1);
        }
        const bool quoted = open >= 0 && close >= 0;
        if (comma < 0) {
            // The last field. A quoted one loses the line's last character, which is
            // normally its closing quote.
            if (quoted)
                append(open + 1, n - 2 - open);
            else
                append(start, n - start);
            return;
        }
        if (quoted && open < comma) {
            append(open + 1, close - open - 1);
            separator = close + 1;
        } else {
            append(start, comma - start);
            separator = comma;
        }
    }
}

QStringList CsvFieldSplitter::fields(QStringView line, int maxFields)
{
    QList<Span> spans;
    split(line, maxFields, &spans);
    QStringList out;
    out.reserve(spans.size());
    for (const Span& s : spans)
        out.append(line.mid(s.start, s.length).toString());
    return out;
}
