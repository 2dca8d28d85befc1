#pragma once

#include <QColor>
#include <QFrame>

// A picture box used as a colour swatch: its background colour is the value it holds.
class ColourSwatch : public QFrame
{
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget *parent = nullptr);

    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);

private:
    QColor m_colour; // the background shown
};
