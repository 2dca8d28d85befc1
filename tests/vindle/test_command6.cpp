// The main window's library button drives the component loaded at run time.
#include "dialogs/prompter.h"
#include "iconfixtures.h"
#include "mainwindow/form1.h"
#include "platform/componentruntime.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace
{

// Answers No to every question and keeps the texts shown.
class QuietPrompter : public Prompter
{
public:
    QStringList texts;
    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon, const QString &,
                                        const QString &text, QMessageBox::StandardButtons) override
    {
        texts << text;
        return QMessageBox::No;
    }
    std::optional<QString> openFile(QWidget *, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QColor> chooseColour(QWidget *, const QColor &) override { return std::nullopt; }
};

QWidget *browserWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "Form1" && w->isVisible() && w->findChild<QWidget *>("ListView1"))
            return w;
    }
    return nullptr;
}

} // namespace

class TestCommand6 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void chosenIndexGoesIntoText3();
    void aMissingComponentIsReportedAndChangesNothing();

private:
    template <typename W> W *w(const char *name) { return m_form->findChild<W *>(name); }

    QTemporaryDir m_config;
    QString m_library;
    QuietPrompter m_prompter;
    std::unique_ptr<Form1> m_form;
};

void TestCommand6::init()
{
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    QVERIFY(platform::registerServer(VINDLE_MODULE, false).ok());
    m_library = m_config.filePath("pe-four.dll");
    QVERIFY(iconfixtures::writeFile(m_library.toStdString(),
                                    iconfixtures::buildModule(iconfixtures::plainModule(4))));
    m_prompter.texts.clear();
    Prompter::setInstance(&m_prompter);
    m_form = std::make_unique<Form1>();
    QTest::mouseClick(w<QRadioButton>("Option2"), Qt::LeftButton);
    w<QLineEdit>("Text2")->setText(m_library);
}

void TestCommand6::cleanup()
{
    m_form.reset();
    Prompter::setInstance(nullptr);
}

void TestCommand6::chosenIndexGoesIntoText3()
{
    QTimer::singleShot(0, [] {
        QWidget *browser = browserWindow();
        QVERIFY(browser);
        QVERIFY(browser->isModal());
        auto *list = browser->findChild<QAbstractItemView *>("ListView1_icons");
        QCOMPARE(list->model()->rowCount(), 4);
        list->setCurrentIndex(list->model()->index(3, 0));
        browser->findChild<QPushButton *>("Command2")->click();
    });
    QTest::mouseClick(w<QPushButton>("Command6"), Qt::LeftButton);
    QCOMPARE(w<QLineEdit>("Text3")->text(), QString("3"));
    QVERIFY(m_prompter.texts.isEmpty()); // the file exists: nothing asked

    w<QLineEdit>("Text3")->setText("0");
    QTimer::singleShot(0, [] { browserWindow()->close(); });
    QTest::mouseClick(w<QPushButton>("Command6"), Qt::LeftButton);
    QCOMPARE(w<QLineEdit>("Text3")->text(), QString("3")); // the choice made before
}

void TestCommand6::aMissingComponentIsReportedAndChangesNothing()
{
    QVERIFY(platform::registerServer(VINDLE_MODULE, true).ok());
    w<QLineEdit>("Text3")->setText("7");
    QTest::mouseClick(w<QPushButton>("Command6"), Qt::LeftButton);
    QCOMPARE(m_prompter.texts.size(), 1);
    QCOMPARE(m_prompter.texts.first(),
             QString("Окно иконок библиотеки не открылось: компонент vindle не зарегистрирован и "
                     "не установлен рядом с программой.\rclass not registered: "
                     "{8214DF6F-3AD9-48FC-B62D-474DC46911FB}"));
    QCOMPARE(w<QLineEdit>("Text3")->text(), QString("7"));
    QVERIFY(m_form->isEnabled());
}

QTEST_MAIN(TestCommand6)
#include "test_command6.moc"
