#pragma once

#include <QList>
#include <QPlainTextEdit>

// A multi-line edit that draws a red frame behind each of its first lines showing how
// much text fits the region the line belongs to: the frame ends where the region ends,
// measured in spaces of the edit's own font (a positive count past the line's end, a
// negative one inside it). Lines do not wrap, so each line is one row.
class GuideFrameEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit GuideFrameEdit(QWidget* parent = nullptr);

    // One count of spaces per framed line, from the first line.
    void setSlacks(const QList<int>& slacks);
    const QList<int>& slacks() const { return mSlacks; }

    // The frame of line i in viewport pixels (empty past the framed lines).
    QRect frameOf(int line) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> mSlacks;
};
