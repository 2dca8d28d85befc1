#pragma once

class QDialog;
class QWidget;

// Every showing of `dialog` starts with the keyboard focus on `first`, and every showing after the
// first puts the dialog back where it was. A dialog hidden and shown again would otherwise give the
// focus back to the button used last (Enter would press it, as "Очистить", instead of the
// dialog's default), and a window manager's frame would move it down by its title bar.
void prepareEachShowing(QDialog *dialog, QWidget *first);
