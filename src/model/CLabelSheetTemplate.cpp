#include "CLabelSheetTemplate.h"

#include "FamilyIo.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

#include <QCoreApplication>

CLabelSheetTemplate::CLabelSheetTemplate()
{
    reset();
}

void CLabelSheetTemplate::reset()
{
    paperRect = Rect{0, 0, 2970, -4200};
    paperPicture.clear();
    verticalText = printSheetFrames = roundSheetCorners = printRuledLines = 0;
    reserved1 = reserved2 = 0;
    reserved3 = 1;
    sheets.clear();
    regions.clear();
    keisenns.clear();
    reserved.clear();
}

bool CLabelSheetTemplate::read(ArchiveReader& in)
{
    TextRectArrays tr = regions.arrays();
    SheetArrays sh = sheets.arrays();
    KeisennArrays ks = keisenns.arrays();

    in.assignIfRead(paperRect, in.readRect());
    in.assignIfRead(paperPicture, in.readString());
    in.assignIfRead(verticalText, in.readInt());
    in.assignIfRead(printSheetFrames, in.readInt());
    in.assignIfRead(roundSheetCorners, in.readInt());
    in.assignIfRead(printRuledLines, in.readInt());
    in.assignIfRead(reserved1, in.readInt());
    in.assignIfRead(reserved2, in.readInt());
    in.assignIfRead(reserved3, in.readInt());
    in.assignIfRead(sh.rect, in.readRectArray());
    in.assignIfRead(tr.rect, in.readRectArray());
    in.assignIfRead(ks.start, in.readPointArray());
    in.assignIfRead(ks.end, in.readPointArray());
    in.assignIfRead(ks.width, in.readIntArray());
    in.assignIfRead(ks.color, in.readIntArray());
    in.assignIfRead(tr.attribute, in.readStringArray());
    in.assignIfRead(tr.font, in.readFontArray());
    in.assignIfRead(tr.textColor, in.readIntArray());
    in.assignIfRead(tr.rect, in.readRectArray()); // the region rectangles a second time
    in.assignIfRead(tr.alignment, in.readIntArray());
    in.assignIfRead(tr.outlineWidth, in.readIntArray());
    in.assignIfRead(tr.outlineColor, in.readIntArray());
    in.assignIfRead(tr.backColor, in.readIntArray());
    in.assignIfRead(tr.backColorOff, in.readIntArray());
    in.assignIfRead(tr.backPicture, in.readStringArray());
    in.assignIfRead(tr.spareValue, in.readIntArray());
    in.assignIfRead(tr.borderSides, FamilyIo::readBorderSides(in));
    in.assignIfRead(tr.borderWidth, in.readIntArray());
    in.assignIfRead(tr.borderColor, in.readIntArray());
    in.assignIfRead(tr.layer, in.readIntArray());
    in.assignIfRead(tr.reservedA, in.readIntArray());
    in.assignIfRead(sh.backColor, in.readIntArray());
    in.assignIfRead(sh.backPicture, in.readStringArray());
    in.assignIfRead(sh.spareSheetValue, in.readIntArray());
    in.assignIfRead(sh.bleedX, in.readIntArray());
    in.assignIfRead(sh.bleedY, in.readIntArray());
    in.assignIfRead(sh.keepPictureAspect, in.readIntArray());
    in.assignIfRead(sh.backPictureRotation, in.readIntArray());
    in.assignIfRead(tr.backPictureRotation, in.readIntArray());
    in.assignIfRead(tr.charSpacing, in.readIntArray());
    in.assignIfRead(tr.reservedB, in.readIntArray());
    in.assignIfRead(tr.transparentColor, in.readIntArray());
    in.assignIfRead(tr.transparentColorOn, in.readIntArray());
    in.assignIfRead(sh.elliptic, in.readIntArray());
    in.assignIfRead(sh.pictureTransparency, in.readIntArray());
    in.assignIfRead(sh.reservedText, in.readStringArray());
    in.assignIfRead(sh.reservedC, in.readIntArray());
    in.assignIfRead(tr.pictureTransparency, in.readIntArray());
    in.assignIfRead(tr.reservedText, in.readStringArray());
    in.assignIfRead(tr.elliptic, in.readIntArray());
    FamilyIo::readReserved(in, reserved);

    // The arrays a template file does not hold follow their families' lengths.
    const qsizetype regionCount = tr.rect.size();
    tr.text = QList<QString>(regionCount);
    tr.orderSheetNo = QList<qint32>(regionCount, 1);
    tr.sheetNo = QList<qint32>(regionCount, 1);
    sh.autoCols = QList<qint32>(sh.rect.size(), 1);
    sh.autoRows = QList<qint32>(sh.rect.size(), 1);
    regions.assign(std::move(tr));
    sheets.assign(std::move(sh));
    keisenns.assign(std::move(ks));
    return in.ok();
}

void CLabelSheetTemplate::write(ArchiveWriter& out) const
{
    const TextRectArrays& tr = regions.arrays();
    const SheetArrays& sh = sheets.arrays();
    const KeisennArrays& ks = keisenns.arrays();
    out.writeRect(paperRect);
    out.writeString(paperPicture);
    out.writeInt(verticalText);
    out.writeInt(printSheetFrames);
    out.writeInt(roundSheetCorners);
    out.writeInt(printRuledLines);
    out.writeInt(reserved1);
    out.writeInt(reserved2);
    out.writeInt(reserved3);
    out.writeRectArray(sh.rect);
    out.writeRectArray(tr.rect);
    out.writePointArray(ks.start);
    out.writePointArray(ks.end);
    out.writeIntArray(ks.width);
    out.writeIntArray(ks.color);
    out.writeStringArray(tr.attribute);
    out.writeFontArray(tr.font);
    out.writeIntArray(tr.textColor);
    out.writeRectArray(tr.rect);
    out.writeIntArray(tr.alignment);
    out.writeIntArray(tr.outlineWidth);
    out.writeIntArray(tr.outlineColor);
    out.writeIntArray(tr.backColor);
    out.writeIntArray(tr.backColorOff);
    out.writeStringArray(tr.backPicture);
    out.writeIntArray(tr.spareValue);
    FamilyIo::writeBorderSides(out, tr.borderSides);
    out.writeIntArray(tr.borderWidth);
    out.writeIntArray(tr.borderColor);
    out.writeIntArray(tr.layer);
    out.writeIntArray(tr.reservedA);
    out.writeIntArray(sh.backColor);
    out.writeStringArray(sh.backPicture);
    out.writeIntArray(sh.spareSheetValue);
    out.writeIntArray(sh.bleedX);
    out.writeIntArray(sh.bleedY);
    out.writeIntArray(sh.keepPictureAspect);
    out.writeIntArray(sh.backPictureRotation);
    out.writeIntArray(tr.backPictureRotation);
    out.writeIntArray(tr.charSpacing);
    out.writeIntArray(tr.reservedB);
    out.writeIntArray(tr.transparentColor);
    out.writeIntArray(tr.transparentColorOn);
    out.writeIntArray(sh.elliptic);
    out.writeIntArray(sh.pictureTransparency);
    out.writeStringArray(sh.reservedText);
    out.writeIntArray(sh.reservedC);
    out.writeIntArray(tr.pictureTransparency);
    out.writeStringArray(tr.reservedText);
    out.writeIntArray(tr.elliptic);
    FamilyIo::writeReserved(out, reserved);
}

QString CLabelSheetTemplate::summary() const
{
    return QCoreApplication::translate(
               "CLabelSheetTemplate",
               "【用紙サイズ】　%1 × %2 mm\r\n【シート数】　%3\r\n【文字列編集領域数】　%4\r\n")
        .arg(paperRect.width() * 0.1, 0, 'f', 1)
        .arg(paperRect.height() * 0.1, 0, 'f', 1)
        .arg(sheets.size())
        .arg(regions.size());
}

QString CLabelSheetTemplate::emptySummary()
{
    return QCoreApplication::translate("CLabelSheetTemplate",
                                       "【用紙サイズ】\r\n【シート数】\r\n【文字列編集領域数】\r\n");
}

bool CLabelSheetTemplate::operator==(const CLabelSheetTemplate& o) const
{
    return paperRect == o.paperRect && paperPicture == o.paperPicture &&
           verticalText == o.verticalText && printSheetFrames == o.printSheetFrames &&
           roundSheetCorners == o.roundSheetCorners && printRuledLines == o.printRuledLines &&
           reserved1 == o.reserved1 && reserved2 == o.reserved2 && reserved3 == o.reserved3 &&
           sheets == o.sheets && regions == o.regions && keisenns == o.keisenns &&
           reserved == o.reserved;
}
