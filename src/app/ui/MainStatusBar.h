#pragma once

#include <QStatusBar>

class QLabel;

// The status bar: the idle text "レディ" (menu help replaces it while a menu item is
// highlighted), then three panes, each as wide as its widest text: the cursor position,
// the selected object's rectangle and the template name.
class MainStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    void setCursorText(const QString& text);
    void setSelectionText(const QString& text);
    void setTemplateName(const QString& text);

    QString readyText() const;
    QString cursorText() const;
    QString selectionText() const;
    QString templateName() const;

private:
    QLabel* addPane(const QString& sample, const QString& text);

    QLabel* mReady;
    QLabel* mCursor;
    QLabel* mSelection;
    QLabel* mTemplate;
};
