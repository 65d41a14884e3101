#include "VCardReader.h"

#include "AddressCsvImport.h"
#include "CAddressData.h"
#include "ContactFields.h"
#include "ContactImportReport.h"

#include "base/RegularFile.h"
#include "base/TextCodec.h"
#include "postal/PostalCode.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

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

// The value with its escapes undone. A line break, escaped ("\n") or raw (a CR or LF
// left inside a line, also after a backslash), is given as LF for the caller to decide.
QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            c = text.at(++i);
            if (c == u'n' || c == u'N')
                c = u'\n';
        }
        out.append(c == u'\r' ? QChar(u'\n') : c);
    }
    return out;
}

// A value for a column of one line: line breaks as spaces, blanks around it removed.
QString plain(const QString& text)
{
    QString out = text;
    out.replace(u'\n', u' ');
    return out.trimmed();
}

// The components of a structured value, split at unescaped separators and unescaped.
QStringList components(const QString& value, QChar separator)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= value.size(); ++i) {
        if (i == value.size() || value.at(i) == separator) {
            parts.append(plain(unescape(QStringView(value).mid(start, i - start))));
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
// empty for a date without a year (also the year a phone puts in for "no year"); any other
// text as it is.
QString birthDate(const QString& value, const QByteArray& omittedYear)
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
    if (date.isValid() && !omittedYear.isEmpty() && date.year() == omittedYear.toInt())
        return QString();
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : value;
}

// The month and day of a birthday without a year, for the report: "11月23日".
QString monthDay(const QString& value)
{
    static const QRegularExpression others(QStringLiteral("[^0-9]"));
    const QString digits = QString(value).remove(others);
    if (digits.size() < 4)
        return value;
    return tr("%1月%2日").arg(digits.mid(digits.size() - 4, 2).toInt()).arg(digits.right(2).toInt());
}

QString addressLabel(const Property& p)
{
    return p.hasType("HOME") ? tr("自宅") : p.hasType("WORK") ? tr("会社") : tr("その他");
}

// What one card gathers until its end.
class CardBuilder
{
public:
    CardBuilder() : mRecord(C::TextColumnCount) {}

    void apply(const Property& p, int* skipped);
    // A property whose line was too long to read: named in the report at the card's end.
    void skipLong(const QByteArray& name) { mNotes.append({Note::Skipped, QString::fromLatin1(name)}); }
    bool finish(QStringList* record, ContactImportReport* report);

private:
    enum class Note
    {
        Unplaced,
        Skipped,
        Cut
    };
    void set(int column, const QString& value, const QString& kind)
    {
        if (mRecord[column].isEmpty())
            mRecord[column] = bounded(value, kind);
        else if (!value.isEmpty() && value != mRecord[column])
            mNotes.append({Note::Unplaced, kind + u' ' + value});
    }
    void place(std::initializer_list<int> columns, const QString& value, const QString& kind)
    {
        if (!value.isEmpty() && !ContactFields::place(mRecord, columns, bounded(value, kind)))
            mNotes.append({Note::Unplaced, kind + u' ' + value});
    }
    QString bounded(const QString& value, const QString& kind)
    {
        if (value.size() > ContactFields::MaxFieldChars)
            mNotes.append({Note::Cut, tr("%1 %2文字").arg(kind).arg(value.size())});
        return ContactFields::bounded(value, nullptr, QString(), QString());
    }

    QStringList mRecord;
    QString mFormatted;
    QString mReadings[4]; // X-PHONETIC-*, SORT-AS, SOUND;X-IRMC-N, SORT-STRING
    QString mPhoneticLast, mPhoneticFirst;
    std::optional<ContactFields::Address> mHome, mOther, mWork;
    QList<std::pair<QString, ContactFields::Address>> mMoreAddresses; // with their labels
    QList<std::pair<Note, QString>> mNotes;
};

ContactFields::Address addressOf(const QStringList& a)
{
    return {part(a, 0), part(a, 1), part(a, 2), part(a, 3), part(a, 4), part(a, 5), part(a, 6)};
}

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
        set(C::Name, joined(part(n, 0), part(n, 1), QStringLiteral(" ")), tr("名前"));
        Property param; // the reading as a value of the line's own charset
        param.params = {{"CHARSET", p.param("CHARSET")}};
        param.value = p.param("SORT-AS");
        QString sortText;
        if (mReadings[1].isEmpty() && decodeValue(param, &sortText))
            mReadings[1] = sortText;
    } else if (p.name == "FN") {
        if (mFormatted.isEmpty())
            mFormatted = plain(unescape(value));
    } else if (p.name == "X-PHONETIC-LAST-NAME") {
        mPhoneticLast = plain(unescape(value));
    } else if (p.name == "X-PHONETIC-FIRST-NAME") {
        mPhoneticFirst = plain(unescape(value));
    } else if (p.name == "SOUND") {
        const QStringList n = components(value, u';');
        if (mReadings[2].isEmpty())
            mReadings[2] = joined(part(n, 0), part(n, 1), QStringLiteral(" "));
    } else if (p.name == "SORT-STRING") {
        if (mReadings[3].isEmpty())
            mReadings[3] = plain(unescape(value));
    } else if (p.name == "ADR") {
        const ContactFields::Address address = addressOf(components(value, u';'));
        auto& target = p.hasType("HOME") ? mHome : p.hasType("WORK") ? mWork : mOther;
        if (!target)
            target = address;
        else if (!address.isEmpty())
            mMoreAddresses.append({addressLabel(p), address});
    } else if (p.name == "TEL") {
        QString number = plain(unescape(value));
        if (p.param("VALUE").toLower() == "uri" && number.startsWith(u"tel:", Qt::CaseInsensitive))
            number = number.mid(4);
        if (p.hasType("CELL") || p.hasType("IPHONE"))
            place({C::Mobile1, C::Mobile2}, number, tr("携帯電話"));
        else if (p.hasType("FAX"))
            set(p.hasType("WORK") ? C::CompanyFax : C::Fax, number, tr("FAX"));
        else if (p.hasType("WORK"))
            place({C::CompanyPhone1, C::CompanyPhone2}, number, tr("会社電話"));
        else
            place({C::Phone1, C::Phone2}, number, tr("電話"));
    } else if (p.name == "EMAIL") {
        const QString mail = plain(unescape(value));
        if (p.hasType("WORK") && mRecord[C::CompanyMail].isEmpty())
            set(C::CompanyMail, mail, tr("会社E-メール"));
        else if (p.hasType("CELL"))
            place({C::MobileMail1, C::MobileMail2}, mail, tr("携帯電話メール"));
        else
            place({C::Mail1, C::Mail2}, mail, tr("E-メール"));
    } else if (p.name == "URL") {
        set(p.hasType("WORK") ? C::CompanyUrl : C::Url, plain(unescape(value)), tr("URL"));
    } else if (p.name == "ORG") {
        const QStringList o = components(value, u';');
        set(C::Company, part(o, 0), tr("会社"));
        set(C::Department, o.mid(1).join(u' ').trimmed(), tr("部署"));
    } else if (p.name == "TITLE") {
        set(C::Position, plain(unescape(value)), tr("役職"));
    } else if (p.name == "BDAY") {
        const QString text = plain(unescape(value));
        const QString date = p.param("VALUE").toLower() == "text"
                                 ? text
                                 : birthDate(text, p.param("X-APPLE-OMIT-YEAR"));
        if (date.isEmpty() && !text.isEmpty())
            mNotes.append({Note::Unplaced, tr("年のない誕生日 %1").arg(monthDay(text))});
        else
            set(C::BirthDate, date, tr("誕生日"));
    } else if (p.name == "NOTE") {
        place({C::Note1, C::Note2}, ContactFields::singleLine(unescape(value)), tr("備考"));
    }
}

bool CardBuilder::finish(QStringList* record, ContactImportReport* report)
{
    if (mRecord[C::Name].isEmpty())
        mRecord[C::Name] = bounded(mFormatted, tr("名前"));
    mReadings[0] = joined(mPhoneticLast, mPhoneticFirst, QStringLiteral(" "));
    for (const QString& reading : mReadings) {
        if (!reading.isEmpty()) {
            mRecord[C::Reading] = bounded(ContactFields::reading(reading), tr("フリガナ"));
            break;
        }
    }
    // Home first, else the first address of no kind; the rest go into the notes.
    if (mHome && mOther)
        mMoreAddresses.prepend({tr("その他"), *mOther});
    if (const auto& home = mHome ? mHome : mOther)
        ContactFields::fillAddress(mRecord, C::PostalCode, C::Address1, C::Address2, *home);
    if (mWork) {
        ContactFields::fillAddress(mRecord, C::CompanyPostalCode, C::CompanyAddress1,
                                   C::CompanyAddress2, *mWork);
    }
    for (int c : {C::Address1, C::Address2, C::CompanyAddress1, C::CompanyAddress2})
        mRecord[c] = bounded(mRecord[c], tr("住所"));
    for (const auto& [label, address] : std::as_const(mMoreAddresses))
        place({C::Note1, C::Note2}, ContactFields::noteLine(label, address), tr("住所"));
    bool any = false;
    for (const QString& field : std::as_const(mRecord))
        any = any || !field.isEmpty();
    if (!any)
        return false;
    ContactFields::restoreCodes(mRecord, report);
    const QString who = mRecord[C::Name];
    for (const auto& [kind, what] : std::as_const(mNotes)) {
        if (kind == Note::Unplaced)
            report->addUnplaced(who, what);
        else if (kind == Note::Skipped)
            report->addSkipped(who, what);
        else
            report->addCut(who, what);
    }
    *record = mRecord;
    return true;
}

bool isBase64(QByteArrayView line)
{
    for (char c : line) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '+' || c == '/' || c == '=' || c == ' ' || c == '\t'))
            return false;
    }
    return true;
}

bool isLine(QByteArrayView line, const char* text)
{
    return line.size() < 40 && line.trimmed().toByteArray().toUpper() == text;
}

// Reads cards one physical line at a time, so that a file is never held whole: a logical
// line (folded lines and QUOTED-PRINTABLE soft breaks joined) is kept up to MaxLineBytes,
// beyond that only its name is kept and the value is skipped and named.
class CardParser
{
public:
    explicit CardParser(VCardReader::Result& result) : mResult(result) {}

    // A line without its end; `cut` when the file's line went on beyond it.
    void line(QByteArrayView line, bool cut);
    void end();

private:
    void handle();

    VCardReader::Result& mResult;
    bool mInCard = false;
    int mDepth = 0;
    CardBuilder mCard;
    QByteArray mLogical;
    bool mOpen = false;     // a logical line has begun
    bool mOverlong = false; // its value went beyond MaxLineBytes: only the name is kept
    bool mQp = false;       // its parameters name QUOTED-PRINTABLE
    bool mLastEq = false;   // its last physical line ended in '='
};

void CardParser::line(QByteArrayView line, bool cut)
{
    // A QUOTED-PRINTABLE value whose line ends in '=' goes on in the next line, unless
    // that line closes or opens a card: a stray last '=' must not swallow the card's end.
    const bool softBreak =
        mOpen && mQp && mLastEq && !isLine(line, "END:VCARD") && !isLine(line, "BEGIN:VCARD");
    const bool folded = !line.isEmpty() && (line.at(0) == ' ' || line.at(0) == '\t');
    if (mOpen && (softBreak || folded)) {
        const QByteArrayView more = softBreak ? line : line.sliced(1);
        if (!mOverlong && (cut || mLogical.size() + more.size() > VCardReader::MaxLineBytes)) {
            mOverlong = true;
            mLogical.truncate(std::max<qsizetype>(0, mLogical.indexOf(':')));
        }
        if (!mOverlong) {
            if (softBreak)
                mLogical.chop(1);
            mLogical.append(more);
        }
        mLastEq = line.endsWith('=');
        return;
    }
    if (mOpen)
        handle();
    mOpen = !line.isEmpty();
    mOverlong = cut || line.size() > VCardReader::MaxLineBytes;
    const qsizetype colon = line.indexOf(':');
    const QByteArrayView head = colon >= 0 ? line.first(colon) : line;
    mLogical = mOverlong ? head.first(std::min<qsizetype>(head.size(), 256)).toByteArray()
                         : line.toByteArray();
    mQp = colon >= 0 && head.toByteArray().toUpper().contains("QUOTED-PRINTABLE");
    mLastEq = line.endsWith('=');
}

void CardParser::handle()
{
    const QByteArray& line = mLogical;
    if (!mInCard) {
        if (isLine(line, "BEGIN:VCARD")) {
            mInCard = true;
            mDepth = 1;
            mCard = CardBuilder();
        }
        return;
    }
    if (isLine(line, "BEGIN:VCARD")) {
        ++mDepth; // an embedded card (2.1's AGENT) is passed over
    } else if (isLine(line, "END:VCARD")) {
        if (--mDepth > 0)
            return;
        mInCard = false;
        QStringList record;
        if (mCard.finish(&record, &mResult.report))
            mResult.records.appendRecord(record);
        else
            ++mResult.skippedCards;
    } else if (mDepth == 1 && mOverlong) {
        Property p;
        mCard.skipLong(parseProperty(line + ':', &p) ? p.name : QByteArray("?"));
        ++mResult.skippedValues;
    } else if (mDepth == 1 && !line.trimmed().isEmpty()) {
        Property p;
        if (parseProperty(line, &p))
            mCard.apply(p, &mResult.skippedValues);
        else if (!isBase64(line)) // older phones write a picture's lines unfolded
            ++mResult.skippedValues;
    }
}

void CardParser::end()
{
    if (mOpen)
        handle();
    mOpen = false;
    if (mInCard)
        ++mResult.skippedCards;
    mInCard = false;
}

const QByteArray kByteOrderMark("\xEF\xBB\xBF", 3);

// Feeds the lines of bytes (LF or CRLF endings) to the parser.
void feedLines(CardParser& parser, QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        if (end > start && bytes.at(end - 1) == '\r')
            --end;
        parser.line(bytes.sliced(start, end - start), false);
        start = next;
    }
}

} // namespace

VCardReader::Result VCardReader::read(const QByteArray& bytes)
{
    Result result;
    CardParser parser(result);
    // Windows tools open the file with a byte-order mark: it is no part of BEGIN:VCARD.
    feedLines(parser, QByteArrayView(bytes).sliced(bytes.startsWith(kByteOrderMark) ? 3 : 0));
    parser.end();
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
    // The bounds of the CSV readers: a huge or zero-filled file is refused unread.
    if (const QString refusal = AddressCsvImport::checkTextFile(file); !refusal.isEmpty()) {
        result.error = refusal;
        return result;
    }
    // Read in pieces: a line longer than MaxLineBytes is given cut and the rest of it
    // passed over, so that the memory held is a piece and a line whatever the file.
    CardParser parser(result);
    constexpr qint64 Piece = qint64(1) << 20;
    QByteArray pending;
    bool skipping = false; // inside a line already given cut
    bool first = true;
    while (true) {
        QByteArray piece = file.read(Piece);
        if (file.error() != QFileDevice::NoError) {
            result = Result();
            result.error = tr("エラーが発生しました。");
            return result;
        }
        if (piece.isEmpty())
            break;
        if (first && piece.startsWith(kByteOrderMark))
            piece.remove(0, 3);
        first = false;
        qsizetype start = 0;
        while (start < piece.size()) {
            const qsizetype lf = piece.indexOf('\n', start);
            const qsizetype end = lf < 0 ? piece.size() : lf;
            if (!skipping)
                pending.append(QByteArrayView(piece).sliced(start, end - start));
            if (lf >= 0) {
                if (!skipping) {
                    if (pending.endsWith('\r'))
                        pending.chop(1);
                    parser.line(pending, false);
                }
                pending.clear();
                skipping = false;
            } else if (!skipping && pending.size() > MaxLineBytes) {
                parser.line(QByteArrayView(pending).first(MaxLineBytes), true);
                pending.clear();
                skipping = true;
            }
            start = end + 1;
        }
    }
    if (!skipping && !pending.isEmpty()) {
        if (pending.endsWith('\r'))
            pending.chop(1);
        parser.line(pending, false);
    }
    parser.end();
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
