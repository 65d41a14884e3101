#pragma once

class CommandActions;
class QToolBar;

// The buttons of the three tool bars, in the program's order ("|" a separator):
// - main: new, open, save | template mode, data mode | sheet background, sheet position |
//   font, text colour | italic, bold, strike-through, underline | left, centre, right |
//   turn text right, turn text left, outline | region background, region frame, turn
//   region right, turn region left, region position | ruled-line position |
//   print settings | print, about;
// - page: edit display, preview display | zoom in, zoom out | first, ten back, previous |
//   next, ten forward, last;
// - object: add sheet, draw sheet, sheet position | add region, draw region, region
//   position | add ruled line, add ruled-line table, ruled-line position.
namespace ToolBarBuilder {

void fillMainToolBar(QToolBar* bar, const CommandActions& actions);
void fillPageToolBar(QToolBar* bar, const CommandActions& actions);
void fillObjectToolBar(QToolBar* bar, const CommandActions& actions);

} // namespace ToolBarBuilder
