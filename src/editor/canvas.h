#pragma once

#include "model/project.h"

#include <QImage>
#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>

class QScrollBar;

namespace arrowplan {

class ScreenSurface;

// The main window's drawing surface on screen: an image the chart is drawn
// on, which a repaint only shows. When the image has to be made anew (first
// show, a change of size, another zoom or part of the chart shown) the
// picture is lost and the window redraws it all. The image is the size of
// the widget; at a zoom the chart is drawn larger or smaller and scroll bars
// reach the parts that do not fit.
class Canvas : public QWidget {
    Q_OBJECT

  public:
    static constexpr double smallestZoom = 0.25;
    static constexpr double largestZoom = 4.0;

    Canvas(ScreenSurface& surface, QWidget* parent);
    const QImage& image() const { return image_; }
    // What a screen reader says of the picture, which it cannot see: the
    // project's name, its counts and its length in weeks at the last CPM run
    // (none: not scheduled since it was made or emptied), and what is selected.
    void describe(const Project& project, std::optional<Currency> length,
                  const QString& selected = {});

    double zoom() const { return zoom_; }
    // The chart shown `zoom` times its actual size, clamped to the zooms
    // offered; the point `anchor` (pixels of the widget) keeps showing the
    // same place of the chart.
    void setZoom(double zoom, QPointF anchor);
    // The chart at its actual size, from the window's corner, as it is shown
    // before any zoom.
    void actualSize();
    // The next zoom of the menu's steps up or down, around the middle.
    void zoomStep(bool in);
    // The chart's extent in twips: the scroll bars reach all of it.
    void setChartExtent(const QRectF& extent);
    // The zoom and the part shown that put `extent` (twips) into `target`
    // (pixels of the widget), as large as it fits.
    void fit(const QRectF& extent, const QRectF& target);
    // The point of the chart, in twips, that a point of the widget shows.
    QPointF twipsAt(QPointF pixel) const;

    // Keys pressed while the canvas has the focus, Tab among them: the
    // handler says whether it used the key.
    using KeyHandler = std::function<bool(int key, Qt::KeyboardModifiers modifiers)>;
    void setKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }
    // The text the pointer resting at a point of the chart shows (none:
    // nothing there).
    using FiguresAt = std::function<QString(QPointF twips)>;
    void setFiguresAt(FiguresAt figures) { figuresAt_ = std::move(figures); }

  signals:
    void pictureLost();
    // The widget has a new size; the picture is lost too.
    void resized();
    // A mouse press, with the button and the position in twips.
    void pressed(Qt::MouseButton button, QPointF twips);
    // The pointer moved with the left button held, and where it was let go.
    void dragged(QPointF twips);
    void released(QPointF twips);
    void doubleClicked(QPointF twips);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Each press counts, also the second of a double click: a quick click
    // on the node that ended one arrow starts the next.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Ctrl and the wheel zoom around the pointer; the wheel alone scrolls.
    void wheelEvent(QWheelEvent* event) override;
    // Keys go to the key handler before Tab moves the focus, and a resting
    // pointer shows the figures under it.
    bool event(QEvent* event) override;

  private:
    // The scroll bars' ranges for the zoom and the extent, shown where the
    // chart does not fit; the view given to the surface.
    void updateView();

    ScreenSurface& surface_;
    QImage image_;
    double zoom_ = 1;
    QPointF offset_; // the widget's corner in the zoomed chart, pixels
    QRectF extent_;  // twips
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    KeyHandler keyHandler_;
    FiguresAt figuresAt_;
};

} // namespace arrowplan
