#include "dialogs/dialogshowing.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>

namespace
{

class EachShowing : public QObject
{
public:
    EachShowing(QDialog *dialog, QWidget *first) : QObject(dialog), m_dialog(dialog), m_first(first)
    {
        dialog->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_dialog)
            return false;
        if (event->type() == QEvent::Hide) {
            m_place = m_dialog->pos(); // the frame's corner, as the window manager placed it
            m_placed = true;
        } else if (event->type() == QEvent::Show) {
            // Before the window is mapped: it reappears where it was, with the focus on `first`
            // once it becomes active.
            if (m_placed)
                m_dialog->move(m_place);
            if (m_first)
                m_first->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }

private:
    QDialog *m_dialog;
    QPointer<QWidget> m_first;
    QPoint m_place;
    bool m_placed = false;
};

} // namespace

void prepareEachShowing(QDialog *dialog, QWidget *first)
{
    new EachShowing(dialog, first);
}
