#pragma once

#include <QString>

#include <optional>

// What the template pages and "更新" ask the user. The form answers with message boxes
// and the system's colour and file dialogs; tests give scripted answers.
class TemplatePagePrompts
{
public:
    virtual ~TemplatePagePrompts() = default;

    // A refusal, with the exclamation icon.
    virtual void showMessage(const QString& text) = 0;
    // An OK/Cancel question; true for OK.
    virtual bool confirm(const QString& question) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& question) = 0;
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };
    // A はい / いいえ / キャンセル question; as askYesNo (never Cancel) unless the prompts
    // show the three buttons themselves.
    virtual Answer askYesNoCancel(const QString& question)
    {
        return askYesNo(question) ? Answer::Yes : Answer::No;
    }
    // A colour (0x00BBGGRR) starting from `current`; nothing when cancelled.
    virtual std::optional<qint32> chooseColor(qint32 current) = 0;
    // A picture file for the paper; empty when cancelled.
    virtual QString choosePicture() = 0;
};
