#include "FontResolver.h"

#include "base/FontRecord.h"

#include <QFontDatabase>

namespace {

struct KnownFace
{
    const char16_t* key; // folded, spaces removed, case folded
    const char* family;
    bool gothic;
};

const KnownFace kKnownFaces[] = {
    {u"ms明朝", "IPAMincho", false},      {u"msmincho", "IPAMincho", false},
    {u"msp明朝", "IPAPMincho", false},    {u"mspmincho", "IPAPMincho", false},
    {u"msゴシック", "IPAGothic", true},   {u"msgothic", "IPAGothic", true},
    {u"mspゴシック", "IPAPGothic", true}, {u"mspgothic", "IPAPGothic", true},
};

const char* const kMinchoFallbacks[] = {"Noto Serif CJK JP", "IPAexMincho", "IPAMincho",
                                        "IPAPMincho"};
const char* const kGothicFallbacks[] = {"Noto Sans CJK JP", "IPAexGothic", "IPAGothic",
                                        "IPAPGothic"};

QString matchKey(const QString& folded)
{
    QString key;
    key.reserve(folded.size());
    for (QChar c : folded) {
        if (!c.isSpace())
            key.append(c);
    }
    return key.toCaseFolded();
}

bool looksGothic(const QString& key)
{
    return key.contains(u"ゴシック") || key.contains(u"gothic") || key.contains(u"sans");
}

void appendUnique(QStringList& list, const QString& family)
{
    if (!family.isEmpty() && !list.contains(family))
        list.append(family);
}

} // namespace

QString FontResolver::folded(const QString& faceName)
{
    // Compatibility normalisation folds both ways at once: full-width letters, digits and
    // spaces to ASCII, half-width katakana to full width.
    const QString s = faceName.startsWith(u'@') ? faceName.mid(1) : faceName;
    return s.normalized(QString::NormalizationForm_KC).trimmed();
}

QStringList FontResolver::candidates(const QString& faceName)
{
    const QString f = folded(faceName);
    const QString key = matchKey(f);
    QStringList list;
    bool gothic = looksGothic(key);
    bool known = false;
    for (const KnownFace& k : kKnownFaces) {
        if (key == QStringView(k.key)) {
            appendUnique(list, QString::fromLatin1(k.family));
            gothic = k.gothic;
            known = true;
            break;
        }
    }
    if (!known) {
        QString asWritten = faceName.startsWith(u'@') ? faceName.mid(1) : faceName;
        appendUnique(list, asWritten.trimmed());
        appendUnique(list, f);
    }
    const auto& first = gothic ? kGothicFallbacks : kMinchoFallbacks;
    const auto& second = gothic ? kMinchoFallbacks : kGothicFallbacks;
    for (const char* name : first)
        appendUnique(list, QString::fromLatin1(name));
    for (const char* name : second)
        appendUnique(list, QString::fromLatin1(name));
    return list;
}

QString FontResolver::family(const QString& faceName)
{
    const QStringList list = candidates(faceName);
    for (const QString& name : list) {
        if (QFontDatabase::hasFamily(name))
            return name;
    }
    // Nothing Japanese is installed at all: let the font system choose.
    return list.value(0);
}

QFont FontResolver::font(const FontRecord& record, int pixelSize)
{
    return familyFont(family(record.faceName()), record.weight >= 600, record.italic != 0,
                      pixelSize);
}

QFont FontResolver::familyFont(const QString& family, bool bold, bool italic, int pixelSize)
{
    QFont f(family);
    f.setPixelSize(qMax(1, pixelSize));
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoFontMerging));
    return f;
}
