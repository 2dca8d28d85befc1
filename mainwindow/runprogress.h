#pragma once

#include "forms/form1view.h"

#include <QElapsedTimer>
#include <QProgressDialog>

class QWidget;

// The box of a long apply or remove: how many folders of how many are done, and a button that
// stops the run between two folders.
class RunProgress : public forms::RunProgressView
{
public:
    explicit RunProgress(QWidget *parent);

    engine::ProgressFn callback() override;
    void finish(const engine::PassCount &pass) override;

private:
    bool update(std::size_t done, std::size_t total);

    QProgressDialog m_dialog;    // the box; it shows only when the run takes a while
    QElapsedTimer m_sinceUpdate; // redrawing after every folder would cost more than the folder
};
