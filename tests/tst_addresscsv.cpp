// Address CSV exchange: the import's line splitting and column count, the definition
// text, record composition, the import into a group with its caption cycle, and the
// export's quoting, encoding and atomic write, with a round trip of the program's own
// export.

#include "address/AddressBook.h"
#include "address/AddressCsvExport.h"
#include "address/AddressCsvImport.h"
#include "address/CAddressData.h"
#include "address/CsvImportDefinition.h"
#include "address/CsvLineSplitter.h"
#include "address/CsvRowTable.h"
#include "base/TextCodec.h"
#include "datasource/CsvDataTable.h"
#include "support/SparseFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Def = CsvImportDefinition;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A list row of 47 texts with the given ones at the front.
QStringList listRow(const QStringList& front)
{
    QStringList row = front;
    while (row.size() < AddressCsvExport::ColumnCount)
        row.append(QString());
    return row;
}

QStringList entries(const CAddressData& group)
{
    return group.textColumn(CAddressData::EntryNumber);
}

} // namespace

class TestAddressCsv : public QObject
{
    Q_OBJECT
private slots:
    void columnCount_data();
    void columnCount();
    void split_data();
    void split();
    void rowTableKeepsOnlyRealFields();
    void sortIsByCp932Bytes();
    void decodeLines_data();
    void decodeLines();
    void encodingChecked_data();
    void encodingChecked();
    void readLinesMessages();
    void refusedUnread_data();
    void refusedUnread();
    void lineLimit_data();
    void lineLimit();
    void definitionColumn_data();
    void definitionColumn();
    void composeNames_data();
    void composeNames();
    void birthDateAndAge_data();
    void birthDateAndAge();
    void everyCodeFillsItsColumn();
    void importIntoGroup_data();
    void importIntoGroup();
    void importQuestion_data();
    void importQuestion();
    void importPastLargestNumber_data();
    void importPastLargestNumber();
    void captionCycle();
    void exportQuoting_data();
    void exportQuoting();
    void exportBytes();
    void exportRefusesUnencodable_data();
    void exportRefusesUnencodable();
    void exportWriteFailure();
    void ownExportImportsBack();
};

void TestAddressCsv::columnCount_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("plain") << u"a,b,c"_qs << 3;
    QTest::newRow("commas only") << u",,,"_qs << 4;
    QTest::newRow("quoted comma") << u"a,\"b,c\",d"_qs << 3;
    QTest::newRow("quoted after comma only") << u"\"a,b\",c"_qs << 3;
    QTest::newRow("unterminated quote") << u"a,\"b,c,d"_qs << 2;
    QTest::newRow("quote closes at next quote") << u"a,\",\",b"_qs << 3;
    QTest::newRow("japanese") << u"氏名,住所,\"東京都,港区\""_qs << 3;
}

void TestAddressCsv::columnCount()
{
    QFETCH(QString, line);
    QFETCH(int, count);
    QCOMPARE(CsvLineSplitter::columnCount(line), count);
}

void TestAddressCsv::split_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("max");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("plain") << u"a,b,c"_qs << 3 << QStringList{u"a"_qs, u"b"_qs, u"c"_qs};
    QTest::newRow("fewer than N") << u"a,b"_qs << 4 << QStringList{u"a"_qs, u"b"_qs};
    QTest::newRow("beyond N dropped") << u"a,b,c,d"_qs << 2 << QStringList{u"a"_qs, u"b"_qs};
    QTest::newRow("none wanted") << u"a,b"_qs << 0 << QStringList();
    QTest::newRow("empty line") << QString() << 3 << QStringList{QString()};
    QTest::newRow("trailing comma") << u"a,"_qs << 3 << QStringList{u"a"_qs, QString()};
    QTest::newRow("quoted middle")
        << u"a,\"b,c\",d"_qs << 3 << QStringList{u"a"_qs, u"b,c"_qs, u"d"_qs};
    QTest::newRow("quoted last") << u"a,\"b,c\""_qs << 2 << QStringList{u"a"_qs, u"b,c"_qs};
    // The last quoted field ends one character before the line's end, whatever it is.
    QTest::newRow("quoted last, text after")
        << u"a,\"b,c\"x"_qs << 2 << QStringList{u"a"_qs, u"b,c\""_qs};
    QTest::newRow("quoted alone") << u"\"a\""_qs << 1 << QStringList{u"a"_qs};
    QTest::newRow("empty quoted") << u"\"\",x"_qs << 2 << QStringList{QString(), u"x"_qs};
    QTest::newRow("empty quoted last") << u"a,\"\""_qs << 2 << QStringList{u"a"_qs, QString()};
    QTest::newRow("doubled quotes kept")
        << u"\"x\"\"y\",z"_qs << 2 << QStringList{u"x\"\"y"_qs, u"z"_qs};
    QTest::newRow("text before quote dropped")
        << u"x\"y\",z"_qs << 2 << QStringList{u"y"_qs, u"z"_qs};
    QTest::newRow("unterminated quote")
        << u"a,\"b,c"_qs << 3 << QStringList{u"a"_qs, u"\"b"_qs, u"c"_qs};
    QTest::newRow("quote after the comma") << u"a,b\"c"_qs << 2 << QStringList{u"a"_qs, u"b\"c"_qs};
    QTest::newRow("lone quote") << u"\""_qs << 1 << QStringList{u"\""_qs};
    QTest::newRow("closing quote far away")
        << u"a\"b,c,\"d\",e"_qs << 4 << QStringList{u"b,c,\"d"_qs, u"e"_qs};
    // A quote written unchanged by the export pairs with a later quoted field.
    QTest::newRow("exported quote, later quoted field")
        << u"O\"Brien,x,\"a,b\",y"_qs << 3 << QStringList{u"Brien,x,\"a,b"_qs, u"y"_qs};
    QTest::newRow("japanese") << u"山田,\"東京都,港区\",太郎"_qs << 3
                              << QStringList{u"山田"_qs, u"東京都,港区"_qs, u"太郎"_qs};
}

void TestAddressCsv::split()
{
    QFETCH(QString, line);
    QFETCH(int, max);
    QFETCH(QStringList, fields);
    const QStringList got = CsvLineSplitter::split(line, max);
    QCOMPARE(got, fields);
    for (const QString& field : got)
        QVERIFY(line.contains(field));
}

void TestAddressCsv::rowTableKeepsOnlyRealFields()
{
    // A first line that claims many columns costs nothing for the short lines after it.
    const QStringList lines{QString(100000, u','), u"a,b"_qs, QString(), u"\"x,y\",z,w"_qs};
    const CsvRowTable table(lines);
    QCOMPARE(table.columnCount(), 100001);
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(table.row(1).size(), 2);
    QCOMPARE(table.row(2).size(), 1);
    QCOMPARE(table.row(3), (QStringList{u"x,y"_qs, u"z"_qs, u"w"_qs}));
    QCOMPARE(table.cell(1, 1), u"b"_qs);
    QCOMPARE(table.cell(1, 50000), QString());
    QCOMPARE(table.cell(9, 0), QString());
    QCOMPARE(CsvRowTable(QStringList()).columnCount(), 0);
}

void TestAddressCsv::sortIsByCp932Bytes()
{
    // Code-page order differs from Unicode order: "～" is 0x8160, before "あ" 0x82A0, and
    // "Ⅰ" (0x8754) comes after "あ" although U+2160 comes before U+3042.
    CsvRowTable table(
        QStringList{u"あ,1"_qs, u"Ⅰ,2"_qs, u"～,3"_qs, u"A,4"_qs, u"あ,5"_qs, u","_qs});
    table.reorder(table.sortOrder(0, true));
    QStringList order;
    for (int r = 0; r < table.rowCount(); ++r)
        order.append(table.cell(r, 1));
    QCOMPARE(order, (QStringList{QString(), u"4"_qs, u"3"_qs, u"1"_qs, u"5"_qs, u"2"_qs}));
    table.reorder(table.sortOrder(0, false));
    order.clear();
    for (int r = 0; r < table.rowCount(); ++r)
        order.append(table.cell(r, 1));
    // Equal texts keep their order both ways.
    QCOMPARE(order, (QStringList{u"2"_qs, u"1"_qs, u"5"_qs, u"3"_qs, u"4"_qs, QString()}));
}

void TestAddressCsv::decodeLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no bytes") << QByteArray() << QStringList();
    QTest::newRow("one empty line") << QByteArray("\n") << QStringList{QString()};
    QTest::newRow("crlf") << QByteArray("a,b\r\nc\r\n") << QStringList{u"a,b"_qs, u"c"_qs};
    QTest::newRow("lf, last line open") << QByteArray("a\nb") << QStringList{u"a"_qs, u"b"_qs};
    QTest::newRow("empty middle line")
        << QByteArray("a\r\n\r\nb\r\n") << QStringList{u"a"_qs, QString(), u"b"_qs};
    QTest::newRow("lone cr kept") << QByteArray("a\rb\r\r\n") << QStringList{u"a\rb\r"_qs};
    QTest::newRow("cp932") << TextCodec::encode(u"山田,太郎\r\nソ十表\r\n"_qs)
                           << QStringList{u"山田,太郎"_qs, u"ソ十表"_qs};
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF"
                                             "\xE5\xB1\xB1\xE7\x94\xB0,x\r\n")
                               << QStringList{u"山田,x"_qs};
    QTest::newRow("bom only") << QByteArray("\xEF\xBB\xBF") << QStringList();
    // What spreadsheets write on Linux: UTF-8 without the mark.
    QTest::newRow("utf-8 without bom") << QByteArray("\xE5\xB1\xB1\xE7\x94\xB0,x\r\n")
                                       << QStringList{u"山田,x"_qs};
    QTest::newRow("cp932 half-width kana")
        << TextCodec::encode(u"ﾔﾏﾀﾞ,ﾀﾛｳ\r\n"_qs) << QStringList{u"ﾔﾏﾀﾞ,ﾀﾛｳ"_qs};
    QTest::newRow("ascii only") << QByteArray("Name,Tel\n") << QStringList{u"Name,Tel"_qs};
}

// A file that is neither UTF-8 nor CP932 is refused, naming its first line that does not
// decode: in a file of UTF-8 text the first line that is not UTF-8, else the first that is
// not CP932.
void TestAddressCsv::encodingChecked_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("badLine"); // 0: read
    QTest::newRow("ascii") << QByteArray("a,b\nc\n") << 0;
    QTest::newRow("utf-8 without bom") << QByteArray("x\n\xE5\xB1\xB1\xE7\x94\xB0\n") << 0;
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF\xE5\xB1\xB1\n") << 0;
    QTest::newRow("cp932 with kana") << TextCodec::encode(u"山田,ﾀﾛｳ\nソ十表\n"_qs) << 0;
    QTest::newRow("invalid bytes on line 3")
        << (TextCodec::encode(u"山田\nﾀﾛｳ\n"_qs) + QByteArray("ok\xFF\xFF\n")) << 3;
    QTest::newRow("a lone lead byte at the end") << QByteArray("a\nb\x81") << 2;
    QTest::newRow("utf-8 with a cp932 line 7")
        << (QByteArray("氏名,住所\n").repeated(6) + TextCodec::encode(u"山田,東京\n"_qs) + "x\n")
        << 7;
}

void TestAddressCsv::encodingChecked()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, badLine);
    const QString message = AddressCsvImport::checkEncoding(bytes);
    QCOMPARE(message.isEmpty(), badLine == 0);
    if (badLine > 0)
        QVERIFY2(message.startsWith(QStringLiteral("%1行目の文字を読み取れません。").arg(badLine)),
                 qPrintable(message));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"x.csv"_qs);
    QVERIFY(writeAll(path, bytes));
    QStringList lines;
    QCOMPARE(AddressCsvImport::readLines(path, &lines), message);
    QCOMPARE(CsvDataTable::readLines(path, &lines), message);
}

void TestAddressCsv::decodeLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(AddressCsvImport::decodeLines(bytes), lines);
}

void TestAddressCsv::readLinesMessages()
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(u"empty.csv"_qs);
    const QString some = dir.filePath(u"some.csv"_qs);
    QVERIFY(writeAll(empty, QByteArray()));
    QVERIFY(writeAll(some, QByteArray("\xEF\xBB\xBF"
                                      "a,b\r\n")));

    QStringList lines{u"stale"_qs};
    QCOMPARE(AddressCsvImport::readLines(dir.filePath(u"missing.csv"_qs), &lines),
             u"エラーが発生しました。"_qs);
    QVERIFY(lines.isEmpty());
    QCOMPARE(AddressCsvImport::readLines(dir.path(), &lines), u"エラーが発生しました。"_qs);
    QCOMPARE(AddressCsvImport::readLines(empty, &lines),
             u"インポートするデータが見つかりませんでした。"_qs);
    QCOMPARE(AddressCsvImport::readLines(some, &lines), QString());
    QCOMPARE(lines, QStringList{u"a,b"_qs});
}

// A file too large or of zero bytes (sparse, or cut by a crash) is refused, before it is
// read, with why; the hole makes the gigabytes cost no disk. Zeros only after text are read.
void TestAddressCsv::refusedUnread_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("message");
    const QString tooLarge = u"ファイルが大きすぎます（%1 MB）。読み込めるのは512 MBまでです。"_qs;
    const QString notText = u"テキストファイルではありません。ファイルの先頭が0のバイトで埋まっています"
                            "（中身のないファイルか、書き込みの途中で止まったファイルかもしれません）。"_qs;
    const qint64 bound = AddressCsvImport::MaxFileBytes;
    QTest::newRow("one byte over 512 MB") << QByteArray("a,b\n") << bound + 1 << tooLarge.arg(513);
    QTest::newRow("3 GB sparse") << QByteArray() << (qint64(3) << 30) << tooLarge.arg(u"3,072"_qs);
    QTest::newRow("512 MB sparse") << QByteArray() << bound << notText;
    QTest::newRow("a few zeros") << QByteArray() << qint64(100) << notText;
    QTest::newRow("zeros written, then a hole")
        << QByteArray(int(AddressCsvImport::ZeroHeadBytes), '\0') << (qint64(1) << 20) << notText;
    QTest::newRow("text then zeros") << QByteArray("a,b\n") << qint64(8192) << QString();
}

void TestAddressCsv::refusedUnread()
{
    QFETCH(QByteArray, head);
    QFETCH(qint64, size);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"data.csv"_qs);
    QVERIFY(writeSparseFile(path, head, size));
    QStringList lines{u"stale"_qs};
    QCOMPARE(AddressCsvImport::readLines(path, &lines), message);
    QCOMPARE(lines.isEmpty(), !message.isEmpty());
    QCOMPARE(CsvDataTable::readLines(path, &lines), message);
}

// A file of more lines than anyone keeps is refused before its lines take memory, by
// both readers; a last line without a line break counts.
void TestAddressCsv::lineLimit_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("read");
    const int n = AddressCsvImport::MaxLines;
    QTest::newRow("line breaks up to the limit") << QByteArray(n, '\n') << true;
    QTest::newRow("one line break more") << QByteArray(n + 1, '\n') << false;
    QTest::newRow("a last line without a break") << QByteArray(n, '\n') + "a" << false;
    QTest::newRow("CRLF up to the limit") << QByteArray("a,b\r\n").repeated(n) << true;
}

void TestAddressCsv::lineLimit()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, read);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"many.csv"_qs);
    QVERIFY(writeAll(path, bytes));
    const QString refusal = u"ファイルの行数が多すぎます。読み込めるのは1,000,000行までです。"_qs;
    QStringList lines;
    QCOMPARE(AddressCsvImport::readLines(path, &lines), read ? QString() : refusal);
    QCOMPARE(lines.size(), read ? AddressCsvImport::MaxLines : 0);
    QCOMPARE(CsvDataTable::readLines(path, &lines), read ? QString() : refusal);
    QCOMPARE(lines.size(), read ? AddressCsvImport::MaxLines : 0);
}

void TestAddressCsv::definitionColumn_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("column");
    QTest::newRow("prefill names nothing") << Def::prefill(3) << int(Def::Name) << 0;
    QTest::newRow("simple") << u"1=N,2=H"_qs << int(Def::Reading) << 2;
    QTest::newRow("typed into prefill") << u"1= ,2=N ,3= ,"_qs << int(Def::Name) << 2;
    QTest::newRow("two digits") << u"1=A,12=P"_qs << int(Def::PostalCode) << 12;
    QTest::newRow("leading blank") << u" 7=A"_qs << int(Def::Address) << 7;
    QTest::newRow("digits then junk") << u"3x=A"_qs << int(Def::Address) << 3;
    QTest::newRow("R2 after R1") << u"1=R1,2=R2"_qs << int(Def::Note2) << 2;
    // The first occurrence of the letters counts, also inside a longer code.
    QTest::newRow("N inside SN") << u"1=SN,2=FN,3=N"_qs << int(Def::Name) << 1;
    QTest::newRow("H inside FH") << u"1=FH,2=H"_qs << int(Def::Reading) << 1;
    QTest::newRow("zero") << u"0=P"_qs << int(Def::PostalCode) << 0;
    QTest::newRow("negative") << u"-3=P"_qs << int(Def::PostalCode) << 0;
    QTest::newRow("no number") << u"1=A,=B"_qs << int(Def::BirthDate) << 0;
    QTest::newRow("no equals sign") << u"P"_qs << int(Def::PostalCode) << 0;
    QTest::newRow("not a number") << u"x=P"_qs << int(Def::PostalCode) << 0;
    QTest::newRow("overflow") << u"99999999999=A"_qs << int(Def::Address) << 0;
    QTest::newRow("lower case is not a code") << u"1=p"_qs << int(Def::PostalCode) << 0;
}

void TestAddressCsv::definitionColumn()
{
    QFETCH(QString, definition);
    QFETCH(int, code);
    QFETCH(int, column);
    QCOMPARE(Def::column(definition, Def::Code(code)), column);
    QCOMPARE(Def::prefill(2), u"1= ,2= ,"_qs);
}

void TestAddressCsv::composeNames_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reading");
    // N and H first: their letters also occur inside SN, FN, SH and FH.
    const QString split = u"5=N,6=H,1=SN,2=FN,3=SH,4=FH"_qs;
    QTest::newRow("japanese") << QStringList{u"山田"_qs, u"太郎"_qs, u"ヤマダ"_qs, u"タロウ"_qs}
                              << split << u"山田　太郎"_qs << u"ヤマダ　タロウ"_qs;
    QTest::newRow("latin given name")
        << QStringList{u"Smith"_qs, u"John"_qs, u"スミス"_qs, u"ジョン"_qs} << split
        << u"John Smith"_qs << u"ジョン　スミス"_qs;
    QTest::newRow("lower-case letter")
        << QStringList{u"doe"_qs, u"jane"_qs} << split << u"jane doe"_qs << QString();
    QTest::newRow("latin surname only") << QStringList{u"Smith"_qs, QString(), u"スミス"_qs}
                                        << split << u" Smith"_qs << u"　スミス"_qs;
    QTest::newRow("japanese surname only")
        << QStringList{u"山田"_qs} << split << u"山田　"_qs << QString();
    QTest::newRow("half-width kana is not a letter")
        << QStringList{u"ｽﾐｽ"_qs, u"ｼﾞｮﾝ"_qs} << split << u"ｽﾐｽ　ｼﾞｮﾝ"_qs << QString();
    QTest::newRow("full-width letter is not a letter")
        << QStringList{u"Ｓ"_qs, u"Ｊ"_qs} << split << u"Ｓ　Ｊ"_qs << QString();
    QTest::newRow("digit first") << QStringList{u"山田"_qs, u"1st"_qs} << split << u"山田　1st"_qs
                                 << QString();
    QTest::newRow("N and H when parts empty")
        << QStringList{QString(), QString(),      QString(),
                       QString(), u"山田太郎"_qs, u"ヤマダタロウ"_qs}
        << split << u"山田太郎"_qs << u"ヤマダタロウ"_qs;
    QTest::newRow("reading parts without name parts")
        << QStringList{QString(), QString(), u"ヤマダ"_qs, u"タロウ"_qs, u"山田太郎"_qs} << split
        << u"山田太郎"_qs << u"ヤマダ　タロウ"_qs;
    QTest::newRow("nothing defined")
        << QStringList{u"山田"_qs} << Def::prefill(1) << QString() << QString();
}

void TestAddressCsv::composeNames()
{
    QFETCH(QStringList, row);
    QFETCH(QString, definition);
    QFETCH(QString, name);
    QFETCH(QString, reading);
    const QStringList record = Def::composeRecord(row, definition, u"A-1"_qs);
    QCOMPARE(record.size(), CAddressData::TextColumnCount);
    QCOMPARE(record.at(CAddressData::EntryNumber), u"A-1"_qs);
    QCOMPARE(record.at(CAddressData::Name), name);
    QCOMPARE(record.at(CAddressData::Reading), reading);
}

void TestAddressCsv::birthDateAndAge_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QString>("age");
    QTest::newRow("full date") << QStringList{u"1980/01/02"_qs, u"44"_qs} << u"1=B,2=O"_qs
                               << u"1980/01/02"_qs << u"44"_qs;
    // No date is made up: what the file holds is kept, an empty one stays empty.
    QTest::newRow("eight characters")
        << QStringList{u"1980/1/2"_qs} << u"1=B"_qs << u"1980/1/2"_qs << u"0"_qs;
    QTest::newRow("eleven characters")
        << QStringList{u"1980/01/02 "_qs} << u"1=B"_qs << u"1980/01/02 "_qs << u"0"_qs;
    QTest::newRow("any ten characters")
        << QStringList{u"abcdefghij"_qs} << u"1=B"_qs << u"abcdefghij"_qs << u"0"_qs;
    QTest::newRow("empty column") << QStringList{QString()} << u"1=B"_qs << QString() << u"0"_qs;
    QTest::newRow("no B") << QStringList{u"1980/01/02"_qs} << u"1= ,"_qs << QString() << u"0"_qs;
    QTest::newRow("O on empty column")
        << QStringList{QString(), QString()} << u"2=O"_qs << QString() << QString();
    QTest::newRow("O beyond the row")
        << QStringList{u"x"_qs} << u"9=O"_qs << QString() << QString();
    QTest::newRow("O below 1") << QStringList{u"30"_qs} << u"0=O"_qs << QString() << u"0"_qs;
}

void TestAddressCsv::birthDateAndAge()
{
    QFETCH(QStringList, row);
    QFETCH(QString, definition);
    QFETCH(QString, birth);
    QFETCH(QString, age);
    const QStringList record = Def::composeRecord(row, definition, u"A-1"_qs);
    QCOMPARE(record.at(CAddressData::BirthDate), birth);
    QCOMPARE(record.at(CAddressData::Age), age);
}

void TestAddressCsv::everyCodeFillsItsColumn()
{
    const QStringList codes{u"P"_qs, u"A"_qs, u"T"_qs, u"K"_qs, u"X"_qs, u"E"_qs,  u"M"_qs, u"U"_qs,
                            u"C"_qs, u"J"_qs, u"D"_qs, u"Y"_qs, u"L"_qs, u"R1"_qs, u"R2"_qs};
    const QList<int> columns{
        CAddressData::PostalCode,      CAddressData::Address1,   CAddressData::Phone1,
        CAddressData::Mobile1,         CAddressData::Fax,        CAddressData::Mail1,
        CAddressData::MobileMail1,     CAddressData::Url,        CAddressData::Company,
        CAddressData::CompanyAddress1, CAddressData::Department, CAddressData::Position,
        CAddressData::CompanyPhone1,   CAddressData::Note1,      CAddressData::Note2};
    QString definition;
    QStringList row;
    for (int i = 0; i < codes.size(); ++i) {
        definition += QString::number(i + 1) + u'=' + codes.at(i) + u',';
        row.append(u"v"_qs + codes.at(i));
    }
    const QStringList record = Def::composeRecord(row, definition, u"KA-3"_qs);
    for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
        const int i = int(columns.indexOf(c));
        QString want;
        if (i >= 0)
            want = u"v"_qs + codes.at(i);
        else if (c == CAddressData::EntryNumber)
            want = u"KA-3"_qs;
        else if (c == CAddressData::Age)
            want = u"0"_qs;
        QVERIFY2(record.at(c) == want, qPrintable(CAddressData::columnTitle(c)));
    }
}

void TestAddressCsv::importIntoGroup_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<bool>("append");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("history");
    QTest::newRow("empty group") << 0 << QStringList() << false << 2
                                 << QStringList{u"A-1"_qs, u"A-2"_qs} << 0;
    QTest::newRow("append after largest")
        << 1 << QStringList{u"KA-1"_qs, u"KA-7"_qs, u"KA-3"_qs} << true << 2
        << QStringList{u"KA-1"_qs, u"KA-7"_qs, u"KA-3"_qs, u"KA-8"_qs, u"KA-9"_qs} << 3;
    QTest::newRow("replace restarts numbers")
        << 1 << QStringList{u"KA-1"_qs, u"KA-7"_qs} << false << 1 << QStringList{u"KA-1"_qs} << 0;
    QTest::newRow("no rows empties")
        << 18 << QStringList{u"YZ-4"_qs} << false << 0 << QStringList() << 0;
    QTest::newRow("no rows appending keeps")
        << 18 << QStringList{u"YZ-4"_qs} << true << 0 << QStringList{u"YZ-4"_qs} << 1;
    QTest::newRow("senders refused")
        << 19 << QStringList{u"SENDER-1"_qs} << false << 2 << QStringList{u"SENDER-1"_qs} << 1;
}

void TestAddressCsv::importIntoGroup()
{
    QFETCH(int, group);
    QFETCH(QStringList, before);
    QFETCH(bool, append);
    QFETCH(int, rows);
    QFETCH(QStringList, after);
    QFETCH(int, history);
    AddressBook book;
    for (const QString& entry : before) {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::EntryNumber] = entry;
        book.group(group).appendRecord(values);
        book.group(group).setFlag(book.group(group).recordCount() - 1, 1);
        book.group(group).appendHistory(entry, u"送信-年賀状"_qs, u"2024/01/01"_qs, QString());
    }
    book.group(2).appendRecord(QStringList{u"SA-1"_qs});
    QList<QStringList> data;
    for (int i = 0; i < rows; ++i)
        data.append(QStringList{u"名%1"_qs.arg(i), u"〒%1"_qs.arg(i)});

    QCOMPARE(AddressCsvImport::importRows(book, group, data, u"1=N,2=P"_qs, append),
             group < 19 ? rows : 0);
    const CAddressData& g = book.group(group);
    QCOMPARE(entries(g), after);
    QCOMPARE(g.historyCount(), history);
    const int first = append ? int(before.size()) : 0;
    for (int i = 0; group < 19 && i < rows; ++i) {
        QCOMPARE(g.field(first + i, CAddressData::Name), u"名%1"_qs.arg(i));
        QCOMPARE(g.field(first + i, CAddressData::PostalCode), u"〒%1"_qs.arg(i));
        QCOMPARE(g.flag(first + i), 0);
    }
    QCOMPARE(entries(book.group(2)), QStringList{u"SA-1"_qs}); // other groups untouched
}

void TestAddressCsv::importQuestion_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("history");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("append");
    QTest::addColumn<QString>("question");

    QTest::newRow("replacing records and history")
        << 0 << 12 << 3 << 2 << false
        << u"「あ行」の住所録データ12件と送受信履歴3件を削除してインポートします。よろしいですか？"_qs;
    QTest::newRow("emptying without rows")
        << 1 << 1 << 0 << 0 << false
        << u"「か行」の住所録データ1件と送受信履歴0件を削除します。よろしいですか？"_qs;
    QTest::newRow("history only")
        << 11 << 0 << 2 << 0 << false
        << u"「DEF」の住所録データ0件と送受信履歴2件を削除します。よろしいですか？"_qs;
    QTest::newRow("empty group") << 0 << 0 << 0 << 2 << false
                                 << u"データをインポートします。よろしいですか？"_qs;
    QTest::newRow("appending") << 0 << 5 << 5 << 2 << true
                               << u"データをインポートします。よろしいですか？"_qs;
    QTest::newRow("empty group, no rows: nothing to ask") << 0 << 0 << 0 << 0 << false << QString();
    QTest::newRow("appending no rows: nothing to ask") << 0 << 5 << 1 << 0 << true << QString();
    QTest::newRow("senders: nothing") << 19 << 1 << 0 << 1 << false << QString();
}

void TestAddressCsv::importQuestion()
{
    QFETCH(int, group);
    QFETCH(int, records);
    QFETCH(int, history);
    QFETCH(int, rows);
    QFETCH(bool, append);
    QFETCH(QString, question);
    AddressBook book;
    CAddressData& g = book.group(group);
    for (int i = 0; i < records; ++i)
        g.appendRecord(QStringList{u"X-%1"_qs.arg(i + 1)});
    for (int i = 0; i < history; ++i)
        g.appendHistory(u"X-1"_qs, u"年賀状"_qs, u"2024/01/01"_qs, QString());
    QCOMPARE(AddressCsvImport::question(book, group, rows, append), question);
}

void TestAddressCsv::importPastLargestNumber_data()
{
    QTest::addColumn<QString>("largest");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("append");
    QTest::addColumn<QStringList>("added"); // empty: refused, the group unchanged

    QTest::newRow("one row onto the largest but one")
        << u"KA-9223372036854775806"_qs << 1 << true << QStringList{u"KA-9223372036854775807"_qs};
    QTest::newRow("two rows onto the largest but one")
        << u"KA-9223372036854775806"_qs << 2 << true << QStringList();
    QTest::newRow("onto the largest") << u"KA-9223372036854775807"_qs << 1 << true << QStringList();
    QTest::newRow("replacing starts at 1")
        << u"KA-9223372036854775807"_qs << 1 << false << QStringList{u"KA-1"_qs};
}

// A book from elsewhere may hold the largest number there is: the next one would
// overflow, so the import is refused rather than numbered at random.
void TestAddressCsv::importPastLargestNumber()
{
    QFETCH(QString, largest);
    QFETCH(int, rows);
    QFETCH(bool, append);
    QFETCH(QStringList, added);
    AddressBook book;
    book.group(1).appendRecord(QStringList{largest});
    const AddressBook before = book;
    QList<QStringList> data;
    for (int i = 0; i < rows; ++i)
        data.append(QStringList{u"名"_qs});

    const int result = AddressCsvImport::importRows(book, 1, data, u"1=N"_qs, append);
    if (added.isEmpty()) {
        QCOMPARE(result, -1);
        QVERIFY(book == before);
        return;
    }
    QCOMPARE(result, rows);
    QCOMPARE(entries(book.group(1)), (append ? QStringList{largest} : QStringList()) + added);
}

void TestAddressCsv::captionCycle()
{
    const QStringList captions{
        u"あ行データをインポート"_qs, u"か行データをインポート"_qs, u"さ行データをインポート"_qs,
        u"た行データをインポート"_qs, u"な行データをインポート"_qs, u"は行データをインポート"_qs,
        u"ま行データをインポート"_qs, u"や行データをインポート"_qs, u"ら行データをインポート"_qs,
        u"わ行データをインポート"_qs, u"ABCデータをインポート"_qs,  u"DEFデータをインポート"_qs,
        u"GHIデータをインポート"_qs,  u"JKLデータをインポート"_qs,  u"MNOデータをインポート"_qs,
        u"PQRデータをインポート"_qs,  u"STUデータをインポート"_qs,  u"VWXデータをインポート"_qs,
        u"YZデータをインポート"_qs};
    int group = 0;
    for (int press = 0; press < 2 * captions.size(); ++press) {
        const QString& caption = captions.at(press % captions.size());
        QCOMPARE(AddressCsvImport::buttonCaption(group), caption);
        QCOMPARE(AddressCsvImport::groupForCaption(caption), press % int(captions.size()));
        group = AddressCsvImport::nextGroup(group);
    }
    QCOMPARE(AddressCsvImport::buttonCaption(AddressBook::SenderGroup), QString());
    QCOMPARE(AddressCsvImport::groupForCaption(u"差出人データをインポート"_qs), -1);
}

void TestAddressCsv::exportQuoting_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << u"山田"_qs << u"山田"_qs;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("comma") << u"東京都,港区"_qs << u"\"東京都,港区\""_qs;
    QTest::newRow("quote without comma") << u"a\"b"_qs << u"a\"b"_qs;
    QTest::newRow("quote and comma") << u"a\"b,c"_qs << u"\"a\"b,c\""_qs;
    QTest::newRow("full-width comma is not a comma") << u"a、b，c"_qs << u"a、b，c"_qs;
}

void TestAddressCsv::exportQuoting()
{
    QFETCH(QString, field);
    QFETCH(QString, written);
    QCOMPARE(AddressCsvExport::quoteField(field), written);
    QCOMPARE(AddressCsvExport::formatLine({u"x"_qs, field, u"y"_qs}),
             u"x,"_qs + written + u",y"_qs);
}

void TestAddressCsv::exportBytes()
{
    const QString header =
        u"登録番号,氏名,敬称,フリガナ,郵便番号,住所1,住所2,住所3,関係,電話番号1,電話番号2,携帯電話1,携帯電話2,FAX,E-メール1,E-メール2,携帯電話メール1,携帯電話メール2,URL,性別,生年月日,年齢,会社,会社郵便番号,会社住所1,会社住所2,会社住所3,部署,役職,会社電話1,会社電話2,会社FAX,会社E-メール,会社URL,連名1,敬称1,連名2,敬称2,連名3,敬称3,連名4,敬称4,連名5,敬称5,備考1,備考2,画像"_qs;
    QCOMPARE(AddressCsvExport::headerLine(), header);
    QCOMPARE(AddressCsvExport::columnTitles().size(), AddressCsvExport::ColumnCount);
    for (const QString& title : AddressCsvExport::columnTitles())
        QVERIFY2(CAddressData::columnForTitle(title) >= 0, qPrintable(title));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.csv"_qs);
    QCOMPARE(AddressCsvExport::write(path, {}), QString());
    QCOMPARE(readAll(path), TextCodec::encode(header) + "\r\n");

    const QStringList row = listRow({u"A-1"_qs, u"山田,太郎"_qs, u"様"_qs});
    QCOMPARE(AddressCsvExport::write(path, {row, row}), QString());
    const QByteArray line =
        TextCodec::encode(u"A-1,\"山田,太郎\",様"_qs) + QByteArray(44, ',') + "\r\n";
    QCOMPARE(readAll(path), TextCodec::encode(header) + "\r\n" + line + line);
}

void TestAddressCsv::exportRefusesUnencodable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named"); // empty when the text is written
    QTest::newRow("ibm extension") << u"髙橋"_qs << QString();
    QTest::newRow("nec circled one") << u"①"_qs << QString();
    QTest::newRow("wave dash") << u"〜"_qs << QString();
    QTest::newRow("surrogate pair") << u"𠮷田"_qs << u"「𠮷」(U+20BB7)"_qs;
    QTest::newRow("hangul") << u"김"_qs << u"「김」(U+AE40)"_qs;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << u"U+D800"_qs;
}

void TestAddressCsv::exportRefusesUnencodable()
{
    QFETCH(QString, text);
    QFETCH(QString, named);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.csv"_qs);
    QVERIFY(writeAll(path, "old"));
    const QList<QStringList> rows{
        listRow({u"A-1"_qs, u"山田"_qs}),
        listRow({u"A-2"_qs, u"鈴木"_qs, QString(), QString(), QString(), text})};
    const QString message = AddressCsvExport::write(path, rows);
    if (named.isEmpty()) {
        QCOMPARE(message, QString());
        QVERIFY(readAll(path).contains(TextCodec::encode(text)));
        return;
    }
    QVERIFY2(message.contains(u"2件目"_qs) && message.contains(u"A-2"_qs) &&
                 message.contains(u"住所1"_qs) && message.contains(named),
             qPrintable(message));
    QCOMPARE(readAll(path), QByteArray("old"));
    QByteArray bytes = "x";
    QCOMPARE(AddressCsvExport::encode(rows, &bytes), message);
    QVERIFY(bytes.isEmpty());
}

void TestAddressCsv::exportWriteFailure()
{
    QTemporaryDir dir;
    QVERIFY(AddressCsvExport::write(dir.filePath(u"no/such/folder/out.csv"_qs), {})
                .contains(u"保存先のフォルダ"_qs));
    QVERIFY(AddressCsvExport::write(dir.path(), {}).contains(u"フォルダです"_qs));
}

void TestAddressCsv::ownExportImportsBack()
{
    // Column 2 is 氏名, 4 フリガナ, 5 郵便番号, 6 住所1 in the program's own export.
    const QList<QStringList> rows{listRow({u"A-1"_qs, u"山田太郎"_qs, u"様"_qs, u"ヤマダタロウ"_qs,
                                           u"100-0001"_qs, u"東京都,千代田区"_qs}),
                                  listRow({u"A-2"_qs, u"O'Brien"_qs, QString(), u"オブライエン"_qs,
                                           QString(), u"1-2-3"_qs, u"a,b"_qs})};
    QByteArray bytes;
    QCOMPARE(AddressCsvExport::encode(rows, &bytes), QString());
    const CsvRowTable table(AddressCsvImport::decodeLines(bytes));
    QCOMPARE(table.columnCount(), AddressCsvExport::ColumnCount);
    QCOMPARE(table.rowCount(), 3);
    for (int r = 0; r < rows.size(); ++r)
        QCOMPARE(table.row(r + 1), rows.at(r));

    AddressBook book;
    AddressCsvImport::importRows(book, 3, {table.row(1), table.row(2)}, u"2=N,4=H,5=P,6=A,"_qs,
                                 false);
    const CAddressData& g = book.group(3);
    QCOMPARE(entries(g), (QStringList{u"TA-1"_qs, u"TA-2"_qs}));
    QCOMPARE(g.field(0, CAddressData::Name), u"山田太郎"_qs);
    QCOMPARE(g.field(0, CAddressData::Reading), u"ヤマダタロウ"_qs);
    QCOMPARE(g.field(0, CAddressData::PostalCode), u"100-0001"_qs);
    QCOMPARE(g.field(0, CAddressData::Address1), u"東京都,千代田区"_qs);
    QCOMPARE(g.field(1, CAddressData::Name), u"O'Brien"_qs);
    QCOMPARE(g.field(1, CAddressData::Honorific), QString());
    // The header line is a row like any other.
    QCOMPARE(table.cell(0, 1), u"氏名"_qs);
}

QTEST_GUILESS_MAIN(TestAddressCsv)
#include "tst_addresscsv.moc"
