#include "PdfPageBoxes.h"

#include <QCoreApplication>
#include <QList>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr double kPointsPerTenthMillimetre = 72.0 / 254.0;
constexpr double kTolerance = 1.0;
// One cross-reference entry: ten digits of offset, five of generation, the type and a
// two-byte end of line.
constexpr qsizetype kEntrySize = 20;

QString tr(const char* text)
{
    return QCoreApplication::translate("PdfPageBoxes", text);
}

QString unreadable()
{
    return tr("PDFのページの大きさを設定できませんでした。");
}

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

qsizetype skipSpace(const QByteArray& pdf, qsizetype at)
{
    while (at < pdf.size() && isSpace(pdf.at(at)))
        ++at;
    return at;
}

// The decimal integer at `at` (after blanks); `at` moves past it. -1 when there is none
// or it is too long to be an offset.
qint64 readInteger(const QByteArray& pdf, qsizetype& at)
{
    at = skipSpace(pdf, at);
    const qsizetype start = at;
    qint64 value = 0;
    while (at < pdf.size() && at - start < 12 && pdf.at(at) >= '0' && pdf.at(at) <= '9')
        value = value * 10 + (pdf.at(at++) - '0');
    return at == start || at - start >= 12 ? -1 : value;
}

QByteArray number(double value)
{
    QByteArray text = QByteArray::number(value, 'f', 4);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text == "-0" ? QByteArray("0") : text;
}

struct Entry
{
    qsizetype at = 0;  // where the entry's offset digits are
    qint64 offset = 0; // of its object
};

struct Edit
{
    qsizetype from = 0;
    qsizetype to = 0; // the bytes [from, to) are replaced by text
    QByteArray text;
};

// The new MediaBox of a page object in [begin, end) (an edit), or nothing: not a page,
// no box of four numbers, or a box that is not the paper's size (not one of ours).
std::optional<Edit> pageBoxEdit(const QByteArray& pdf, qsizetype begin, qsizetype end,
                                const QSizeF& paper)
{
    const QByteArray object = QByteArray::fromRawData(pdf.constData() + begin, end - begin);
    // Pages have no stream; anything that has one is left alone.
    const qsizetype stream = object.indexOf("stream");
    const qsizetype type = object.indexOf("/Type /Page");
    if (type < 0 || (stream >= 0 && stream < type))
        return std::nullopt;
    const qsizetype after = type + qsizetype(sizeof("/Type /Page") - 1);
    if (after < object.size() && !isSpace(object.at(after)) && object.at(after) != '/' &&
        object.at(after) != '>')
        return std::nullopt; // /Type /Pages
    const qsizetype key = object.indexOf("/MediaBox");
    if (key < 0 || (stream >= 0 && stream < key))
        return std::nullopt;
    qsizetype at = skipSpace(object, key + qsizetype(sizeof("/MediaBox") - 1));
    if (at >= object.size() || object.at(at) != '[')
        return std::nullopt;
    const qsizetype open = at;
    const qsizetype close = object.indexOf(']', open);
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> parts = object.mid(open + 1, close - open - 1).simplified().split(' ');
    if (parts.size() != 4)
        return std::nullopt;
    double box[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        box[i] = parts.at(i).toDouble(&ok);
        if (!ok || !std::isfinite(box[i]))
            return std::nullopt;
    }
    const double llx = std::min(box[0], box[2]);
    const double lly = std::min(box[1], box[3]);
    const double urx = std::max(box[0], box[2]);
    const double ury = std::max(box[1], box[3]);
    if (std::abs((urx - llx) - paper.width()) > kTolerance ||
        std::abs((ury - lly) - paper.height()) > kTolerance)
        return std::nullopt;
    // The writer draws from the top edge down: that edge stays.
    Edit edit;
    edit.from = begin + open;
    edit.to = begin + close + 1;
    edit.text = '[' + number(llx) + ' ' + number(ury - paper.height()) + ' ' +
                number(llx + paper.width()) + ' ' + number(ury) + ']';
    return edit;
}

} // namespace

namespace PdfPageBoxes {

QSizeF pointsOf(qint64 width, qint64 height)
{
    return QSizeF(double(width) * kPointsPerTenthMillimetre,
                  double(height) * kPointsPerTenthMillimetre);
}

QString setPageSizes(QByteArray& pdf, const QSizeF& paper)
{
    // The last cross-reference table, as the writer leaves it: "startxref", its offset,
    // "%%EOF"; the table a classic one ("xref", then sections of fixed-size entries).
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0)
        return unreadable();
    qsizetype at = startxref + qsizetype(sizeof("startxref") - 1);
    const qint64 xref = readInteger(pdf, at);
    if (xref < 0 || xref >= startxref || !pdf.mid(xref, 4).startsWith("xref"))
        return unreadable();
    at = xref + 4;
    QList<Entry> entries;
    for (;;) {
        const qsizetype section = skipSpace(pdf, at);
        if (pdf.mid(section, 7) == "trailer")
            break;
        qsizetype cursor = section;
        const qint64 first = readInteger(pdf, cursor);
        const qint64 count = readInteger(pdf, cursor);
        cursor = skipSpace(pdf, cursor);
        // Each entry is 20 bytes; a count the table cannot hold is not believed.
        if (first < 0 || count < 0 || count > (startxref - cursor) / kEntrySize)
            return unreadable();
        for (qint64 k = 0; k < count; ++k) {
            const qsizetype e = cursor + qsizetype(k) * kEntrySize;
            qsizetype digits = e;
            Entry entry;
            entry.at = e;
            entry.offset = readInteger(pdf, digits);
            if (entry.offset < 0 || digits != e + 10)
                return unreadable();
            if (pdf.at(e + 17) == 'n')
                entries.append(entry);
        }
        at = cursor + qsizetype(count) * kEntrySize;
        if (at >= startxref)
            return unreadable();
    }

    // Each object runs to the next one or to the table.
    QList<qint64> starts;
    starts.reserve(entries.size() + 1);
    for (const Entry& e : entries) {
        if (e.offset >= xref)
            return unreadable();
        starts.append(e.offset);
    }
    starts.append(xref);
    std::sort(starts.begin(), starts.end());
    QList<Edit> edits;
    for (qsizetype i = 0; i + 1 < starts.size(); ++i) {
        if (std::optional<Edit> edit = pageBoxEdit(pdf, starts.at(i), starts.at(i + 1), paper))
            edits.append(std::move(*edit));
    }
    if (edits.isEmpty())
        return QString();

    // The file again with the new boxes; every offset after an edit moves by what the
    // edits before it added.
    const auto shifted = [&edits](qint64 offset) {
        qint64 delta = 0;
        for (const Edit& e : edits) {
            if (e.from >= offset)
                break;
            delta += e.text.size() - (e.to - e.from);
        }
        return offset + delta;
    };
    QByteArray out;
    out.reserve(pdf.size() + edits.size() * 16);
    qsizetype copied = 0;
    for (const Edit& e : edits) {
        out.append(pdf.constData() + copied, e.from - copied);
        out.append(e.text);
        copied = e.to;
    }
    out.append(pdf.constData() + copied, xref - copied);
    const qint64 newXref = out.size();
    QByteArray table = pdf.mid(xref, startxref - xref);
    for (const Entry& e : entries) {
        const QByteArray digits = QByteArray::number(shifted(e.offset)).rightJustified(10, '0');
        if (digits.size() != 10)
            return unreadable();
        table.replace(e.at - xref, 10, digits);
    }
    out.append(table);
    out.append("startxref\n" + QByteArray::number(newXref) + "\n%%EOF\n");
    pdf = std::move(out);
    return QString();
}

} // namespace PdfPageBoxes
