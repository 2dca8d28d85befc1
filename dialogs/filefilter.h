#pragma once

#include <QString>

// The chooser filter of the system, "description|patterns|" pairs with patterns separated by ';',
// as Qt's "description (p1 p2)" entries joined by ";;".
QString toQtFileFilter(const QString &filter);
