#pragma once

#include "render/SheetOrder.h"

#include <QDialog>

class CORINOTEDoc;
class QLabel;
class SheetOrderPicture;

// The sheet order dialog シートオーダー (command 528, template mode): the template's paper
// in miniature, where the user clicks the sheets in their new order, the caption
// "残りシート数：%1", "リセット", "OK" and "キャンセル".
//
// OK is refused while a sheet is still unchosen; otherwise the order is applied to the
// document (SheetOrder::apply), asking whether the text regions move to the new sheet
// No. 1 when its rectangle changed, and the dialog closes. Cancel changes nothing.
class CSheetOrderDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CSheetOrderDialog(CORINOTEDoc& doc, QWidget* parent = nullptr);
    ~CSheetOrderDialog() override;

    // Command 528: shows the dialog over the document's template. True when an order was
    // applied.
    static bool run(QWidget* parent, CORINOTEDoc& doc);

    const SheetOrder& order() const { return mOrder; }
    SheetOrderPicture* picture() const { return mPicture; }
    QLabel* remainingLabel() const { return mRemaining; }

    // "リセット": forgets the sheets chosen so far.
    void resetOrder();
    void accept() override;

protected:
    // Shows the refusal of an unfinished order.
    virtual void showRefusal(const QString& text);
    // Asks whether the text regions move onto the new sheet No. 1 (Yes / No).
    virtual bool askMoveRegions(const QString& question);

private:
    void updateRemaining();

    CORINOTEDoc& mDoc;
    SheetOrder mOrder;
    SheetOrderPicture* mPicture;
    QLabel* mRemaining;
};
