#pragma once

#include "toolkit/picture.h"

#include <QFrame>
#include <memory>
#include <optional>
#include <vector>

class PanelItem;

/// A picture panel: a framed widget showing a retained Picture, with controls (lines, labels,
/// markers) that stand above the picture and are moved, never drawn into it. Coordinates are
/// logical pixels of the picture, origin at the top-left inner corner of the frame. The
/// picture is kept at the screen's device pixel ratio and follows the window to a screen of
/// another ratio. The drawing operations are the picture's, passed on; the panel repaints
/// what they changed and turns mouse events into picture coordinates.
class PicturePanel : public QFrame
{
    Q_OBJECT

public:
    using FillStyle = Picture::FillStyle;

    explicit PicturePanel(QWidget *parent = nullptr);
    ~PicturePanel() override;

    /// Places the panel by its outer rectangle in the parent's pixels; the picture takes the
    /// inside of the frame and starts cleared to the background colour.
    void setOuterGeometry(const QRect &outer);
    QSize pictureSize() const { return m_picture.size(); }
    /// Where the picture's origin lies in the widget.
    QPoint pictureOffset() const { return contentsRect().topLeft(); }
    /// Puts a child widget at a rectangle given in picture coordinates.
    void placeWidget(QWidget *child, const QRect &pictureRect);

    /// Sets the device pixel ratio the picture is kept at (normally the screen's). Keeps what
    /// has been drawn, rescaled.
    void setPictureRatio(qreal ratio);
    qreal pictureRatio() const { return m_picture.ratio(); }
    const QImage &picture() const { return m_picture.image(); }
    /// The picture itself, for reading; drawing goes through the panel so that it repaints.
    const Picture &drawing() const { return m_picture; }
    QColor pixel(int x, int y) const { return m_picture.pixel(x, y); }

    QColor backColor() const { return m_picture.backColor(); }
    void setBackColor(const QColor &color) { m_picture.setBackColor(color); }
    QColor foreColor() const { return m_picture.foreColor(); }
    void setForeColor(const QColor &color) { m_picture.setForeColor(color); }
    int drawWidth() const { return m_picture.drawWidth(); }
    void setDrawWidth(int width) { m_picture.setDrawWidth(width); }
    void setFillStyle(FillStyle style) { m_picture.setFillStyle(style); }
    void setFillColor(const QColor &color) { m_picture.setFillColor(color); }
    QPointF currentPos() const { return m_picture.currentPos(); }

    // Drawing: see Picture.
    void clear();
    void line(const QPointF &from, const QPointF &to, std::optional<QColor> color = {});
    /// A line from `from` by the relative step `delta`.
    void lineStep(const QPointF &from, const QPointF &delta, std::optional<QColor> color = {});
    /// A line from the end of the last line (the current position) to `to`.
    void lineTo(const QPointF &to, std::optional<QColor> color = {});
    void print(const QString &text);
    void printAt(const QPointF &topLeft, const QString &text);
    bool floodFill(int x, int y, const QColor &border);
    void keepBackdrop(const Picture::BackdropKey &key) { m_picture.keepBackdrop(key); }
    bool restoreBackdrop(const Picture::BackdropKey &key);

    /// Controls standing on the panel, painted in the order they were added. A control
    /// registers itself here when it is made, and the panel takes ownership of it: it lives as
    /// long as the panel.
    void addItem(PanelItem *item);
    /// How many controls stand on the panel, and the i-th of them in painting order.
    size_t itemCount() const { return m_items.size(); }
    const PanelItem *item(size_t i) const { return m_items.at(i).get(); }
    /// Called by an item whose look or place changes: repaints both places.
    void itemChanged(const QRect &before, const QRect &after);

signals:
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void allocate(const QSize &size, qreal ratio);
    // Repaints what the last drawing changed.
    void flush();
    void repaintArea(const QRect &widgetRect);
    void sendFont();

    Picture m_picture;
    bool m_fontSent = false; // the picture prints in the panel's font
    std::vector<std::unique_ptr<PanelItem>> m_items;
    // Widget coordinates: asked for and not painted yet, a few rectangles apart.
    std::vector<QRect> m_pendingRepaint;
};
