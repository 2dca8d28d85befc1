#pragma once

#include <QString>

#include <functional>

class QWidget;

// The windows the documentation's pictures show, set up and shown one after another as the
// pictures show them: `each` gets the picture's file name (in docs/) and the window, and returns
// false to stop. False when a window could not be made or `each` stopped.
bool showDocWindows(const std::function<bool(const QString &picture, QWidget *window)> &each);
