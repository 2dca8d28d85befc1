#pragma once

#include "forms/uitext.h"

#include <QString>
#include <QStringList>

// The texts of forms/uitext.h as the Qt windows show them.

// The text shown now for `id` (of the program's own, before BrowserTitle).
QString uiText(UiText id);

// Takes the texts from a language file's lines (line N is lines[N - 1]). The browser, a component
// of its own, finds its texts in the application's property "vindleTexts", in order; an empty one
// keeps its built-in text.
void setUiTexts(const QStringList &lines);
