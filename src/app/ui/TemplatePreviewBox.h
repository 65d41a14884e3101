#pragma once

#include <QWidget>

class TemplatePreview;

// The preview box of the template file dialog: paints the miniature of the template the
// preview holds.
class TemplatePreviewBox : public QWidget
{
    Q_OBJECT
public:
    // The preview must outlive the box.
    explicit TemplatePreviewBox(const TemplatePreview& preview, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TemplatePreview& mPreview;
};
