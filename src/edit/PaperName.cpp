#include "PaperName.h"

#include <QCoreApplication>

namespace PaperName {

namespace {

struct Named
{
    int width; // 0.1 mm, portrait
    int height;
    const char16_t* name;
};

const Named kPapers[] = {
    {2970, 4200, u"A3"},     {2100, 2970, u"A4"},         {1480, 2100, u"A5"},
    {1050, 1480, u"A6"},     {2570, 3640, u"B4"},         {1820, 2570, u"B5"},
    {1000, 1480, u"はがき"}, {2000, 1480, u"往復はがき"}, {1200, 2350, u"長形3号"},
    {900, 2050, u"長形4号"}, {1140, 1620, u"洋形2号"},    {2400, 3320, u"角形2号"},
};

} // namespace

QString of(const Rect& paper)
{
    const qint64 width = qint64(paper.right) - paper.left;
    const qint64 height = qint64(paper.top) - paper.bottom;
    for (const Named& n : kPapers) {
        if (width == n.width && height == n.height)
            return QString::fromUtf16(n.name);
        if (width == n.height && height == n.width)
            return QString::fromUtf16(n.name) + QCoreApplication::translate("PaperName", "（横）");
    }
    return QCoreApplication::translate("PaperName", "%1 × %2 mm")
        .arg(double(width) / 10, 0, 'f', 1)
        .arg(double(height) / 10, 0, 'f', 1);
}

} // namespace PaperName
