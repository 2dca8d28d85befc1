#include "vindle/qtbrowserhost.h"

#include "vindle/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QThread>

namespace vindle
{

HRESULT QtBrowserHost::open(const std::u16string &path, unsigned char modal)
{
    // Widgets exist only in a QApplication, and only in the thread that created it.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return E_UNEXPECTED;
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return RPC_E_WRONG_THREAD;
    QPointer<Form1> &window = Form1::threadWindow();
    if (!window)
        window = new Form1;
    window->findChild<QLineEdit *>("Text1")->setText(QString::fromStdU16String(path));
    if (const HRESULT status = window->readicons(); FAILED(status))
        return status;
    window->showWith(modal);
    return S_OK;
}

} // namespace vindle
