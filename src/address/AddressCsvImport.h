#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class AddressBook;
class QFile;
class ContactImportReport;

// Import of address records from a CSV file: reading the file into lines, the cycle of
// target groups the import window's button walks through, and the import of selected
// rows into one group. The window itself (CCSVListDialog) only gathers the choices.
class AddressCsvImport
{
public:
    // Groups 0 (あ行) to 18 (YZ) take imported rows; the senders (19) never do.
    static constexpr int ImportGroupCount = 19;

    // The largest file read, so that a mistaken choice of a huge file is refused instead
    // of exhausting the memory.
    static constexpr qint64 MaxFileBytes = qint64(512) * 1024 * 1024;
    // The most lines read. Every line is a string of its own (some forty bytes even when
    // empty), so a file of nothing but line breaks would take forty times its size.
    static constexpr int MaxLines = 1000000;

    // Reads the file's lines into *lines (replacing them). Returns an empty string, or
    // the message to show: "エラーが発生しました。" when the file cannot be opened or read,
    // checkTextFile()'s,
    // "インポートするデータが見つかりませんでした。" when it holds no line.
    static QString readLines(const QString& path, QStringList* lines);

    // The lines of a CSV file by the rules of both CSV readers (this import and CSV files
    // as print data): a regular file of at most MaxFileBytes and MaxLines lines, UTF-8 or
    // CP932 (checkEncoding(), decodeLines()). Returns an empty string, with no line at all
    // for an empty file, or the message to show: "エラーが発生しました。" when the file
    // cannot be opened or read, checkTextFile()'s, tooManyLinesMessage(), or
    // checkEncoding()'s. The
    // file is read twice a piece at a time (the lines counted and the encoding found,
    // then decoded), so it is held only as its lines, never also as its bytes.
    static QString readFileLines(const QString& path, QStringList* lines);
    static QString tooManyLinesMessage();

    // Why an open file is not read as text, checked before anything is read of it (the
    // vCard reader too): "ファイルが大きすぎます（N MB）。読み込めるのは512 MBまでです。" over
    // MaxFileBytes, "テキストファイルではありません。…" when its first ZeroHeadBytes (or all
    // of a shorter file) are zero bytes: what a sparse file or a copy cut by a crash holds,
    // never text in UTF-8 or CP932. Empty otherwise, with the file back at its start.
    static constexpr qint64 ZeroHeadBytes = 4096;
    static QString checkTextFile(QFile& file);

    // The lines of a file's bytes: UTF-8 after a UTF-8 byte-order mark (which is dropped),
    // UTF-8 also without the mark when the bytes hold non-ASCII text that is valid UTF-8
    // (as Google Contacts writes its files), else CP932. Lines end at LF; a CR before the LF is
    // removed; a last line without an LF still counts; no bytes, no lines.
    static QStringList decodeLines(const QByteArray& bytes);

    // "N行目の文字を読み取れません。…" when the bytes are neither UTF-8 nor CP932, empty
    // otherwise. N is the first line that is not UTF-8 when lines of non-ASCII UTF-8 text
    // come before it (a UTF-8 file with one line saved in CP932), else the first line
    // that is not CP932. Both readers of
    // CSV files refuse such a file rather than show and print mojibake.
    static QString checkEncoding(const QByteArray& bytes);

    // The import button's caption for a group 0–18 ("あ行データをインポート", …,
    // "YZデータをインポート"); empty for any other group.
    static QString buttonCaption(int group);
    // The group a caption names, or -1.
    static int groupForCaption(const QString& caption);
    // The group after `group` in the button's cycle (YZ is followed by あ行).
    static int nextGroup(int group);

    // The group's name in the import window's question: "あ行" … "わ行", "ABC" … "YZ".
    static QString groupName(int group);

    // The question one press of the import button asks before it changes anything, or
    // an empty string when there is nothing to ask (no row to import, nothing to delete).
    // Without `append` a group holding records or history is emptied first, and the
    // question says so: "「あ行」の住所録データ12件と送受信履歴3件を削除してインポート
    // します。よろしいですか？" (with no row: "…を削除します。よろしいですか？"); else
    // "データをインポートします。よろしいですか？".
    static QString question(const AddressBook& book, int group, int rows, bool append);

    // "登録番号が上限に達しているため、インポートできません。"
    static QString noEntryNumbersMessage();

    // One press of the import button for `group` (0–18; any other group is refused and
    // nothing changes). Unless `append`, the group is emptied first, records and history
    // rows alike. Then one record per row, in the order given, is appended with the
    // group's next entry number (CsvImportDefinition::composeRecord); postal codes are
    // stored as PostalCode::storedForm() gives them. Returns the number
    // of records appended, or -1 when the group's entry numbers would run past the
    // largest 64-bit number (nothing is changed then).
    // With a report, codes whose leading zero a spreadsheet dropped get it back where the
    // postal table and the address agree (ContactFields::restoreCodes), counted there.
    static int importRows(AddressBook& book, int group, const QList<QStringList>& rows,
                          const QString& definition, bool append,
                          ContactImportReport* report = nullptr);
    // The same for records already made (one text per record column, as
    // ContactCsvImport gives them): their entry numbers are replaced by the group's.
    static int importRecords(AddressBook& book, int group, const QList<QStringList>& records,
                             bool append);
};
