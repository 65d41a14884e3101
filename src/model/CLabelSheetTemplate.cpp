#include "CLabelSheetTemplate.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "FamilyIo.h"

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

    // Each field is taken over only when it was read whole.
    auto take = [&in](auto& field, auto value) {
        if (in.ok())
            field = std::move(value);
    };
    take(paperRect, in.readRect());
    take(paperPicture, in.readString());
    take(verticalText, in.readInt());
    take(printSheetFrames, in.readInt());
    take(roundSheetCorners, in.readInt());
    take(printRuledLines, in.readInt());
    take(reserved1, in.readInt());
    take(reserved2, in.readInt());
    take(reserved3, in.readInt());
    take(sh.rect, in.readRectArray());
    take(tr.rect, in.readRectArray());
    take(ks.start, in.readPointArray());
    take(ks.end, in.readPointArray());
    take(ks.width, in.readIntArray());
    take(ks.color, in.readIntArray());
    take(tr.attribute, in.readStringArray());
    take(tr.font, in.readFontArray());
    take(tr.textColor, in.readIntArray());
    take(tr.rect, in.readRectArray()); // the region rectangles a second time
    take(tr.alignment, in.readIntArray());
    take(tr.outlineWidth, in.readIntArray());
    take(tr.outlineColor, in.readIntArray());
    take(tr.backColor, in.readIntArray());
    take(tr.backColorOff, in.readIntArray());
    take(tr.backPicture, in.readStringArray());
    take(tr.spareValue, in.readIntArray());
    take(tr.borderSides, FamilyIo::readBorderSides(in));
    take(tr.borderWidth, in.readIntArray());
    take(tr.borderColor, in.readIntArray());
    take(tr.layer, in.readIntArray());
    take(tr.reservedA, in.readIntArray());
    take(sh.backColor, in.readIntArray());
    take(sh.backPicture, in.readStringArray());
    take(sh.spareSheetValue, in.readIntArray());
    take(sh.bleedX, in.readIntArray());
    take(sh.bleedY, in.readIntArray());
    take(sh.keepPictureAspect, in.readIntArray());
    take(sh.backPictureRotation, in.readIntArray());
    take(tr.backPictureRotation, in.readIntArray());
    take(tr.charSpacing, in.readIntArray());
    take(tr.reservedB, in.readIntArray());
    take(tr.transparentColor, in.readIntArray());
    take(tr.transparentColorOn, in.readIntArray());
    take(sh.elliptic, in.readIntArray());
    take(sh.pictureTransparency, in.readIntArray());
    take(sh.reservedText, in.readStringArray());
    take(sh.reservedC, in.readIntArray());
    take(tr.pictureTransparency, in.readIntArray());
    take(tr.reservedText, in.readStringArray());
    take(tr.elliptic, in.readIntArray());
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
