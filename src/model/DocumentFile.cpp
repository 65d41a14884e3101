#include "DocumentFile.h"

#include "CORINOTEDoc.h"
#include "FamilyIo.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/RegularFile.h"
#include "base/SaveTarget.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace DocumentFile {

void write(const CORINOTEDoc& doc, ArchiveWriter& out)
{
    const DocumentScalars& s = doc.scalars();
    out.writeInt(s.autoRows);
    out.writeInt(s.autoCols);
    out.writeInt(s.currentSheetNo);
    out.writeString(s.templateName);
    out.writeRect(s.paperRect);
    out.writeInt(s.printSheetFrames);
    out.writeInt(s.reservedE);
    out.writeInt(s.perSheetBackgrounds);
    out.writeInt(s.reservedF);
    out.writeInt(s.verticalText);
    out.writeInt(s.roundSheetCorners);
    out.writeInt(s.printRuledLines);
    out.writeInt(s.reservedD);
    out.writeInt(s.senderIndex);
    out.writeInt(s.printStartPosition);

    const TextRectArrays& tr = doc.textRects().arrays();
    const SheetArrays& sh = doc.sheets().arrays();
    const KeisennArrays& ks = doc.keisenns().arrays();
    out.writeStringArray(tr.text);
    out.writeRectArray(sh.rect);
    out.writeFontArray(tr.font);
    out.writeIntArray(tr.textColor);
    out.writeRectArray(tr.rect);
    out.writeIntArray(tr.alignment);
    out.writeIntArray(tr.outlineWidth);
    out.writeIntArray(tr.outlineColor);
    out.writePointArray(ks.start);
    out.writePointArray(ks.end);
    out.writeIntArray(ks.width);
    out.writeIntArray(ks.color);
    out.writeIntArray(tr.backColor);
    out.writeIntArray(tr.backColorOff);
    out.writeStringArray(tr.backPicture);
    FamilyIo::writeBorderSides(out, tr.borderSides);
    out.writeIntArray(tr.borderWidth);
    out.writeIntArray(tr.borderColor);
    out.writeIntArray(tr.layer);
    out.writeIntArray(tr.orderSheetNo);
    out.writeIntArray(sh.backColor);
    out.writeStringArray(sh.backPicture);
    out.writeIntArray(sh.bleedX);
    out.writeIntArray(sh.bleedY);
    out.writeIntArray(sh.keepPictureAspect);
    out.writeIntArray(tr.reservedA);
    out.writeIntArray(sh.backPictureRotation);
    out.writeIntArray(tr.backPictureRotation);
    out.writeIntArray(tr.charSpacing);
    out.writeIntArray(tr.reservedB);
    out.writeIntArray(tr.transparentColor);
    out.writeIntArray(tr.transparentColorOn);
    out.writeIntArray(sh.autoCols);
    out.writeIntArray(sh.autoRows);
    out.writeIntArray(tr.sheetNo);
    out.writeIntArray(sh.elliptic);
    out.writeIntArray(sh.pictureTransparency);
    out.writeStringArray(sh.reservedText);
    out.writeIntArray(sh.reservedC);
    out.writeIntArray(tr.pictureTransparency);
    out.writeStringArray(tr.reservedText);
    out.writeIntArray(tr.elliptic);
    out.writeStringArray(tr.attribute);
    FamilyIo::writeReserved(out, doc.reservedArrays());

    doc.labelTemplate().write(out);
    doc.addressBook().write(out);
}

bool read(CORINOTEDoc& doc, ArchiveReader& in)
{
    DocumentScalars& s = doc.scalars();
    in.assignIfRead(s.autoRows, in.readInt());
    in.assignIfRead(s.autoCols, in.readInt());
    in.assignIfRead(s.currentSheetNo, in.readInt());
    in.assignIfRead(s.templateName, in.readString());
    in.assignIfRead(s.paperRect, in.readRect());
    in.assignIfRead(s.printSheetFrames, in.readInt());
    in.assignIfRead(s.reservedE, in.readInt());
    in.assignIfRead(s.perSheetBackgrounds, in.readInt());
    in.assignIfRead(s.reservedF, in.readInt());
    in.assignIfRead(s.verticalText, in.readInt());
    in.assignIfRead(s.roundSheetCorners, in.readInt());
    in.assignIfRead(s.printRuledLines, in.readInt());
    in.assignIfRead(s.reservedD, in.readInt());
    in.assignIfRead(s.senderIndex, in.readInt());
    in.assignIfRead(s.printStartPosition, in.readInt());

    TextRectArrays tr;
    SheetArrays sh;
    KeisennArrays ks;
    in.assignIfRead(tr.text, in.readStringArray());
    in.assignIfRead(sh.rect, in.readRectArray());
    in.assignIfRead(tr.font, in.readFontArray());
    in.assignIfRead(tr.textColor, in.readIntArray());
    in.assignIfRead(tr.rect, in.readRectArray());
    in.assignIfRead(tr.alignment, in.readIntArray());
    in.assignIfRead(tr.outlineWidth, in.readIntArray());
    in.assignIfRead(tr.outlineColor, in.readIntArray());
    in.assignIfRead(ks.start, in.readPointArray());
    in.assignIfRead(ks.end, in.readPointArray());
    in.assignIfRead(ks.width, in.readIntArray());
    in.assignIfRead(ks.color, in.readIntArray());
    in.assignIfRead(tr.backColor, in.readIntArray());
    in.assignIfRead(tr.backColorOff, in.readIntArray());
    in.assignIfRead(tr.backPicture, in.readStringArray());
    in.assignIfRead(tr.borderSides, FamilyIo::readBorderSides(in));
    in.assignIfRead(tr.borderWidth, in.readIntArray());
    in.assignIfRead(tr.borderColor, in.readIntArray());
    in.assignIfRead(tr.layer, in.readIntArray());
    in.assignIfRead(tr.orderSheetNo, in.readIntArray());
    in.assignIfRead(sh.backColor, in.readIntArray());
    in.assignIfRead(sh.backPicture, in.readStringArray());
    in.assignIfRead(sh.bleedX, in.readIntArray());
    in.assignIfRead(sh.bleedY, in.readIntArray());
    in.assignIfRead(sh.keepPictureAspect, in.readIntArray());
    in.assignIfRead(tr.reservedA, in.readIntArray());
    in.assignIfRead(sh.backPictureRotation, in.readIntArray());
    in.assignIfRead(tr.backPictureRotation, in.readIntArray());
    in.assignIfRead(tr.charSpacing, in.readIntArray());
    in.assignIfRead(tr.reservedB, in.readIntArray());
    in.assignIfRead(tr.transparentColor, in.readIntArray());
    in.assignIfRead(tr.transparentColorOn, in.readIntArray());
    in.assignIfRead(sh.autoCols, in.readIntArray());
    in.assignIfRead(sh.autoRows, in.readIntArray());
    in.assignIfRead(tr.sheetNo, in.readIntArray());
    in.assignIfRead(sh.elliptic, in.readIntArray());
    in.assignIfRead(sh.pictureTransparency, in.readIntArray());
    in.assignIfRead(sh.reservedText, in.readStringArray());
    in.assignIfRead(sh.reservedC, in.readIntArray());
    in.assignIfRead(tr.pictureTransparency, in.readIntArray());
    in.assignIfRead(tr.reservedText, in.readStringArray());
    in.assignIfRead(tr.elliptic, in.readIntArray());
    in.assignIfRead(tr.attribute, in.readStringArray());
    FamilyIo::readReserved(in, doc.reservedArrays());

    // The unstored arrays get one zero entry per object.
    tr.spareValue = QList<qint32>(tr.rect.size(), 0);
    sh.spareSheetValue = QList<qint32>(sh.rect.size(), 0);
    doc.textRects().assign(std::move(tr));
    doc.sheets().assign(std::move(sh));
    doc.keisenns().assign(std::move(ks));

    if (in.ok())
        doc.labelTemplate().read(in);
    // A damaged start position would place that many blank records before the first.
    s.printStartPosition = doc.printStartPosition();
    if (in.ok())
        doc.addressBook().read(in);
    return in.ok();
}

namespace {

// Bytes after the content a file may carry (padding of a copy tool, say) before it is
// taken for something else.
constexpr qint64 kTrailingSlack = 1024 * 1024;

} // namespace

QString open(CORINOTEDoc& doc, const QString& path, bool* kept)
{
    const QString failed =
        QCoreApplication::translate("DocumentFile", "ドキュメントを開くことに失敗しました。");
    // Opened before anything is emptied: a file that has moved or may not be read must
    // not cost the user the document that is open.
    QFile file(path);
    const bool opened = RegularFile::open(file);
    if (kept)
        *kept = !opened;
    if (!opened)
        return failed;
    doc.deleteContents(); // clears the selection too
    doc.setModified(false);
    ArchiveReader in(&file);
    if (!read(doc, in)) {
        doc.deleteContents();
        return failed + QLatin1Char('\n') + in.error();
    }
    // Zeros read as a valid empty document: a document always has a paper, and its file
    // ends near where its content does.
    const Rect paper = doc.scalars().paperRect;
    const qint64 content = file.pos();
    const qint64 trailing = file.size() - content;
    if (paper.width() == 0 || paper.height() == 0 ||
        (trailing > kTrailingSlack && trailing > content)) {
        doc.deleteContents();
        return failed + QLatin1Char('\n') +
               QCoreApplication::translate("DocumentFile", "ドキュメントファイルではありません。");
    }
    // The printer's offsets belong to the settings, not to the file: every way of
    // printing an opened document (the window, --print, orinote-batch) shifts it alike.
    doc.readPrintOffsets();
    return QString();
}

QString save(CORINOTEDoc& doc, const QString& path)
{
    const QString failed =
        QCoreApplication::translate("DocumentFile", "ドキュメントの保存に失敗しました。");
    QSaveFile file(path);
    if (const QString refused = SaveTarget::open(file); !refused.isEmpty())
        return failed + QLatin1Char('\n') + refused;
    ArchiveWriter out(&file);
    write(doc, out);
    // QSaveFile keeps the tail in its own buffer: flush it and check before the rename.
    if (out.finish() && file.flush() && file.commit()) {
        doc.setModified(false);
        return QString();
    }
    return failed;
}

} // namespace DocumentFile
