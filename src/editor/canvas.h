#pragma once

#include "model/project.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace arrowplan {

class ScreenSurface;

// The main window's drawing surface on screen: an image the chart is drawn
// on, which a repaint only shows. When the image has to be made anew (first
// show, a change of size) the picture is lost and the window redraws it all.
class Canvas : public QWidget {
    Q_OBJECT

  public:
    Canvas(ScreenSurface& surface, QWidget* parent);
    const QImage& image() const { return image_; }
    // What a screen reader says of the picture, which it cannot see: the
    // project's name, its counts and its length in weeks at the last CPM run
    // (none: not scheduled since it was made or emptied).
    void describe(const Project& project, std::optional<Currency> length);

  signals:
    void pictureLost();
    // A mouse press, with the button and the position in twips.
    void pressed(Qt::MouseButton button, QPointF twips);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Each press counts, also the second of a double click: a quick click
    // on the node that ended one arrow starts the next.
    void mousePressEvent(QMouseEvent* event) override;

  private:
    ScreenSurface& surface_;
    QImage image_;
};

} // namespace arrowplan
