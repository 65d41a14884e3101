#pragma once

#include "edit/TemplateSetup.h"

#include <QList>
#include <QPushButton>
#include <QWidget>

#include <functional>

class CORINOTEDoc;
struct NewObjectDefaults;
class QItemSelection;
class QTableView;
class SetupListModel;
class TemplatePagePrompts;
class TextMeasurer;

// What the pages of the template property sheet share: the document, the working copy
// they edit, who answers their questions and the measurer of region texts.
struct TemplatePageContext
{
    explicit TemplatePageContext(CORINOTEDoc& d) : doc(d) {}

    CORINOTEDoc& doc;
    TemplateSetup setup;
    TemplatePagePrompts* prompts = nullptr;
    const TextMeasurer* measurer = nullptr;
};

// One page of the template property sheet: the list of one family of the copy with its
// edit fields and buttons. Choosing rows fills the fields; the document's selection of
// the family is shown in the list, and a row chosen here selects that object in the
// drawing view as long as the family in the copy is still the template's.
class TemplatePropPage : public QWidget
{
    Q_OBJECT
public:
    TemplatePropPage(TemplatePageContext& context, QWidget* parent = nullptr);

    // The copy was refilled from the template: rebuild the list and the page's fields
    // that show the copy, and show the document's selection.
    virtual void reload();
    // Shows the document's selection in the list when it changed since it was last shown.
    void followDocumentSelection();

    QTableView* list() const { return mList; }
    QList<int> selectedRows() const;
    void selectRows(const QList<int>& rows);

signals:
    // The user chose rows that name objects of the template: the document's selection
    // was set and the other pages and views must follow.
    void pickedInDocument();

protected:
    // Builds the list: "No." 50 pixels wide, then `headers` each `width` wide.
    void makeList(const QStringList& headers, int width, std::function<int()> count,
                  std::function<qint64(int, int)> cell);
    void refreshList();

    // The rows of the document's selection of this page's family.
    virtual QList<int> documentRows() const = 0;
    // Puts the chosen rows into the document's selection.
    virtual void pickRows(const QList<int>& rows) = 0;
    // Whether the family in the copy is still the template's (rows mean the same objects).
    virtual bool familyUnchanged() const = 0;
    // Fills the fields from the chosen rows (none, one or several).
    virtual void showRows(const QList<int>& rows) = 0;

    // The new-object defaults when the fields may set them now: the document lets the
    // pages set them and the fields are not being filled by the page itself.
    NewObjectDefaults* defaults();
    // Shows a refusal; true when there was one.
    bool refused(const QString& message);
    // After an add, change or delete: the list is read again and keeps `rows` chosen.
    void copyChanged(const QList<int>& rows);

    template <class Page>
    QPushButton* button(const QString& text, void (Page::*slot)())
    {
        QPushButton* b = makeButton(text);
        connect(b, &QPushButton::clicked, static_cast<Page*>(this), slot);
        return b;
    }
    QPushButton* makeButton(const QString& text);

    TemplatePageContext& mContext;
    CORINOTEDoc& mDoc;
    TemplateSetup& mSetup;
    int mLoading = 0;

private:
    void listSelectionChanged();

    QTableView* mList = nullptr;
    SetupListModel* mModel = nullptr;
    QList<int> mShownDocumentRows;
};
