#pragma once

#include <QObject>

#include <memory>

class CFindReplaceTextDialog;
class CORINOTEDoc;
class CommandActions;
class FindReplace;
class SessionPrompts;
class TextMeasurer;
class QWidget;

// Carries out the text attribute commands, the two background commands, find/replace and
// text import when their actions are triggered: the toggles, alignments and turns directly, the
// others after their dialog. Questions and messages go through the window's prompts.
class TextActions : public QObject
{
    Q_OBJECT
public:
    TextActions(CORINOTEDoc& doc, const CommandActions& actions, QWidget* window);
    ~TextActions() override;

    void setPrompts(SessionPrompts* prompts) { mPrompts = prompts; }
    void run(int command);
    CFindReplaceTextDialog* findReplaceWindow() const { return mFindWindow; }

private:
    void chooseFont();
    void chooseColor();
    void editOutline();
    void editSpacing();
    void editFrame();
    void editRegionBackground();
    void editSheetBackgrounds();
    void showFindReplace();
    void importText();
    void findNext();
    void replace();
    void replaceAll();
    bool ask(const QString& question);
    void tell(const QString& message);
    // A result that is no failure, with the information icon.
    void inform(const QString& message);

    CORINOTEDoc& mDoc;
    std::unique_ptr<TextMeasurer> mMeasurer;
    QWidget* mWindow;
    SessionPrompts* mPrompts = nullptr;
    CFindReplaceTextDialog* mFindWindow;
    std::unique_ptr<FindReplace> mFind;
};
