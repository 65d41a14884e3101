#include "DocumentFile.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "CORINOTEDoc.h"
#include "FamilyIo.h"

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
    auto take = [&in](auto& field, auto value) {
        if (in.ok())
            field = std::move(value);
    };
    DocumentScalars& s = doc.scalars();
    take(s.autoRows, in.readInt());
    take(s.autoCols, in.readInt());
    take(s.currentSheetNo, in.readInt());
    take(s.templateName, in.readString());
    take(s.paperRect, in.readRect());
    take(s.printSheetFrames, in.readInt());
    take(s.reservedE, in.readInt());
    take(s.perSheetBackgrounds, in.readInt());
    take(s.reservedF, in.readInt());
    take(s.verticalText, in.readInt());
    take(s.roundSheetCorners, in.readInt());
    take(s.printRuledLines, in.readInt());
    take(s.reservedD, in.readInt());
    take(s.senderIndex, in.readInt());
    take(s.printStartPosition, in.readInt());

    TextRectArrays tr;
    SheetArrays sh;
    KeisennArrays ks;
    take(tr.text, in.readStringArray());
    take(sh.rect, in.readRectArray());
    take(tr.font, in.readFontArray());
    take(tr.textColor, in.readIntArray());
    take(tr.rect, in.readRectArray());
    take(tr.alignment, in.readIntArray());
    take(tr.outlineWidth, in.readIntArray());
    take(tr.outlineColor, in.readIntArray());
    take(ks.start, in.readPointArray());
    take(ks.end, in.readPointArray());
    take(ks.width, in.readIntArray());
    take(ks.color, in.readIntArray());
    take(tr.backColor, in.readIntArray());
    take(tr.backColorOff, in.readIntArray());
    take(tr.backPicture, in.readStringArray());
    take(tr.borderSides, FamilyIo::readBorderSides(in));
    take(tr.borderWidth, in.readIntArray());
    take(tr.borderColor, in.readIntArray());
    take(tr.layer, in.readIntArray());
    take(tr.orderSheetNo, in.readIntArray());
    take(sh.backColor, in.readIntArray());
    take(sh.backPicture, in.readStringArray());
    take(sh.bleedX, in.readIntArray());
    take(sh.bleedY, in.readIntArray());
    take(sh.keepPictureAspect, in.readIntArray());
    take(tr.reservedA, in.readIntArray());
    take(sh.backPictureRotation, in.readIntArray());
    take(tr.backPictureRotation, in.readIntArray());
    take(tr.charSpacing, in.readIntArray());
    take(tr.reservedB, in.readIntArray());
    take(tr.transparentColor, in.readIntArray());
    take(tr.transparentColorOn, in.readIntArray());
    take(sh.autoCols, in.readIntArray());
    take(sh.autoRows, in.readIntArray());
    take(tr.sheetNo, in.readIntArray());
    take(sh.elliptic, in.readIntArray());
    take(sh.pictureTransparency, in.readIntArray());
    take(sh.reservedText, in.readStringArray());
    take(sh.reservedC, in.readIntArray());
    take(tr.pictureTransparency, in.readIntArray());
    take(tr.reservedText, in.readStringArray());
    take(tr.elliptic, in.readIntArray());
    take(tr.attribute, in.readStringArray());
    FamilyIo::readReserved(in, doc.reservedArrays());

    // The unstored arrays get one zero entry per object.
    tr.spareValue = QList<qint32>(tr.rect.size(), 0);
    sh.spareSheetValue = QList<qint32>(sh.rect.size(), 0);
    doc.textRects().assign(std::move(tr));
    doc.sheets().assign(std::move(sh));
    doc.keisenns().assign(std::move(ks));

    if (in.ok())
        doc.labelTemplate().read(in);
    if (in.ok())
        doc.addressBook().read(in);
    return in.ok();
}

QString open(CORINOTEDoc& doc, const QString& path)
{
    const QString failed =
        QCoreApplication::translate("DocumentFile", "ドキュメントを開くことに失敗しました。");
    doc.deleteContents();
    doc.selection().clear();
    doc.setModified(false);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed;
    ArchiveReader in(&file);
    if (!read(doc, in)) {
        doc.deleteContents();
        return failed + QLatin1Char('\n') + in.error();
    }
    doc.selection().clear();
    return QString();
}

QString save(CORINOTEDoc& doc, const QString& path)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        ArchiveWriter out(&file);
        write(doc, out);
        // QSaveFile keeps the tail in its own buffer: flush it and check before the rename.
        if (out.finish() && file.flush() && file.commit()) {
            doc.setModified(false);
            return QString();
        }
    }
    return QCoreApplication::translate("DocumentFile", "ドキュメントの保存に失敗しました。");
}

} // namespace DocumentFile
