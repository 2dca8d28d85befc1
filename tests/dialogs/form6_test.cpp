#include "dialogs/form6.h"
#include "engine/settings.h"
#include "platform/settingsstore.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class Form6Test : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<engine::Settings> m_settings;
    std::unique_ptr<Form6> m_form;
    QStringList m_scopes; // every delicon call, in order

    static QString stored()
    {
        return QString::fromStdString(
            platform::SettingsStore("ravo2").get("Options", "delall", "-"));
    }
    // Opens for removal; `whileShown` runs if the dialog shows itself. Returns whether it did.
    bool open(const std::function<void()> &whileShown)
    {
        bool shown = false;
        QTimer::singleShot(0, m_form.get(), [&] {
            if (m_form->isVisible()) {
                shown = true;
                whileShown();
                m_form->reject(); // never left blocking the test
            }
        });
        m_form->openForRemoval();
        QCoreApplication::processEvents();
        return shown;
    }

private slots:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
        m_scopes.clear();
        m_settings = std::make_unique<engine::Settings>();
        m_form = std::make_unique<Form6>(
            [this](const std::string &s) { m_scopes << QString::fromStdString(s); }, *m_settings);
    }

    void openForRemoval_data()
    {
        QTest::addColumn<QString>("before"); // "-" leaves the key out
        QTest::addColumn<QString>("button"); // pressed when asked; empty: must not ask
        QTest::addColumn<bool>("remember");
        QTest::addColumn<QString>("scope");
        QTest::addColumn<QString>("after");
        QTest::newRow("1: all, unasked") << "1"
                                         << "" << false << "1"
                                         << "1";
        QTest::newRow("2: selected, unasked") << "2"
                                              << "" << false << "0"
                                              << "2";
        QTest::newRow("absent: all") << "-"
                                     << "Command1" << false << "1"
                                     << "-";
        QTest::newRow("0: all, remembered") << "0"
                                            << "Command1" << true << "1"
                                            << "1";
        QTest::newRow("0: selected") << "0"
                                     << "Command2" << false << "0"
                                     << "0";
        QTest::newRow("absent: selected, remembered") << "-"
                                                      << "Command2" << true << "0"
                                                      << "2";
        QTest::newRow("unknown value asks") << "3"
                                            << "Command2" << false << "0"
                                            << "3";
    }
    void openForRemoval()
    {
        QFETCH(QString, before);
        QFETCH(QString, button);
        QFETCH(bool, remember);
        QFETCH(QString, scope);
        QFETCH(QString, after);
        if (before != "-")
            m_settings->setDelall(before.toStdString());
        QVERIFY(m_scopes.isEmpty()); // making the dialog removes nothing
        const bool asks = !button.isEmpty();
        bool closedByButton = false;
        QCOMPARE(open([&] {
                     m_form->findChild<QCheckBox *>("Check1")->setChecked(remember);
                     m_form->findChild<QPushButton *>(button)->click();
                     closedByButton = !m_form->isVisible();
                 }),
                 asks);
        QCOMPARE(closedByButton, asks);
        QCOMPARE(m_scopes, QStringList(scope));
        QCOMPARE(stored(), after);
        // The next opening asks again, unless an answer is stored: then it acts on it unasked.
        QCOMPARE(open([] {}), asks && !remember);
        QCOMPARE(m_scopes.size(), asks && !remember ? 1 : 2);
        QCOMPARE(m_scopes.last(), scope);
    }

    void closingWithoutTheButtonsChangesNothing()
    {
        QVERIFY(open([&] {
            m_form->findChild<QCheckBox *>("Check1")->setChecked(true);
            QTest::keyClick(m_form.get(), Qt::Key_Escape);
        }));
        QVERIFY(open([&] { m_form->close(); }));
        QVERIFY(m_scopes.isEmpty());
        QCOMPARE(stored(), "-");
        QVERIFY(open([&] { m_form->findChild<QPushButton *>("Command1")->click(); }));
        QCOMPARE(stored(), "-"); // an abandoned tick is not carried over
    }
};

QTEST_MAIN(Form6Test)
#include "form6_test.moc"
