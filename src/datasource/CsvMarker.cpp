#include "CsvMarker.h"

#include "merge/MergeField.h"

#include <algorithm>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

// The first position after the blanks at the start of a key.
qsizetype skipBlanks(const QString& key)
{
    qsizetype i = 0;
    while (i < key.size() && isBlank(key.at(i)))
        ++i;
    return i;
}

} // namespace

QList<CsvMarker> CsvMarker::find(const QString& text)
{
    const QString tail = MergeField::csvMarker();
    QList<CsvMarker> markers;
    // Braced markers: "{" "@" key "(CSV)" "}". A brace that does not open one is text.
    for (qsizetype open = text.indexOf(u'{'); open >= 0; open = text.indexOf(u'{', open + 1)) {
        const qsizetype close = text.indexOf(u'}', open + 1);
        if (close < 0)
            break;
        const QStringView inner = QStringView(text).mid(open + 1, close - open - 1);
        if (!inner.startsWith(u'@') || !inner.endsWith(tail) || inner.size() < tail.size() + 1)
            continue;
        CsvMarker m;
        m.key = inner.mid(1, inner.size() - 1 - tail.size()).toString();
        m.start = open;
        m.length = close + 1 - open;
        m.braced = true;
        markers.append(m);
        open = close;
    }
    if (!markers.isEmpty())
        return markers;

    const qsizetype at = text.indexOf(u'@');
    const qsizetype end = text.indexOf(tail);
    if (at < 0 || end < 0)
        return markers;
    CsvMarker m;
    // A "(CSV)" before the "@" leaves the key empty: the marker names no column.
    m.key = end > at ? text.mid(at + 1, end - at - 1) : QString();
    m.start = 0;
    m.length = text.size();
    markers.append(m);
    return markers;
}

bool CsvMarker::isNumber(const QString& key)
{
    const qsizetype i = skipBlanks(key);
    if (i >= key.size())
        return false;
    const QChar c = key.at(i);
    return c == u'+' || c == u'-' || (c >= u'0' && c <= u'9');
}

int CsvMarker::number(const QString& key)
{
    if (!isNumber(key))
        return 0;
    qsizetype i = skipBlanks(key);
    bool negative = false;
    if (key.at(i) == u'+' || key.at(i) == u'-') {
        negative = key.at(i) == u'-';
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < key.size(); ++i) {
        const char16_t c = key.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        value = std::min(value * 10 + (c - u'0'), limit);
    }
    if (negative)
        return int(std::max<qint64>(-value, std::numeric_limits<int>::min()));
    return int(std::min<qint64>(value, std::numeric_limits<int>::max()));
}

int CsvMarker::column(const QString& key, const QStringList& names)
{
    if (isNumber(key)) {
        const int n = number(key);
        return n >= 1 && n <= names.size() ? n : 0;
    }
    const QString name = key.trimmed();
    if (name.isEmpty())
        return 0;
    const qsizetype found = names.indexOf(name);
    return found >= 0 ? int(found) + 1 : 0;
}

QString CsvMarker::fill(const QString& text, const std::function<QString(const QString&)>& cell)
{
    const QList<CsvMarker> markers = find(text);
    if (markers.isEmpty())
        return text;
    if (!markers.constFirst().braced)
        return cell(markers.constFirst().key);
    QString out;
    qsizetype from = 0;
    for (const CsvMarker& m : markers) {
        out += QStringView(text).mid(from, m.start - from);
        out += cell(m.key);
        from = m.start + m.length;
    }
    out += QStringView(text).mid(from);
    return out;
}
