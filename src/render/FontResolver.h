#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

struct FontRecord;

// Maps the face names kept in font records (the Windows faces the files were made with)
// to the fonts installed here. Nothing on the system knows those faces, so the program
// keeps its own table:
//   ＭＳ 明朝 → IPAMincho, ＭＳ Ｐ明朝 → IPAPMincho, ＭＳ ゴシック → IPAGothic,
//   ＭＳ Ｐゴシック → IPAPGothic (also under their Latin names, MS Mincho and so on),
// matched after dropping a leading "@", folding full-width letters, digits and spaces to
// ASCII and half-width katakana to full width, ignoring spaces and case. Any other face is used as
// it is when it is installed. When the chosen family is missing, the first installed of the
// fallbacks is taken: Noto Serif CJK JP, IPAexMincho, IPAMincho, IPAPMincho for mincho faces, and
// Noto Sans CJK JP, IPAexGothic, IPAGothic, IPAPGothic for gothic ones (a face is gothic when its
// name says ゴシック, Gothic or Sans), then the other group. The answer depends only on the face
// name and the installed fonts, never on fontconfig's substitutions.
class FontResolver
{
public:
    // The installed family that draws the face.
    static QString family(const QString& faceName);

    // The candidates for the face, best first, before checking what is installed.
    static QStringList candidates(const QString& faceName);

    // The face without a leading "@", in compatibility normal form (NFKC): full-width ASCII
    // and the ideographic space become ASCII, half-width katakana full width.
    static QString folded(const QString& faceName);

    // A QFont for the record: the resolved family at the given pixel size (the size is in
    // the painter's logical units), bold for weights from 600, italic as recorded, no
    // hinting so that widths scale exactly with the size on every device.
    static QFont font(const FontRecord& record, int pixelSize);
    // The same for an installed family.
    static QFont familyFont(const QString& family, bool bold, bool italic, int pixelSize);
};
