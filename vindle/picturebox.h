#pragma once

#include "vindle/iconsurface.h"

#include <QImage>
#include <QWidget>

namespace vindle
{

// PictureBox: a picture box whose drawings stay in a persistent image that can be read back.
class PictureBox final : public QWidget, public IconSurface
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    ~PictureBox() override;

    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    void setOuterHeight(double twips) override;
    void setOuterWidth(double twips) override;
    void clearPicture() override;
    void drawIcon(IconHandle icon, int x, int y, int width, int height) override;

    const QImage &image() const { return m_image; } // the persistent image
    void setImage(const QImage &image);

    static constexpr int border = 2; // a sunken 3D border, pixels on each side

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fitImage();

    QImage m_image;
};

} // namespace vindle
