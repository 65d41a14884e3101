#pragma once

struct hb_face_t;
class QRawFont;

// The HarfBuzz face of the very font file Qt loaded for a raw font, read from the file as
// the system maps it rather than from copies of its tables: a vertical face needs the
// glyph outlines' table for the glyphs' vertical origins, 7.5 MB for IPA明朝, and only the
// few pages of the glyphs in use are then read.
//
// fontconfig names the file for the family and style; it is taken only when its header
// and glyph count tables are byte for byte those Qt's font has (the header holds the
// whole file's checksum), so shaping still sees exactly the font that is drawn.
namespace FontFileFace {

// A new face (the caller destroys it), or null when the file cannot be found, read or
// matched; the caller then feeds the tables from Qt.
hb_face_t* matching(const QRawFont& font, bool bold, bool italic);

} // namespace FontFileFace
