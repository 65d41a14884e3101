#include "ContactFields.h"

#include "CAddressData.h"
#include "ContactImportReport.h"
#include "VCardReader.h"

#include "postal/PostalCode.h"
#include "postal/PostalData.h"
#include "postal/PostalTable.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

using C = CAddressData;

QString joined(const QStringList& parts, const QString& space)
{
    QStringList kept;
    for (const QString& p : parts) {
        if (!p.trimmed().isEmpty())
            kept.append(p.trimmed());
    }
    return kept.join(space);
}

bool isJapaneseChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3040 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) ||
           (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF01 && u <= 0xFF9F) || c.isSurrogate();
}

bool isJapanCountry(const QString& country)
{
    const QString c = country.trimmed().toLower();
    return c.isEmpty() || c == u"日本" || c == u"japan" || c == u"jp" || c == u"jpn" ||
           c == u"日本国";
}

} // namespace

bool ContactFields::Address::isEmpty() const
{
    for (const QString* s : {&poBox, &extended, &street, &city, &region, &code, &country}) {
        if (!s->trimmed().isEmpty())
            return false;
    }
    return true;
}

QString ContactFields::bounded(const QString& text, ContactImportReport* report,
                               const QString& who, const QString& kind)
{
    if (text.size() <= MaxFieldChars)
        return text;
    qsizetype cut = MaxFieldChars;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    if (report)
        report->addCut(who, QCoreApplication::translate("ContactFields", "%1 %2文字")
                                .arg(kind)
                                .arg(text.size()));
    return text.left(cut);
}

QString ContactFields::reading(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s;,\u3000]+"));
    QString out = VCardReader::fullWidthKatakana(text);
    out.replace(separators, QStringLiteral("\u3000"));
    while (out.startsWith(u'\u3000'))
        out.remove(0, 1);
    while (out.endsWith(u'\u3000'))
        out.chop(1);
    return out;
}

QString ContactFields::singleLine(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n][\\s]*"));
    return text.trimmed().replace(breaks, QStringLiteral(" / "));
}

bool ContactFields::isJapanese(const Address& a)
{
    for (const QString* s : {&a.poBox, &a.extended, &a.street, &a.city, &a.region}) {
        for (QChar c : *s) {
            if (isJapaneseChar(c))
                return true;
        }
    }
    return false;
}

void ContactFields::fillAddress(QStringList& record, int codeColumn, int line1, int line2,
                                const Address& a)
{
    if (isJapanese(a)) {
        record[codeColumn] = PostalCode::storedForm(a.code.trimmed());
        record[line1] = a.region.trimmed() + a.city.trimmed() + a.street.trimmed();
        QString rest = joined({a.extended, a.poBox}, QStringLiteral(" "));
        if (record[line1].isEmpty()) {
            record[line1] = a.extended.trimmed().isEmpty() ? a.poBox.trimmed() : a.extended.trimmed();
            rest = a.extended.trimmed().isEmpty() ? QString() : a.poBox.trimmed();
        }
        record[line2] = rest;
        return;
    }
    const bool japaneseCode = !PostalCode::normalised(a.code).isEmpty() && isJapanCountry(a.country);
    record[codeColumn] = japaneseCode ? PostalCode::normalised(a.code) : QString();
    record[line1] = joined({a.street, a.extended, a.poBox}, QStringLiteral(" "));
    // A letter to Japan needs no country line.
    record[line2] = joined({a.city, a.region, japaneseCode ? QString() : a.code,
                            isJapanCountry(a.country) ? QString() : a.country},
                           QStringLiteral(" "));
    if (record[line1].isEmpty()) {
        record[line1] = record[line2];
        record[line2].clear();
    }
}

QString ContactFields::noteLine(const QString& label, const Address& a)
{
    QStringList record(C::TextColumnCount);
    fillAddress(record, C::PostalCode, C::Address1, C::Address2, a);
    QString code = record[C::PostalCode];
    if (!code.isEmpty())
        code = u'〒' + code;
    return label + QStringLiteral(": ") +
           joined({code, record[C::Address1], record[C::Address2]}, QStringLiteral(" "));
}

bool ContactFields::place(QStringList& record, std::initializer_list<int> columns,
                          const QString& value)
{
    for (int column : columns) {
        if (record[column].isEmpty()) {
            record[column] = value;
            return true;
        }
    }
    return false;
}

QString ContactFields::restoredCode(const QString& code, const QString& address,
                                    const PostalTable& table)
{
    static const QRegularExpression dropped(QStringLiteral("^(\\d{2})-?(\\d{4})$"));
    const QRegularExpressionMatch m =
        dropped.match(code.normalized(QString::NormalizationForm_KC).trimmed());
    if (!m.hasMatch() || address.trimmed().isEmpty() || !table.isLoaded())
        return QString();
    const QString digits = u'0' + m.captured(1) + m.captured(2);
    const QString line = PostalTable::matchKey(address);
    for (const PostalAddress& known : table.addresses(digits)) {
        const QString city = PostalTable::matchKey(known.city);
        if (!city.isEmpty() && line.contains(city))
            return PostalCode::withHyphen(digits);
    }
    return QString();
}

void ContactFields::restoreCodes(QStringList& record, ContactImportReport* report)
{
    for (const auto& [code, line] : {std::pair{C::PostalCode, C::Address1},
                                      std::pair{C::CompanyPostalCode, C::CompanyAddress1}}) {
        if (record[code].isEmpty() || PostalCode::fillsBoxes(record[code]))
            continue;
        const QString restored = restoredCode(record[code], record[line], PostalData::table());
        if (restored.isEmpty())
            continue;
        if (report)
            report->addRestoredCode(record[C::Name], record[code] + QStringLiteral(" → ") + restored);
        record[code] = restored;
    }
}
