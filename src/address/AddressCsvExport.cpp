#include "AddressCsvExport.h"

#include "base/SaveTarget.h"
#include "base/TextCodec.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace {

// The 47 list column titles in list order, as the header line writes them.
const char16_t kHeader[] =
    u"登録番号,氏名,敬称,フリガナ,郵便番号,住所1,住所2,住所3,関係,電話番号1,電話番号2,"
    u"携帯電話1,携帯電話2,FAX,E-メール1,E-メール2,携帯電話メール1,携帯電話メール2,URL,性別,"
    u"生年月日,年齢,会社,会社郵便番号,会社住所1,会社住所2,会社住所3,部署,役職,会社電話1,"
    u"会社電話2,会社FAX,会社E-メール,会社URL,連名1,敬称1,連名2,敬称2,連名3,敬称3,連名4,"
    u"敬称4,連名5,敬称5,備考1,備考2,画像";

const QByteArray kLineBreak("\r\n");

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressCsvExport", text);
}

// The first character of the text without a CP932 form, as "「X」(U+XXXX)"; a surrogate
// pair is one character, a lone surrogate is named by its code only.
QString firstUnencodable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool pair =
            c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString one = text.mid(i, pair ? 2 : 1);
        if (TextCodec::isEncodable(one)) {
            if (pair)
                ++i;
            continue;
        }
        const char32_t code = pair ? QChar::surrogateToUcs4(c, text.at(i + 1)) : c.unicode();
        const QString hex =
            QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
        return c.isSurrogate() && !pair ? hex : QStringLiteral("「%1」(%2)").arg(one, hex);
    }
    return QString();
}

} // namespace

QStringList AddressCsvExport::columnTitles()
{
    return headerLine().split(u',');
}

QString AddressCsvExport::headerLine()
{
    return QString::fromUtf16(kHeader);
}

QString AddressCsvExport::quoteField(const QString& field)
{
    return field.contains(u',') ? u'"' + field + u'"' : field;
}

QString AddressCsvExport::formatLine(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        line += quoteField(fields.at(i));
    }
    return line;
}

QString AddressCsvExport::encode(const QList<QStringList>& rows, QByteArray* bytes)
{
    bytes->clear();
    QByteArray out;
    TextCodec::encodeAppend(headerLine(), out);
    out += kLineBreak;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (TextCodec::encodeAppend(formatLine(rows.at(r)), out)) {
            out += kLineBreak;
            continue;
        }
        // Found after the fact, field by field, to name it: the common case pays nothing.
        const QStringList& fields = rows.at(r);
        for (qsizetype c = 0; c < fields.size(); ++c) {
            const QString what = firstUnencodable(fields.at(c));
            if (what.isEmpty())
                continue;
            const QString title = c < ColumnCount ? columnTitles().at(c) : QString::number(c + 1);
            return tr("%1件目のデータ（登録番号：%2）の「%3」に、CSVファイルに書けない文字%4が"
                      "あります。CSVファイルは出力されませんでした。")
                .arg(QString::number(r + 1), fields.value(0), title, what);
        }
        // Not reached while every field is checked above; never write a lossy file anyway.
        return tr("%1件目のデータに、CSVファイルに書けない文字があります。"
                  "CSVファイルは出力されませんでした。")
            .arg(r + 1);
    }
    *bytes = out;
    return QString();
}

QString AddressCsvExport::write(const QString& path, const QList<QStringList>& rows)
{
    QByteArray bytes;
    const QString message = encode(rows, &bytes);
    if (!message.isEmpty())
        return message;
    QSaveFile file(path);
    if (const QString refused = SaveTarget::open(file); !refused.isEmpty())
        return refused;
    // QSaveFile::commit() in Qt 6.4 does not notice a write that failed in its buffer;
    // flush() does.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return tr("%1: CSVファイルの書き込みに失敗しました（%2）。").arg(path, file.errorString());
    return QString();
}
