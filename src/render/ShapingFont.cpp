#include "ShapingFont.h"

#include "FontFileFace.h"
#include "FontResolver.h"

#include <QCoreApplication>
#include <QtEndian>

#include <hb-ot.h>
#include <hb.h>

namespace {

// Without the font's file (FontFileFace), HarfBuzz reads the font's tables through Qt, so
// it shapes with exactly the font file Qt draws, whatever fontconfig would pick.
hb_blob_t* referenceTable(hb_face_t*, hb_tag_t tag, void* userData)
{
    const auto* raw = static_cast<const QRawFont*>(userData);
    const char name[4] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag)};
    auto* data = new QByteArray(raw->fontTable(name));
    if (data->isEmpty()) {
        delete data;
        return nullptr;
    }
    return hb_blob_create(data->constData(), uint(data->size()), HB_MEMORY_MODE_READONLY, data,
                          [](void* p) { delete static_cast<QByteArray*>(p); });
}

qint16 s16(const QByteArray& table, int offset)
{
    if (table.size() < offset + 2)
        return 0;
    return qFromBigEndian<qint16>(table.constData() + offset);
}

quint16 u16(const QByteArray& table, int offset)
{
    return quint16(s16(table, offset));
}

} // namespace

ShapingFont::ShapingFont(const QString& family, bool bold, bool italic)
{
    static quint64 serials = 0;
    mSerial = ++serials;
    mRequest = FontResolver::familyFont(family, bold, italic, 1000);
    mBase = QRawFont::fromFont(mRequest);
    if (!mBase.isValid())
        return;
    readMetrics();

    hb_face_t* face = FontFileFace::matching(mBase, bold, italic);
    if (!face)
        face = hb_face_create_for_tables(referenceTable, new QRawFont(mBase),
                                         [](void* p) { delete static_cast<QRawFont*>(p); });
    hb_face_set_upem(face, uint(mUnitsPerEm));
    mHbFont = hb_font_create(face);
    hb_face_destroy(face);
    hb_ot_font_set_funcs(mHbFont);
    hb_font_set_scale(mHbFont, mUnitsPerEm, mUnitsPerEm);

    const QByteArray os2 = mBase.fontTable("OS/2");
    const int weightClass = os2.size() >= 6 ? u16(os2, 4) : 400;
    const quint16 fsSelection = u16(os2, 62);
    const bool realItalic = (fsSelection & 0x0201) != 0;
    mSyntheticBold = bold && weightClass < 600;
    mSyntheticItalic = italic && !realItalic;
    // The font engine obliques an upright face asked for italic by itself; the renderer
    // slants the whole line (glyphs, outline and underline alike), so the raw fonts are
    // taken upright, or every glyph would lean twice.
    if (mSyntheticItalic) {
        mRequest.setItalic(false);
        mBase = QRawFont::fromFont(mRequest);
    }
}

std::shared_ptr<ShapingFont> ShapingFont::shared(const QString& family, bool bold, bool italic)
{
    using Registry = QHash<QString, std::shared_ptr<ShapingFont>>;
    static Registry* registry = nullptr;
    if (!registry) {
        registry = new Registry;
        // Raw fonts must go before the font database that made them.
        qAddPostRoutine([] {
            delete registry;
            registry = nullptr;
        });
    }
    const QString key = family + QLatin1Char(bold ? 'B' : '-') + QLatin1Char(italic ? 'I' : '-');
    auto it = registry->find(key);
    if (it == registry->end())
        it = registry->insert(key, std::make_shared<ShapingFont>(family, bold, italic));
    return *it;
}

const char* const* ShapingFont::shaperList()
{
    static const char* const list[] = {"ot", "fallback", nullptr};
    return list;
}

ShapingFont::~ShapingFont()
{
    if (mHbFont)
        hb_font_destroy(mHbFont);
}

void ShapingFont::readMetrics()
{
    const QByteArray head = mBase.fontTable("head");
    if (head.size() >= 20 && u16(head, 18) > 0)
        mUnitsPerEm = u16(head, 18);
    const qreal em = mUnitsPerEm;

    // The em box: the typographic ascender and descender of OS/2, which the Japanese
    // fonts set to the ideographic em box; hhea when the font has no OS/2.
    const QByteArray os2 = mBase.fontTable("OS/2");
    qreal ascender = 0;
    qreal descender = 0;
    if (os2.size() >= 72) {
        ascender = s16(os2, 68);
        descender = s16(os2, 70);
    }
    if (ascender - descender <= 0) {
        const QByteArray hhea = mBase.fontTable("hhea");
        ascender = s16(hhea, 4);
        descender = s16(hhea, 6);
    }
    if (ascender - descender > 0)
        mAscentRatio = ascender / (ascender - descender);

    if (os2.size() >= 30 && s16(os2, 26) > 0) {
        mThicknessRatio = s16(os2, 26) / em;
        mStrikeOutRatio = s16(os2, 28) / em;
    }
    const QByteArray post = mBase.fontTable("post");
    if (post.size() >= 12 && s16(post, 10) > 0) {
        mUnderlineRatio = -s16(post, 8) / em;
        mThicknessRatio = s16(post, 10) / em;
    }
}

QRawFont ShapingFont::rawFont(int pixelSize)
{
    const auto it = mSized.constFind(pixelSize);
    if (it != mSized.constEnd())
        return *it;
    // Every size of every region would otherwise stay; the few in use come back at once.
    if (mSized.size() >= 48)
        mSized.clear();
    QFont f = mRequest;
    f.setPixelSize(qMax(1, pixelSize));
    const QRawFont raw = QRawFont::fromFont(f);
    mSized.insert(pixelSize, raw);
    return raw;
}

const QPainterPath& ShapingFont::glyphPath(quint32 glyph)
{
    auto it = mPaths.find(glyph);
    if (it == mPaths.end()) {
        if (mPaths.size() >= 4096)
            mPaths.clear();
        it = mPaths.insert(glyph, rawFont(mUnitsPerEm).pathForGlyph(glyph));
    }
    return *it;
}

quint32 ShapingFont::nominalGlyph(char32_t codePoint) const
{
    hb_codepoint_t glyph = 0;
    if (!mHbFont || !hb_font_get_nominal_glyph(mHbFont, codePoint, &glyph))
        return 0;
    return glyph;
}

const ShapedLine* ShapingFont::shapedLine(const QString& key) const
{
    const auto it = mLines.constFind(key);
    return it == mLines.constEnd() ? nullptr : &*it;
}

void ShapingFont::keepShapedLine(const QString& key, const ShapedLine& line)
{
    // A long session's texts would otherwise all stay; what is in use comes back at once.
    if (mLines.size() >= 16384)
        mLines.clear();
    ShapedLine kept = line;
    kept.font.reset(); // the font keeps the line: the line must not keep the font
    kept.underline = false;
    kept.strikeOut = false;
    mLines.insert(key, kept);
}

bool ShapingFont::hasVerticalForm(char32_t codePoint)
{
    const auto it = mVerticalForms.constFind(codePoint);
    if (it != mVerticalForms.constEnd())
        return *it;
    bool substituted = false;
    const quint32 nominal = nominalGlyph(codePoint);
    if (nominal != 0) {
        hb_buffer_t* buffer = hb_buffer_create();
        const uint32_t text[1] = {uint32_t(codePoint)};
        hb_buffer_add_utf32(buffer, text, 1, 0, 1);
        hb_buffer_set_direction(buffer, HB_DIRECTION_TTB);
        hb_buffer_guess_segment_properties(buffer);
        hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
        const hb_feature_t features[] = {{HB_TAG('v', 'e', 'r', 't'), 1, 0, ~0u},
                                         {HB_TAG('v', 'r', 't', '2'), 1, 0, ~0u}};
        hb_shape_full(mHbFont, buffer, features, 2, shaperList());
        unsigned count = 0;
        const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
        substituted = count == 1 && info[0].codepoint != nominal;
        hb_buffer_destroy(buffer);
    }
    mVerticalForms.insert(codePoint, substituted);
    return substituted;
}
