#pragma once

#include <QPushButton>

// A button whose caption breaks its lines at CR, the separator the apply button's caption uses.
class MultiLineButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
