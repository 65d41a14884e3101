#include "VCardWriter.h"

#include "AgeCalculator.h"
#include "CAddressData.h"
#include "base/SaveTarget.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace {

using C = CAddressData;

// Text with the characters a value must escape: backslash, comma, semicolon, line breaks.
QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\' || c == u',' || c == u';')
            out.append(u'\\').append(c);
        else if (c == u'\n')
            out.append(QStringLiteral("\\n"));
        else if (c != u'\r')
            out.append(c);
    }
    return out;
}

// The text before and after the first `space`, or the whole text and nothing.
std::pair<QString, QString> splitAt(const QString& text, QChar space)
{
    const qsizetype i = text.indexOf(space);
    return i < 0 ? std::pair{text, QString()} : std::pair{text.left(i), text.mid(i + 1)};
}

// Appends one content line, folded so that no line exceeds 75 bytes.
void appendLine(QByteArray& out, const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    qsizetype lineBytes = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        qsizetype len = 1; // the bytes of this UTF-8 character
        const uchar lead = uchar(bytes.at(i));
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        len = std::min(len, bytes.size() - i);
        if (lineBytes + len > 75) {
            out.append("\r\n ");
            lineBytes = 1;
        }
        out.append(bytes.constData() + i, len);
        lineBytes += len;
        i += len;
    }
    out.append("\r\n");
}

void appendIf(QByteArray& out, const QString& head, const QString& value)
{
    if (!value.isEmpty())
        appendLine(out, head + escaped(value));
}

void appendAddress(QByteArray& out, const CAddressData& data, int r, const char* type, int code,
                   int line1, int line2)
{
    const QString street = data.field(r, line1);
    const QString extended = data.field(r, line2);
    const QString postal = data.field(r, code);
    if (street.isEmpty() && extended.isEmpty() && postal.isEmpty())
        return;
    appendLine(out,
               QStringLiteral("ADR;TYPE=%1:;%2;%3;;;%4;")
                   .arg(QLatin1String(type), escaped(extended), escaped(street), escaped(postal)));
}

void appendCard(QByteArray& out, const CAddressData& data, int r)
{
    appendLine(out, QStringLiteral("BEGIN:VCARD"));
    appendLine(out, QStringLiteral("VERSION:4.0"));
    const QString name = data.field(r, C::Name);
    const auto [family, given] = splitAt(name, u' ');
    const QString reading = data.field(r, C::Reading);
    const auto [readFamily, readGiven] = splitAt(reading, u'　');
    appendLine(out, QStringLiteral("FN:") + escaped(name));
    QString n = QStringLiteral("N");
    if (!reading.isEmpty()) {
        // A parameter value holds no quote, and a comma in it would split the reading.
        const auto sortPart = [](QString text) { return text.remove(u'"').replace(u',', u' '); };
        QString sortAs = sortPart(readFamily);
        if (!readGiven.isEmpty())
            sortAs += u',' + sortPart(readGiven);
        n += QStringLiteral(";SORT-AS=\"%1\"").arg(sortAs);
    }
    appendLine(out, n + u':' + escaped(family) + u';' + escaped(given) + QStringLiteral(";;;"));
    appendIf(out, QStringLiteral("X-PHONETIC-LAST-NAME:"), readFamily);
    appendIf(out, QStringLiteral("X-PHONETIC-FIRST-NAME:"), readGiven);
    appendAddress(out, data, r, "home", C::PostalCode, C::Address1, C::Address2);
    appendAddress(out, data, r, "work", C::CompanyPostalCode, C::CompanyAddress1,
                  C::CompanyAddress2);
    const std::pair<int, const char*> lines[] = {{C::Phone1, "TEL;TYPE=home,voice:"},
                                                 {C::Phone2, "TEL;TYPE=home,voice:"},
                                                 {C::Mobile1, "TEL;TYPE=cell:"},
                                                 {C::Mobile2, "TEL;TYPE=cell:"},
                                                 {C::Fax, "TEL;TYPE=home,fax:"},
                                                 {C::CompanyPhone1, "TEL;TYPE=work,voice:"},
                                                 {C::CompanyPhone2, "TEL;TYPE=work,voice:"},
                                                 {C::CompanyFax, "TEL;TYPE=work,fax:"},
                                                 {C::Mail1, "EMAIL;TYPE=home:"},
                                                 {C::Mail2, "EMAIL;TYPE=home:"},
                                                 {C::MobileMail1, "EMAIL;TYPE=cell:"},
                                                 {C::MobileMail2, "EMAIL;TYPE=cell:"},
                                                 {C::CompanyMail, "EMAIL;TYPE=work:"},
                                                 {C::Url, "URL:"},
                                                 {C::CompanyUrl, "URL;TYPE=work:"},
                                                 {C::Position, "TITLE:"},
                                                 {C::Note1, "NOTE:"}};
    for (const auto& [column, head] : lines)
        appendIf(out, QLatin1String(head), data.field(r, column));
    const QString company = data.field(r, C::Company);
    const QString department = data.field(r, C::Department);
    if (!company.isEmpty() || !department.isEmpty())
        appendLine(out, QStringLiteral("ORG:") + escaped(company) +
                            (department.isEmpty() ? QString() : u';' + escaped(department)));
    const QString birth = data.field(r, C::BirthDate);
    const QDate date = AgeCalculator::readDate(birth);
    if (date.isValid() && AgeCalculator::dateText(date) == birth)
        appendLine(out, QStringLiteral("BDAY:") + date.toString(QStringLiteral("yyyyMMdd")));
    else
        appendIf(out, QStringLiteral("BDAY;VALUE=text:"), birth);
    appendLine(out, QStringLiteral("END:VCARD"));
}

} // namespace

QByteArray VCardWriter::write(const CAddressData& data, const QList<int>& records)
{
    QByteArray out;
    for (int r : records) {
        if (r >= 0 && r < data.recordCount())
            appendCard(out, data, r);
    }
    return out;
}

QString VCardWriter::writeFile(const QString& path, const CAddressData& data,
                               const QList<int>& records)
{
    QSaveFile file(path);
    if (const QString refused = SaveTarget::open(file); !refused.isEmpty())
        return refused;
    const QByteArray bytes = write(data, records);
    // QSaveFile::commit() in Qt 6.4 does not notice a write that failed in its buffer;
    // flush() does.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return QCoreApplication::translate("VCardWriter", "%1: vCardファイルの書き込みに失敗しました（%2）。")
            .arg(path, file.errorString());
    return QString();
}
