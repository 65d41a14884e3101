#include "PostalCode.h"

namespace {

// A half-width digit for a half- or full-width one, else a null character.
QChar digitOf(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c;
    if (c >= u'０' && c <= u'９')
        return QChar(u'0' + (c.unicode() - u'０'));
    return QChar();
}

// The marks people put between the two parts of a code: hyphens and dashes, and spaces.
bool isSeparator(QChar c)
{
    return PostalCode::isDash(c) || c == u' ' || c == u'　';
}

bool isSpace(QChar c)
{
    return c == u' ' || c == u'　' || c == u'\t';
}

} // namespace

bool PostalCode::isDash(QChar c)
{
    switch (c.unicode()) {
    case u'-':
    case u'－': // full-width hyphen-minus
    case u'ー': // long vowel mark
    case u'ｰ':
    case u'‐':
    case u'‑':
    case u'‒':
    case u'–':
    case u'—':
    case u'―':
    case u'−':
        return true;
    default:
        return false;
    }
}

QString PostalCode::digits(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpace(text.at(begin)))
        ++begin;
    while (end > begin && isSpace(text.at(end - 1)))
        --end;
    if (begin < end && text.at(begin) == u'〒') {
        ++begin;
        while (begin < end && isSpace(text.at(begin)))
            ++begin;
    }
    QString result;
    result.reserve(7);
    bool separated = false;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = text.at(i);
        const QChar d = digitOf(c);
        if (!d.isNull()) {
            if (result.size() == 7)
                return QString();
            result.append(d);
        } else if (isSeparator(c) && result.size() == 3 && !separated) {
            // One separator, and only between the third and the fourth digit.
            separated = true;
        } else {
            return QString();
        }
    }
    return result.size() == 7 ? result : QString();
}

QString PostalCode::normalised(const QString& text)
{
    const QString d = digits(text);
    return d.isEmpty() ? QString() : withHyphen(d);
}

QString PostalCode::storedForm(const QString& text)
{
    const QString n = normalised(text);
    return n.isEmpty() ? text : n;
}

bool PostalCode::fillsBoxes(const QString& text)
{
    if (text.size() != 8 || text.at(3) != u'-')
        return false;
    for (int i = 0; i < 8; ++i) {
        if (i != 3 && (text.at(i) < u'0' || text.at(i) > u'9'))
            return false;
    }
    return true;
}

QString PostalCode::withHyphen(const QString& sevenDigits)
{
    return sevenDigits.left(3) + u'-' + sevenDigits.mid(3);
}
