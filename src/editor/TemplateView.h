#pragma once
#include "wmf/Metafile.h"

#include <QPixmap>
#include <QWidget>

namespace editor {

// The preview picture: the template stretched to the widget's size, drawn
// from a cached pixmap that is re-rendered only when the picture changes.
class TemplateView : public QWidget {
    Q_OBJECT
public:
    explicit TemplateView(QWidget *parent = nullptr);

    const wmf::Metafile &picture() const { return picture_; }
    void setPicture(const wmf::Metafile &picture);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    wmf::Metafile picture_;
    QPixmap cache_;
};

} // namespace editor
