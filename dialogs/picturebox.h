#pragma once

#include <QImage>
#include <QWidget>

// A picture box with a persistent image: drawing goes into the image, which the widget shows.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(const QSize &size, QWidget *parent = nullptr);

    QImage &image() { return m_image; } // the drawing surface; call update() after drawing
    const QImage &image() const { return m_image; }
    void clear(); // back to the blank picture

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image; // what the box shows, transparent where nothing was drawn
};
