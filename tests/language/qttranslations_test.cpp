#include "dialogs/qttranslations.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class QtTranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    // Standard message-box buttons speak Russian once Qt's translations are in.
    void messageBoxButtonsSpeakRussian()
    {
        QMessageBox before;
        before.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(before.button(QMessageBox::Cancel)->text(), QString("Cancel"));

        installQtTranslations(*QCoreApplication::instance());
        QMessageBox after;
        after.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(after.button(QMessageBox::Cancel)->text(), QString("Отмена"));
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "qttranslations_test.moc"
