#include "FontResolver.h"

#include "model/FontRecord.h"

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
    QString s = faceName.startsWith(u'@') ? faceName.mid(1) : faceName;
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFF01 + 0x21));
        else if (u == 0x3000)
            c = QChar(u' ');
    }
    return s.trimmed();
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
    QFont f(family(record.faceName()));
    f.setPixelSize(qMax(1, pixelSize));
    f.setWeight(record.weight >= 600 ? QFont::Bold : QFont::Normal);
    f.setItalic(record.italic != 0);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoFontMerging));
    return f;
}
