#pragma once

#include <QString>

#include <initializer_list>
#include <utility>

// The value ranges that the object dialogs enforce before a value reaches the document.
namespace ValueCheck {

enum class Field
{
    X,            // 0..2970
    Y,            // 0..4200 (a distance below the paper's top edge)
    RegionWidth,  // 25..2970
    RegionHeight, // 25..4200
    SheetWidth,   // 50..2970
    SheetHeight,  // 50..4200
    Layer,        // 1..10
    LineWidth,    // 0..30, also the outline width
    Bleed,        // 0..100
    PrintOffset,  // -1000..1000
};

bool accepts(Field field, qint64 value);

// "入力された数値は正しくありません。"
QString message();

// The message when any value is out of its range, else an empty string.
QString check(std::initializer_list<std::pair<Field, qint64>> values);

} // namespace ValueCheck
