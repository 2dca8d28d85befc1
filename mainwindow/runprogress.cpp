#include "mainwindow/runprogress.h"

#include "dialogs/uitexts.h"
#include "forms/form1logic.h"

namespace
{

QString countText(std::size_t done, std::size_t total)
{
    return QString::fromStdString(forms::Form1Logic::countText(done, total));
}

constexpr int kUpdateMs = 40;     // how often the count and the stop button are looked at
constexpr int kShowAfterMs = 500; // shorter runs never show the box
constexpr int kMaximum = 1 << 30; // the bar's scale: counts beyond int still fit

} // namespace

RunProgress::RunProgress(QWidget *parent)
    : m_dialog(QString(), uiText(UiText::StopButton), 0, kMaximum, parent)
{
    m_dialog.setObjectName(QStringLiteral("RunProgress"));
    m_dialog.setWindowTitle(QStringLiteral("ravo2"));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumWidth(m_dialog.fontMetrics().horizontalAdvance(countText(99999, 99999)) * 3 /
                             2);
    m_dialog.setMinimumDuration(kShowAfterMs);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    m_dialog.setValue(0);
    m_sinceUpdate.start();
}

engine::ProgressFn RunProgress::callback()
{
    return [this](std::size_t done, std::size_t total) { return update(done, total); };
}

bool RunProgress::update(std::size_t done, std::size_t total)
{
    if (done != total && done != 1 && m_sinceUpdate.elapsed() < kUpdateMs)
        return !m_dialog.wasCanceled();
    m_sinceUpdate.restart();
    m_dialog.setLabelText(countText(done, total));
    // A window-modal box handles its events here, so a press of the stop button arrives now.
    m_dialog.setValue(total ? static_cast<int>(double(done) / double(total) * kMaximum) : 0);
    return !m_dialog.wasCanceled();
}

void RunProgress::finish(const engine::PassCount &)
{
    m_dialog.hide();
}
