#pragma once

#include "TemplatePropPage.h"

class FieldSpinBox;
class QToolButton;

// "罫線": the ruled lines of the copy as a list, with the end points, colour and width of
// a line. Several lines can be chosen; changing them sets only their colour and width.
class CKeisennPropPage : public TemplatePropPage
{
    Q_OBJECT
public:
    explicit CKeisennPropPage(TemplatePageContext& context, QWidget* parent = nullptr);

    void addLine();
    void changeLines();
    void removeLines();
    void chooseColor();

    FieldSpinBox* x1Edit() const { return mX1; }
    FieldSpinBox* y1Edit() const { return mY1; }
    FieldSpinBox* x2Edit() const { return mX2; }
    FieldSpinBox* y2Edit() const { return mY2; }
    FieldSpinBox* widthEdit() const { return mWidth; }
    qint32 color() const { return mColor; }
    void setColor(qint32 color);

protected:
    QList<int> documentRows() const override;
    void pickRows(const QList<int>& rows) override;
    bool familyUnchanged() const override;
    void showRows(const QList<int>& rows) override;

private:
    LineFields fields() const;
    void widthEdited();

    FieldSpinBox* mX1;
    FieldSpinBox* mY1;
    FieldSpinBox* mX2;
    FieldSpinBox* mY2;
    FieldSpinBox* mWidth;
    QToolButton* mSwatch;
    qint32 mColor = 0;
};
