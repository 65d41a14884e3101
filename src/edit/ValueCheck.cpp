#include "ValueCheck.h"

#include <QCoreApplication>

namespace ValueCheck {

namespace {

struct Range
{
    qint64 low;
    qint64 high;
};

Range rangeOf(Field field)
{
    switch (field) {
    case Field::X:
        return {0, 2970};
    case Field::Y:
        return {0, 4200};
    case Field::RegionWidth:
        return {25, 2970};
    case Field::RegionHeight:
        return {25, 4200};
    case Field::SheetWidth:
        return {50, 2970};
    case Field::SheetHeight:
        return {50, 4200};
    case Field::Layer:
        return {1, 10};
    case Field::LineWidth:
        return {0, 30};
    case Field::Bleed:
        return {0, 100};
    case Field::PrintOffset:
        return {-1000, 1000};
    }
    return {0, -1};
}

} // namespace

bool accepts(Field field, qint64 value)
{
    const Range r = rangeOf(field);
    return value >= r.low && value <= r.high;
}

QString message()
{
    return QCoreApplication::translate("ValueCheck", "入力された数値は正しくありません。");
}

QString check(std::initializer_list<std::pair<Field, qint64>> values)
{
    for (const auto& [field, value] : values) {
        if (!accepts(field, value))
            return message();
    }
    return QString();
}

} // namespace ValueCheck
