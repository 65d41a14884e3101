#include "AddressCsvImport.h"

#include "AddressBook.h"
#include "ContactFields.h"
#include "CsvImportDefinition.h"

#include "base/RegularFile.h"
#include "base/TextCodec.h"
#include "postal/PostalCode.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace {

const char* const kCaptions[AddressCsvImport::ImportGroupCount] = {
    QT_TRANSLATE_NOOP("AddressCsvImport", "あ行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "か行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "さ行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "た行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "な行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "は行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "ま行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "や行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "ら行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "わ行データをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "ABCデータをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "DEFデータをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "GHIデータをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "JKLデータをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "MNOデータをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "PQRデータをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "STUデータをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "VWXデータをインポート"),
    QT_TRANSLATE_NOOP("AddressCsvImport", "YZデータをインポート"),
};

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressCsvImport", text);
}

// Whether the whole file is UTF-8, checked in pieces that end at a line feed (never
// inside a UTF-8 sequence), so that a large file is not held a second time as text.
bool isUtf8(const QByteArray& bytes)
{
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', std::min(bytes.size(), at + (qsizetype(1) << 16)));
        end = end < 0 ? bytes.size() : end + 1;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString piece = utf8.decode(QByteArrayView(bytes).sliced(at, end - at));
        if (utf8.hasError())
            return false;
        at = end;
    }
    return true;
}

// Calls `line` with every line of the file from its current position (without its LF),
// read in pieces of 1 MB, until it returns false. False when the file cannot be read or
// holds more than MaxFileBytes.
template <typename Line> bool forEachLine(QFile& file, Line line)
{
    constexpr qint64 Piece = qint64(1) << 20;
    QByteArray pending;
    qint64 total = 0;
    while (true) {
        const QByteArray piece = file.read(Piece);
        if (file.error() != QFileDevice::NoError)
            return false;
        total += piece.size();
        if (total > AddressCsvImport::MaxFileBytes)
            return false;
        if (piece.isEmpty())
            break;
        qsizetype start = 0;
        while (start < piece.size()) {
            const qsizetype lf = piece.indexOf('\n', start);
            if (lf < 0) {
                pending.append(QByteArrayView(piece).sliced(start));
                break;
            }
            const QByteArrayView part = QByteArrayView(piece).sliced(start, lf - start);
            bool goOn;
            if (pending.isEmpty()) {
                goOn = line(part);
            } else {
                pending.append(part);
                goOn = line(QByteArrayView(pending));
                pending.clear();
            }
            if (!goOn)
                return true;
            start = lf + 1;
        }
    }
    if (!pending.isEmpty())
        line(QByteArrayView(pending));
    return true;
}

QString unreadableLineMessage(int line)
{
    return tr("%1行目の文字を読み取れません。UTF-8またはShift_JIS（CP932）のファイルを"
              "指定してください。")
        .arg(line);
}

} // namespace

QString AddressCsvImport::readLines(const QString& path, QStringList* lines)
{
    if (const QString refusal = readFileLines(path, lines); !refusal.isEmpty())
        return refusal;
    if (lines->isEmpty())
        return tr("インポートするデータが見つかりませんでした。");
    return QString();
}

QString AddressCsvImport::readFileLines(const QString& path, QStringList* lines)
{
    lines->clear();
    QFile file(path);
    if (!RegularFile::open(file))
        return tr("エラーが発生しました。");
    if (const QString refusal = checkTextFile(file); !refusal.isEmpty())
        return refusal;
    // Two passes over the file a piece at a time, so that it is never held whole as bytes:
    // the first counts the lines and finds the encoding, the second decodes line by line.
    static const QByteArray bom("\xEF\xBB\xBF", 3);
    qint64 count = 0;
    bool marked = false;
    int firstNotUtf8 = 0;
    bool utf8Text = false; // a line of non-ASCII UTF-8 text before the first that is not
    const bool read = forEachLine(file, [&](QByteArrayView line) {
        if (++count == 1 && line.startsWith(bom))
            marked = true;
        if (count > MaxLines)
            return false;
        if (firstNotUtf8 == 0 && !marked) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = utf8.decode(line);
            if (utf8.hasError())
                firstNotUtf8 = int(count);
            else
                utf8Text = utf8Text || decoded.size() < line.size();
        }
        return true;
    });
    if (!read)
        return tr("エラーが発生しました。");
    if (count > MaxLines)
        return tooManyLinesMessage();
    if (firstNotUtf8 > 0 && utf8Text)
        return unreadableLineMessage(firstNotUtf8);
    const bool utf8 = firstNotUtf8 == 0;
    if (!file.seek(0))
        return tr("エラーが発生しました。");
    lines->reserve(count);
    int refused = 0;
    const bool decoded = forEachLine(file, [&](QByteArrayView line) {
        if (lines->isEmpty() && marked)
            line = line.sliced(bom.size());
        if (line.endsWith('\r'))
            line.chop(1);
        if (utf8) {
            lines->append(QString::fromUtf8(line));
            return true;
        }
        lines->append(TextCodec::decode(line.constData(), int(line.size())));
        if (lines->constLast().contains(QChar::ReplacementCharacter)) {
            refused = int(lines->size());
            return false;
        }
        return true;
    });
    if (refused > 0 || !decoded || lines->size() != count) {
        lines->clear();
        return refused > 0 ? unreadableLineMessage(refused) : tr("エラーが発生しました。");
    }
    if (marked && count == 1 && file.size() == bom.size())
        lines->clear(); // the mark alone: no line
    return QString();
}

QString AddressCsvImport::tooManyLinesMessage()
{
    return tr("ファイルの行数が多すぎます。読み込めるのは%1行までです。")
        .arg(QLocale(QLocale::Japanese).toString(MaxLines));
}

QString AddressCsvImport::checkTextFile(QFile& file)
{
    const qint64 size = file.size();
    if (size > MaxFileBytes) {
        // Rounded up, so that a file just over the bound does not read "512 MB".
        const qint64 mb = (size + (qint64(1) << 20) - 1) >> 20;
        return tr("ファイルが大きすぎます（%1 MB）。読み込めるのは%2 MBまでです。")
            .arg(QLocale(QLocale::Japanese).toString(mb))
            .arg(MaxFileBytes >> 20);
    }
    const QByteArray head = file.read(ZeroHeadBytes);
    if (!file.seek(0))
        return tr("エラーが発生しました。");
    if (!head.isEmpty() && head.count('\0') == head.size())
        return tr("テキストファイルではありません。ファイルの先頭が0のバイトで埋まっています"
                  "（中身のないファイルか、書き込みの途中で止まったファイルかもしれません）。");
    return QString();
}

QString AddressCsvImport::checkEncoding(const QByteArray& bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF", 3);
    if (bytes.startsWith(bom))
        return QString(); // UTF-8 by its own word; what does not decode reads as U+FFFD
    if (isUtf8(bytes))
        return QString();
    // Not UTF-8 as a whole. CP932 text is practically never valid UTF-8, so a line of
    // non-ASCII text that is valid UTF-8 before the first one that is not makes it a UTF-8
    // file with a broken line (one saved in CP932, say): that line is named. Otherwise
    // every line must be CP932, and the first that is not is named. LF is never part of a
    // CP932 or UTF-8 character.
    const auto lineAt = [&bytes](qsizetype start) {
        const qsizetype end = bytes.indexOf('\n', start);
        return QByteArrayView(bytes).sliced(start, (end < 0 ? bytes.size() : end) - start);
    };
    bool utf8Text = false;
    int line = 1;
    for (qsizetype start = 0; start < bytes.size(); ++line) {
        const QByteArrayView text = lineAt(start);
        start += text.size() + 1;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(text);
        if (utf8.hasError()) {
            if (utf8Text)
                return unreadableLineMessage(line);
            break;
        }
        utf8Text = utf8Text || decoded.size() < text.size(); // multi-byte characters
    }
    line = 1;
    for (qsizetype start = 0; start < bytes.size(); ++line) {
        const QByteArrayView text = lineAt(start);
        start += text.size() + 1;
        if (TextCodec::decode(text.constData(), int(text.size()))
                .contains(QChar::ReplacementCharacter))
            return unreadableLineMessage(line);
    }
    return QString();
}

QStringList AddressCsvImport::decodeLines(const QByteArray& bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF", 3);
    const bool marked = bytes.startsWith(bom);
    // Japanese CP932 text is practically never valid UTF-8; ASCII reads the same either way.
    const bool utf8 = marked || isUtf8(bytes);
    // Line by line from the bytes, so that a large file is held as bytes and as lines but
    // never a third time as one whole text: LF and CR are never part of a CP932 double-byte
    // character or of a UTF-8 sequence.
    QStringList lines;
    qsizetype start = marked ? bom.size() : 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        else if (end > start && bytes.at(end - 1) == '\r')
            --end;
        const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        lines.append(utf8 ? QString::fromUtf8(line)
                          : TextCodec::decode(line.constData(), int(line.size())));
        start = next;
    }
    return lines;
}

QString AddressCsvImport::buttonCaption(int group)
{
    return group >= 0 && group < ImportGroupCount
               ? QCoreApplication::translate("AddressCsvImport", kCaptions[group])
               : QString();
}

int AddressCsvImport::groupForCaption(const QString& caption)
{
    for (int g = 0; g < ImportGroupCount; ++g) {
        if (caption == buttonCaption(g))
            return g;
    }
    return -1;
}

int AddressCsvImport::nextGroup(int group)
{
    return group >= 0 && group + 1 < ImportGroupCount ? group + 1 : 0;
}

QString AddressCsvImport::groupName(int group)
{
    if (group < 0 || group >= ImportGroupCount)
        return QString();
    // The kana groups are rows of the syllabary ("あ行"); the Latin ones go by their letters.
    return group < 10 ? AddressBook::groupLabel(group) + tr("行") : AddressBook::groupLabel(group);
}

QString AddressCsvImport::question(const AddressBook& book, int group, int rows, bool append)
{
    if (group < 0 || group >= ImportGroupCount)
        return QString();
    const CAddressData& data = book.group(group);
    const int records = data.recordCount();
    const int history = data.historyCount();
    if (append || (records == 0 && history == 0))
        return rows > 0 ? tr("データをインポートします。よろしいですか？") : QString();
    const QString deleted = tr("「%1」の住所録データ%2件と送受信履歴%3件を削除")
                                .arg(groupName(group))
                                .arg(records)
                                .arg(history);
    return rows > 0 ? tr("%1してインポートします。よろしいですか？").arg(deleted)
                    : tr("%1します。よろしいですか？").arg(deleted);
}

QString AddressCsvImport::noEntryNumbersMessage()
{
    return tr("登録番号が上限に達しているため、インポートできません。");
}

int AddressCsvImport::importRows(AddressBook& book, int group, const QList<QStringList>& rows,
                                 const QString& definition, bool append,
                                 ContactImportReport* report)
{
    QList<QStringList> records;
    records.reserve(rows.size());
    for (const QStringList& row : rows) {
        records.append(CsvImportDefinition::composeRecord(row, definition, QString()));
        if (report) {
            QStringList& record = records.last();
            record.resize(CAddressData::TextColumnCount);
            for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
                record[c] = ContactFields::bounded(record.at(c), report, record.at(CAddressData::Name),
                                                   CAddressData::columnTitle(c));
            }
            for (int column : {int(CAddressData::PostalCode), int(CAddressData::CompanyPostalCode)})
                record[column] = PostalCode::storedForm(record.at(column));
            ContactFields::restoreCodes(record, report);
        }
    }
    return importRecords(book, group, records, append);
}

int AddressCsvImport::importRecords(AddressBook& book, int group, const QList<QStringList>& records,
                                    bool append)
{
    if (group < 0 || group >= ImportGroupCount)
        return 0;
    const QList<QStringList>& rows = records;
    // The group's next number once, then counted on: each appended record is the new
    // largest, so this is what nextEntryNumber() would give for every row, without
    // rescanning the group per row. An emptied group starts again at 1.
    const qint64 first = append ? book.nextEntrySequence(group) : 1;
    if (first <= 0 || qint64(rows.size()) - 1 > std::numeric_limits<qint64>::max() - first)
        return -1;
    CAddressData& data = book.group(group);
    if (!append)
        data.removeAll(); // records and history: old history would attach to new numbers
    const QString prefix = AddressBook::entryPrefix(group);
    qint64 number = first;
    for (const QStringList& row : rows) {
        QStringList record = row;
        record.resize(CAddressData::TextColumnCount);
        record[CAddressData::EntryNumber] = prefix + QString::number(number);
        // Codes as the digit boxes print them ("1640013", "１６４－００１３" → "164-0013");
        // what cannot be read as a code is kept as it was.
        for (int column : {int(CAddressData::PostalCode), int(CAddressData::CompanyPostalCode)}) {
            if (column < record.size())
                record[column] = PostalCode::storedForm(record.at(column));
        }
        data.appendRecord(record);
        if (number < std::numeric_limits<qint64>::max())
            ++number;
    }
    return int(rows.size());
}
