#include "CsvQuotedRecord.h"

bool CsvQuotedRecord::endsInsideQuotes(QStringView text)
{
    bool atFieldStart = true;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text.at(i + 1) == u'"')
                    ++i;
                else
                    quoted = false;
            }
            continue;
        }
        if (c == u',' || c == u'\n') {
            atFieldStart = true;
        } else {
            quoted = atFieldStart && c == u'"';
            atFieldStart = false;
        }
    }
    return quoted;
}

QStringList CsvQuotedRecord::fields(QStringView record, int maxFields)
{
    QStringList out;
    QString field;
    bool atFieldStart = true;
    bool quoted = false;
    for (qsizetype i = 0; i < record.size() && out.size() < maxFields; ++i) {
        const QChar c = record.at(i);
        if (quoted) {
            if (c != u'"')
                field.append(c);
            else if (i + 1 < record.size() && record.at(i + 1) == u'"')
                field.append(record.at(++i));
            else
                quoted = false;
            continue;
        }
        if (c == u',') {
            out.append(field);
            field.clear();
            atFieldStart = true;
            continue;
        }
        if (atFieldStart && c == u'"')
            quoted = true;
        else
            field.append(c);
        atFieldStart = false;
    }
    if (out.size() < maxFields)
        out.append(field);
    return out;
}
