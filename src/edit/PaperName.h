#pragma once

#include "base/Geometry.h"

#include <QString>

// What the status bar calls a paper after its size was changed on the template pages: the
// name of a standard paper of that size (A4, はがき, 長形3号, …; "（横）" when it lies
// landscape), else its size, "105.0 × 148.0 mm".
namespace PaperName {

QString of(const Rect& paper);

} // namespace PaperName
