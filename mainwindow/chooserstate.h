#pragma once

#include <QColor>
#include <QString>

// The filters that the icon-source switch puts into the shared chooser.
inline const QString kStartFilter = QStringLiteral(
    "*.ico;*.cur;*.ani;*.bmp;*.wmf;*.emf|*.ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;*.wmf;*.emf|");
inline const QString kPictureFilter =
    QStringLiteral("*.ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;*.wmf;*.emf|*.ico;*.cur;*.ani;*.bmp;*.jpg;*"
                   ".gif;*.wmf;*.emf|");
inline const QString kLibraryFilter = QStringLiteral("*.dll;*.exe;*.ocx|*.dll;*.exe;*.ocx|");

// The state that the icon, picture and colour choosers share between uses (the common dialog CD1).
struct ChooserState {
    QString fileName;              // the file name last chosen; empty until one is chosen
    QString filter = kStartFilter; // in the "description|patterns|" form
    QColor colour = Qt::black;     // the colour last chosen
};
