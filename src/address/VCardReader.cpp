#include "VCardReader.h"

#include "CAddressData.h"

#include "base/RegularFile.h"
#include "base/TextCodec.h"
#include "postal/PostalCode.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

using C = CAddressData;

QString tr(const char* text)
{
    return QCoreApplication::translate("VCardReader", text);
}

// One content line: "group.NAME;PARAM=a,b;BARE:value".
struct Property
{
    QByteArray name;                                 // upper case, without the group
    QList<std::pair<QByteArray, QByteArray>> params; // names upper case, values unquoted
    QList<QByteArray> types;                         // every TYPE value, upper case
    QByteArray value;

    QByteArray param(const char* key) const
    {
        for (const auto& [k, v] : params) {
            if (k == key)
                return v;
        }
        return QByteArray();
    }
    bool hasType(const char* type) const { return types.contains(QByteArray(type)); }
};

bool isEncodingWord(const QByteArray& word)
{
    return word == "QUOTED-PRINTABLE" || word == "BASE64" || word == "8BIT" || word == "7BIT" ||
           word == "B";
}

bool parseProperty(const QByteArray& line, Property* p)
{
    // The name ends at the first ';' or ':'; parameters run to the first ':' outside quotes.
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && line.at(i) != ';' && line.at(i) != ':')
        ++i;
    if (i == n)
        return false;
    QByteArray name = line.left(i).trimmed().toUpper();
    const qsizetype dot = name.lastIndexOf('.');
    p->name = dot >= 0 ? name.mid(dot + 1) : name;
    while (i < n && line.at(i) == ';') {
        const qsizetype start = ++i;
        bool quoted = false;
        while (i < n && (quoted || (line.at(i) != ';' && line.at(i) != ':'))) {
            if (line.at(i) == '"')
                quoted = !quoted;
            ++i;
        }
        const QByteArray param = line.mid(start, i - start).trimmed();
        const qsizetype eq = param.indexOf('=');
        QByteArray key = eq >= 0 ? param.left(eq).trimmed().toUpper() : QByteArray();
        QByteArray value = eq >= 0 ? param.mid(eq + 1).trimmed() : param;
        value.replace('"', QByteArray());
        if (key.isEmpty()) // 2.1 writes bare words: "HOME", "QUOTED-PRINTABLE"
            key = isEncodingWord(value.toUpper()) ? "ENCODING" : "TYPE";
        if (key == "TYPE") {
            for (const QByteArray& t : value.toUpper().split(','))
                p->types.append(t.trimmed());
        } else if (key == "ENCODING" || key == "CHARSET") {
            value = value.toUpper();
        }
        p->params.append({key, value});
    }
    if (i >= n || line.at(i) != ':')
        return false;
    p->value = line.mid(i + 1);
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray quotedPrintable(const QByteArray& in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in.at(i);
        if (c == '=' && i + 2 < in.size() && hexDigit(in.at(i + 1)) >= 0 &&
            hexDigit(in.at(i + 2)) >= 0) {
            out.append(char(hexDigit(in.at(i + 1)) * 16 + hexDigit(in.at(i + 2))));
            i += 2;
        } else if (c != '=' || i + 1 < in.size()) {
            out.append(c); // a stray '=' is kept; a last one was a soft break
        }
    }
    return out;
}

bool isShiftJis(const QByteArray& charset)
{
    return charset == "SHIFT_JIS" || charset == "SHIFT-JIS" || charset == "SJIS" ||
           charset == "CP932" || charset == "WINDOWS-31J" || charset == "MS_KANJI" ||
           charset == "X-SJIS";
}

// The value as text; false when it is a picture or does not decode to sound text.
bool decodeValue(const Property& p, QString* out)
{
    const QByteArray encoding = p.param("ENCODING");
    if (encoding == "B" || encoding == "BASE64")
        return false;
    const QByteArray bytes = encoding == "QUOTED-PRINTABLE" ? quotedPrintable(p.value) : p.value;
    if (isShiftJis(p.param("CHARSET"))) {
        *out = TextCodec::decode(bytes);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        *out = utf8.decode(bytes);
        if (utf8.hasError())
            *out = TextCodec::decode(bytes);
    }
    return !out->contains(QChar::ReplacementCharacter);
}

QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text.at(++i);
            out.append(next == u'n' || next == u'N' ? QChar(u' ') : next);
        } else {
            out.append(c == u'\r' || c == u'\n' ? QChar(u' ') : c);
        }
    }
    return out;
}

// The components of a structured value, split at unescaped separators and unescaped.
QStringList components(const QString& value, QChar separator)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= value.size(); ++i) {
        if (i == value.size() || value.at(i) == separator) {
            parts.append(unescape(QStringView(value).mid(start, i - start)).trimmed());
            start = i + 1;
        } else if (value.at(i) == u'\\') {
            ++i;
        }
    }
    return parts;
}

QString part(const QStringList& parts, int i)
{
    return i < parts.size() ? parts.at(i) : QString();
}

QString joined(const QString& a, const QString& b, const QString& space)
{
    return a.isEmpty() ? b : b.isEmpty() ? a : a + space + b;
}

// A stored birth date from a vCard date ("19850407", "1985-04-07", "1985-04-07T00:00:00Z");
// empty for a date without a year; any other text as it is.
QString birthDate(const QString& value)
{
    if (value.startsWith(u"--"))
        return QString();
    QString digits;
    for (QChar c : value.left(value.indexOf(u'T') >= 0 ? value.indexOf(u'T') : value.size())) {
        if (c.isDigit())
            digits.append(c);
        else if (c != u'-')
            return value;
    }
    const QDate date = QDate::fromString(digits, QStringLiteral("yyyyMMdd"));
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : value;
}

// What one card gathers until its end.
class CardBuilder
{
public:
    CardBuilder() : mRecord(C::TextColumnCount) {}

    void apply(const Property& p, int* skipped);
    bool finish(QStringList* record);

private:
    void set(int column, const QString& value)
    {
        if (mRecord[column].isEmpty())
            mRecord[column] = value;
    }
    bool place(int first, int second, const QString& value)
    {
        for (int column : {first, second}) {
            if (mRecord[column].isEmpty()) {
                mRecord[column] = value;
                return true;
            }
        }
        return false;
    }

    QStringList mRecord;
    QString mFormatted;
    QString mReadings[4]; // X-PHONETIC-*, SORT-AS, SOUND;X-IRMC-N, SORT-STRING
    QString mPhoneticLast, mPhoneticFirst;
    QStringList mHome, mOther, mWork; // address components
};

void CardBuilder::apply(const Property& p, int* skipped)
{
    static const QList<QByteArray> known = {"N",
                                            "FN",
                                            "X-PHONETIC-LAST-NAME",
                                            "X-PHONETIC-FIRST-NAME",
                                            "SORT-STRING",
                                            "ADR",
                                            "TEL",
                                            "EMAIL",
                                            "URL",
                                            "ORG",
                                            "TITLE",
                                            "BDAY",
                                            "NOTE",
                                            "SOUND"};
    if (!known.contains(p.name) || (p.name == "SOUND" && !p.hasType("X-IRMC-N")))
        return;
    QString value;
    if (!decodeValue(p, &value)) {
        ++*skipped;
        return;
    }
    if (p.name == "N") {
        const QStringList n = components(value, u';');
        set(C::Name, joined(part(n, 0), part(n, 1), QStringLiteral(" ")));
        Property param; // the reading as a value of the line's own charset
        param.params = {{"CHARSET", p.param("CHARSET")}};
        param.value = p.param("SORT-AS");
        QString sortText;
        const QStringList sortAs =
            decodeValue(param, &sortText) ? components(sortText, u',') : QStringList();
        if (mReadings[1].isEmpty())
            mReadings[1] = joined(part(sortAs, 0), part(sortAs, 1), QStringLiteral("　"));
    } else if (p.name == "FN") {
        if (mFormatted.isEmpty())
            mFormatted = unescape(value).trimmed();
    } else if (p.name == "X-PHONETIC-LAST-NAME") {
        mPhoneticLast = unescape(value).trimmed();
    } else if (p.name == "X-PHONETIC-FIRST-NAME") {
        mPhoneticFirst = unescape(value).trimmed();
    } else if (p.name == "SOUND") {
        const QStringList n = components(value, u';');
        if (mReadings[2].isEmpty())
            mReadings[2] = joined(part(n, 0), part(n, 1), QStringLiteral("　"));
    } else if (p.name == "SORT-STRING") {
        if (mReadings[3].isEmpty())
            mReadings[3] = unescape(value).trimmed();
    } else if (p.name == "ADR") {
        const QStringList a = components(value, u';');
        QStringList& target = p.hasType("HOME") ? mHome : p.hasType("WORK") ? mWork : mOther;
        if (target.isEmpty())
            target = a.isEmpty() ? QStringList{QString()} : a;
    } else if (p.name == "TEL") {
        QString number = unescape(value).trimmed();
        if (p.param("VALUE").toLower() == "uri" && number.startsWith(u"tel:", Qt::CaseInsensitive))
            number = number.mid(4);
        if (p.hasType("CELL") || p.hasType("IPHONE"))
            place(C::Mobile1, C::Mobile2, number);
        else if (p.hasType("FAX"))
            set(p.hasType("WORK") ? C::CompanyFax : C::Fax, number);
        else if (p.hasType("WORK"))
            place(C::CompanyPhone1, C::CompanyPhone2, number);
        else
            place(C::Phone1, C::Phone2, number);
    } else if (p.name == "EMAIL") {
        const QString mail = unescape(value).trimmed();
        if (p.hasType("WORK") && mRecord[C::CompanyMail].isEmpty())
            set(C::CompanyMail, mail);
        else if (p.hasType("CELL"))
            place(C::MobileMail1, C::MobileMail2, mail);
        else
            place(C::Mail1, C::Mail2, mail);
    } else if (p.name == "URL") {
        set(p.hasType("WORK") ? C::CompanyUrl : C::Url, unescape(value).trimmed());
    } else if (p.name == "ORG") {
        const QStringList o = components(value, u';');
        set(C::Company, part(o, 0));
        set(C::Department, o.mid(1).join(u' ').trimmed());
    } else if (p.name == "TITLE") {
        set(C::Position, unescape(value).trimmed());
    } else if (p.name == "BDAY") {
        const QString text = unescape(value).trimmed();
        set(C::BirthDate, p.param("VALUE").toLower() == "text" ? text : birthDate(text));
    } else if (p.name == "NOTE") {
        set(C::Note1, unescape(value).trimmed());
    }
}

bool CardBuilder::finish(QStringList* record)
{
    if (mRecord[C::Name].isEmpty())
        mRecord[C::Name] = mFormatted;
    mReadings[0] = joined(mPhoneticLast, mPhoneticFirst, QStringLiteral("　"));
    for (const QString& reading : mReadings) {
        if (!reading.isEmpty()) {
            mRecord[C::Reading] = VCardReader::fullWidthKatakana(reading);
            break;
        }
    }
    const auto address = [this](const QStringList& a, int code, int line1, int line2) {
        if (a.isEmpty())
            return;
        mRecord[code] = PostalCode::storedForm(part(a, 5));
        mRecord[line1] = part(a, 4) + part(a, 3) + part(a, 2);
        if (mRecord[line1].isEmpty())
            mRecord[line1] = part(a, 0);
        mRecord[line2] = part(a, 1);
    };
    address(mHome.isEmpty() ? mOther : mHome, C::PostalCode, C::Address1, C::Address2);
    address(mWork, C::CompanyPostalCode, C::CompanyAddress1, C::CompanyAddress2);
    for (const QString& field : std::as_const(mRecord)) {
        if (!field.isEmpty()) {
            *record = mRecord;
            return true;
        }
    }
    return false;
}

bool isBase64(const QByteArray& line)
{
    for (char c : line) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '+' || c == '/' || c == '=' || c == ' ' || c == '\t'))
            return false;
    }
    return true;
}

bool isLine(const QByteArray& line, const char* text)
{
    return line.size() < 40 && line.trimmed().toUpper() == text;
}

} // namespace

VCardReader::Result VCardReader::read(const QByteArray& bytes)
{
    Result result;
    bool inCard = false;
    bool oversized = false;
    int depth = 0;
    qint64 cardBytes = 0;
    CardBuilder card;
    QByteArray logical;
    bool logicalIsQp = false; // the logical line's parameters name QUOTED-PRINTABLE

    const auto handle = [&](const QByteArray& line) {
        if (!inCard) {
            if (isLine(line, "BEGIN:VCARD")) {
                inCard = true;
                oversized = false;
                depth = 1;
                cardBytes = 0;
                card = CardBuilder();
            }
            return;
        }
        if (isLine(line, "BEGIN:VCARD")) {
            ++depth; // an embedded card (2.1's AGENT) is passed over
        } else if (isLine(line, "END:VCARD")) {
            if (--depth > 0)
                return;
            inCard = false;
            QStringList record;
            if (!oversized && card.finish(&record))
                result.records.appendRecord(record);
            else
                ++result.skippedCards;
        } else if (depth == 1 && !oversized && !line.trimmed().isEmpty()) {
            Property p;
            if (parseProperty(line, &p))
                card.apply(p, &result.skippedValues);
            else if (!isBase64(line)) // older phones write a picture's lines unfolded
                ++result.skippedValues;
        }
    };

    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        if (end > start && bytes.at(end - 1) == '\r')
            --end;
        const QByteArrayView line(bytes.constData() + start, end - start);
        start = next;
        if (inCard) {
            cardBytes += line.size() + 1;
            if (cardBytes > MaxCardBytes && !oversized) {
                oversized = true;
                logical.clear();
            }
        }
        // A QUOTED-PRINTABLE value whose line ends in '=' goes on in the next line.
        const bool softBreak = logicalIsQp && logical.endsWith('=');
        const bool folded = !line.isEmpty() && (line.at(0) == ' ' || line.at(0) == '\t');
        if ((softBreak || folded) && !logical.isEmpty()) {
            if (oversized || logical.size() > MaxCardBytes)
                continue;
            if (softBreak) {
                logical.chop(1);
                logical.append(line);
            } else {
                logical.append(line.sliced(1));
            }
            continue;
        }
        if (!logical.isEmpty())
            handle(logical);
        const bool dropping = inCard && oversized;
        logical = dropping || line.size() > MaxCardBytes ? QByteArray() : line.toByteArray();
        // While a card is too large, its end is still looked for.
        if (dropping && line.size() < 40 && isLine(line.toByteArray(), "END:VCARD"))
            logical = line.toByteArray();
        const qsizetype colon = logical.indexOf(':');
        logicalIsQp = colon >= 0 && logical.left(colon).toUpper().contains("QUOTED-PRINTABLE");
    }
    if (!logical.isEmpty())
        handle(logical);
    if (inCard)
        ++result.skippedCards;
    return result;
}

VCardReader::Result VCardReader::readFile(const QString& path)
{
    Result result;
    QFile file(path);
    if (!RegularFile::open(file)) {
        result.error = tr("エラーが発生しました。");
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = tr("エラーが発生しました。");
        return result;
    }
    result = read(bytes);
    if (result.records.isEmpty() && result.skippedCards == 0)
        result.error = tr("vCardが見つかりませんでした。");
    return result;
}

QString VCardReader::fullWidthKatakana(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0xFF61 && c <= 0xFF9F) {
            qsizetype end = i;
            while (end < text.size() && text.at(end).unicode() >= 0xFF61 &&
                   text.at(end).unicode() <= 0xFF9F)
                ++end;
            out.append(text.mid(i, end - i).normalized(QString::NormalizationForm_KC));
            i = end;
            continue;
        }
        if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E)
            out.append(QChar(char16_t(c + 0x60)));
        else
            out.append(text.at(i));
        ++i;
    }
    return out;
}
