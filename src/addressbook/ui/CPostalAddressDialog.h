#pragma once

#include "postal/PostalAddress.h"

#include <QDialog>
#include <QList>

class QListWidget;

// "住所の選択": the addresses of a postal code (or the codes of an address) to pick one
// from, each shown as "164-0013　東京都中野区弥生町". A double-click or OK takes the
// selected one; the first is selected when the list opens.
class CPostalAddressDialog : public QDialog
{
    Q_OBJECT
public:
    CPostalAddressDialog(const QString& prompt, const QList<PostalAddress>& addresses,
                         QWidget* parent = nullptr);

    // Opens the list; the index picked, or -1 when cancelled.
    static int choose(QWidget* parent, const QString& prompt,
                      const QList<PostalAddress>& addresses);

    int chosen() const;
    QListWidget* list() const { return mList; }

private:
    QListWidget* mList;
};
