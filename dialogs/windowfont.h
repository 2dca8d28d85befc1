#pragma once

class QWidget;

// Gives a window the font its twip geometry is made for: 8 points of Arial's metrics, asked for
// by name as Liberation Sans where Arial is not installed (the package depends on it). A window's
// font is not inherited by the dialogs it owns, so each window asks for itself.
void useWindowFont(QWidget *window);
