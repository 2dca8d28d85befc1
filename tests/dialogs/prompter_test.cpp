#include "dialogs/filefilter.h"
#include "dialogs/prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QtTest>

class PrompterTest : public QObject
{
    Q_OBJECT

private slots:
    void filterBecomesQtFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("libraries") << "*.dll;*.exe;*.ocx|*.dll;*.exe;*.ocx|"
                                   << "*.dll;*.exe;*.ocx (*.dll *.exe *.ocx)";
        QTest::newRow("two entries, every file") << "Иконки|*.ico|Все файлы|*.*|"
                                                 << "Иконки (*.ico);;Все файлы (*)";
        QTest::newRow("no closing bar") << "Картинки|*.bmp;*.jpg"
                                        << "Картинки (*.bmp *.jpg)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void filterBecomesQtFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(toQtFileFilter(filter), qt);
    }

    void messageShowsTitleAndLinesAndReturnsThePressedButton()
    {
        QVERIFY(dynamic_cast<InteractivePrompter *>(&Prompter::instance()));
        for (const QString &title : {QString("Вопрос"), QString()}) {
            QString seen;
            QTimer::singleShot(0, qApp, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                seen = box->windowTitle() + '|' + box->text();
                box->button(QMessageBox::No)->click();
            });
            const auto pressed = Prompter::instance().message(nullptr, QMessageBox::Question, title,
                                                              "первая\rвторая <b>",
                                                              QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(pressed, QMessageBox::No);
            // No title of its own shows the application's; CR alone breaks the line.
            QCOMPARE(seen, (title.isEmpty() ? "ravo2" : title) + "|первая\nвторая <b>");
        }
    }
};

QTEST_MAIN(PrompterTest)
#include "prompter_test.moc"
