#pragma once

#include "engine/folderdresser.h"

#include <QElapsedTimer>
#include <QProgressDialog>

class QWidget;

// The box of a long apply or remove: how many folders of how many are done, and a button that
// stops the run between two folders.
class RunProgress
{
public:
    explicit RunProgress(QWidget *parent);

    // The engine's callback: shows the count now and then and says whether to go on.
    engine::ProgressFn callback();
    // Tells the user how far a stopped run got; a run that reached its end says nothing.
    void reportStop(const engine::PassCount &pass);

    // "Готово папок: 3 из 20": the words of the box and of the stop message.
    static QString countText(std::size_t done, std::size_t total);

private:
    bool update(std::size_t done, std::size_t total);

    QWidget *m_parent;           // the window the box and the stop message belong to
    QProgressDialog m_dialog;    // the box; it shows only when the run takes a while
    QElapsedTimer m_sinceUpdate; // redrawing after every folder would cost more than the folder
};
