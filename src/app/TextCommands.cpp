#include "TextCommands.h"

#include "CommandIds.h"

#include "edit/TextAttributes.h"
#include "model/CORINOTEDoc.h"

using namespace CommandIds;
using TextAttributes::Style;

namespace TextCommands {

namespace {

struct StyleCommand
{
    int command;
    Style style;
};

constexpr StyleCommand kStyles[] = {{TextBold, Style::Bold},
                                    {TextItalic, Style::Italic},
                                    {TextStrikeOut, Style::StrikeOut},
                                    {TextUnderline, Style::Underline}};

const StyleCommand* styleOf(int command)
{
    for (const StyleCommand& s : kStyles)
        if (s.command == command)
            return &s;
    return nullptr;
}

int alignmentOf(int command)
{
    switch (command) {
    case TextAlignLeft:
        return 0;
    case TextAlignCentre:
        return 1;
    case TextAlignRight:
        return 2;
    default:
        return -1;
    }
}

} // namespace

const QList<int>& commands()
{
    static const QList<int> all = {TextFont,        TextColor,       TextSpacing,    TextItalic,
                                   TextBold,        TextStrikeOut,   TextUnderline,  TextAlignLeft,
                                   TextAlignCentre, TextAlignRight,  TextRotateRight, TextRotateLeft,
                                   TextOutline,     TextFindReplace, RegionBackground, RegionFrame,
                                   SheetBackground, ImportText};
    return all;
}

bool handles(int command)
{
    return commands().contains(command);
}

bool needsDialog(int command)
{
    return !styleOf(command) && alignmentOf(command) < 0 && command != TextRotateRight &&
           command != TextRotateLeft;
}

bool isCheckable(int command)
{
    return styleOf(command) || alignmentOf(command) >= 0;
}

CommandState state(int command, const CORINOTEDoc& doc)
{
    CommandState s;
    // Text import says itself why it cannot run.
    if (command == SheetBackground || command == TextFindReplace || command == ImportText) {
        s.enabled = true;
        return s;
    }
    const int region = TextAttributes::selected(doc);
    s.enabled = region >= 0;
    if (!s.enabled)
        return s;
    if (const StyleCommand* style = styleOf(command))
        s.checked = TextAttributes::isOn(doc, style->style);
    else if (const int alignment = alignmentOf(command); alignment >= 0)
        s.checked = TextAttributes::regions(doc).alignment(region) == alignment;
    return s;
}

void run(int command, CORINOTEDoc& doc)
{
    if (const StyleCommand* style = styleOf(command))
        TextAttributes::toggle(doc, style->style);
    else if (const int alignment = alignmentOf(command); alignment >= 0)
        TextAttributes::setAlignment(doc, alignment);
    else if (command == TextRotateRight || command == TextRotateLeft)
        TextAttributes::turnText(doc, command == TextRotateRight);
}

} // namespace TextCommands
