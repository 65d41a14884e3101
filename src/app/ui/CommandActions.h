#pragma once

#include <QHash>
#include <QList>
#include <QObject>

class QAction;
struct CommandContext;

// Every command of the program as a QAction, made once per main window: its menu text
// (the menu's own wording, mnemonic and shortcut column included), its shortcut keys,
// its tool bar icon and tool tip. Menus, tool bars and the drawing view's right-button
// menu all show these same actions, so a command has one enabled and checked state
// wherever it appears.
class CommandActions : public QObject
{
    Q_OBJECT
public:
    explicit CommandActions(QObject* parent = nullptr);

    // The action of a command id (see CommandIds); nullptr for an unknown id.
    QAction* action(int command) const { return mActions.value(command); }
    const QList<int>& commands() const { return mOrder; }

    // Gives every action the enabled and checked state the rules decide.
    void applyStates(const CommandContext& context);
    // "元に戻す(&U) 移動": the command's text and the name of its step, if any.
    static QString stepText(const QString& command, const QString& step);

private:
    QAction* add(int command, const QString& text, const QString& icon = QString());

    QHash<int, QAction*> mActions;
    QList<int> mOrder;
};
