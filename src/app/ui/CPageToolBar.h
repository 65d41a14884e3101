#pragma once

#include <QToolBar>

class CommandActions;
class QLabel;

// The page tool bar at the top of the drawing pane: edit and preview display, zoom, the
// page commands, and the page indicator " % 4d / % 4d ページ " in blue on white.
class CPageToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit CPageToolBar(const CommandActions& actions, QWidget* parent = nullptr);

    // Writes the indicator (only when the text changes).
    void setPage(int current, int count);
    QString indicatorText() const;

private:
    QLabel* mIndicator;
};
