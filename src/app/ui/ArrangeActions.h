#pragma once

#include <QObject>

class CORINOTEDoc;
class CommandActions;
class SessionPrompts;
class QWidget;

// Carries out the arrange commands of the シート, 文字列編集領域 and 罫線 menus when
// their actions are triggered: the ones without a dialog through their core operation,
// split and the position and size dialogs after their dialog. Refusals are shown through
// the window's prompts.
class ArrangeActions : public QObject
{
    Q_OBJECT
public:
    ArrangeActions(CORINOTEDoc& doc, const CommandActions& actions, QWidget* window);

    void setPrompts(SessionPrompts* prompts) { mPrompts = prompts; }
    void run(int command);

private:
    void split(int command);
    void editPositions(int command);

    CORINOTEDoc& mDoc;
    QWidget* mWindow;
    SessionPrompts* mPrompts = nullptr;
};
