#include "FontFileFace.h"

#include <QByteArray>
#include <QRawFont>

#include <fontconfig/fontconfig.h>
#include <hb.h>

#include <algorithm>

namespace FontFileFace {

namespace {

bool sameTable(hb_face_t* face, const QRawFont& font, const char name[4])
{
    const QByteArray ours = font.fontTable(name);
    hb_blob_t* blob = hb_face_reference_table(face, HB_TAG(name[0], name[1], name[2], name[3]));
    unsigned length = 0;
    const char* data = hb_blob_get_data(blob, &length);
    const bool same = !ours.isEmpty() && length == unsigned(ours.size()) &&
                      std::equal(ours.cbegin(), ours.cend(), data);
    hb_blob_destroy(blob);
    return same;
}

} // namespace

hb_face_t* matching(const QRawFont& font, bool bold, bool italic)
{
    const QByteArray family = font.familyName().toUtf8();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    hb_face_t* face = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        hb_blob_t* blob = hb_blob_create_from_file_or_fail(reinterpret_cast<const char*>(file));
        if (blob) {
            face = hb_face_create(blob, unsigned(index));
            hb_blob_destroy(blob);
        }
    }
    FcPatternDestroy(match);
    if (face && !(sameTable(face, font, "head") && sameTable(face, font, "maxp") &&
                  sameTable(face, font, "hhea"))) {
        hb_face_destroy(face);
        face = nullptr;
    }
    return face;
}

} // namespace FontFileFace
