#include "dialogs/form4.h"
#include "engine/settings.h"
#include "engine/sysversion.h"
#include "platform/settingsstore.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

class Form4Test : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<Form4> m_form;

    static QString stored(const char *key)
    {
        return QString::fromStdString(platform::SettingsStore("ravo2").get("Options", key, "-"));
    }
    QAbstractButton *button(const char *name) { return m_form->findChild<QAbstractButton *>(name); }
    void
    click(const char *option) // on the indicator: a wide button takes no clicks past its caption
    {
        QTest::mouseClick(button(option), Qt::LeftButton, {},
                          QPoint(6, button(option)->height() / 2));
    }

private slots:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
        m_form = std::make_unique<Form4>();
        m_form->show();
    }

    void selectsTheFamilyByDetection()
    {
        const bool xp = engine::detectedWindowsMode() == engine::WindowsMode::Xp;
        QVERIFY(button("Option3")->isChecked() == xp && button("Option4")->isChecked() == !xp);
        QVERIFY(button("Option1")->isChecked());
        QCOMPARE(Form4(engine::WindowsMode::Nt9x).windowsMode(), engine::WindowsMode::Nt9x);
        QCOMPARE(Form4(engine::WindowsMode::Xp).windowsMode(), engine::WindowsMode::Xp);
    }

    void okStoresBothBoxesAsZeroOrOne()
    {
        for (const bool byEnter : {false, true}) {
            m_form->show();
            button("Check1")->setChecked(!byEnter);
            button("Check2")->setChecked(byEnter);
            byEnter ? QTest::keyClick(m_form.get(), Qt::Key_Return) : button("Command1")->click();
            QVERIFY(!m_form->isVisible());
            QCOMPARE(stored("clearlistoffolders") + stored("startnewcopyofravo"),
                     byEnter ? "01" : "10");
        }
    }

    void cancelEscAndCloseBoxOnlyHide()
    {
        platform::SettingsStore("ravo2").save("Options", "startnewcopyofravo", "1");
        m_form->loadStoredOptions(engine::Settings());
        QPointer<Form4> alive(m_form.get());
        for (int way = 0; way < 3; ++way) {
            m_form->show();
            button("Check1")->setChecked(way != 1);
            click(way != 1 ? "Option2" : "Option1");
            if (way == 0)
                button("Command2")->click();
            else if (way == 1)
                QTest::keyClick(m_form.get(), Qt::Key_Escape);
            else
                m_form->close();
            QVERIFY(alive && !m_form->isVisible());
            // What was changed stays for the run, unstored; the loaded value is kept too.
            QVERIFY(m_form->clearListOfFolders() == (way != 1) &&
                    m_form->onlyFirstFolder() == (way != 1));
            QVERIFY(m_form->startNewCopyOfRavo());
            QCOMPARE(stored("clearlistoffolders"), "-");
        }
    }

    void theTwoOptionGroupsAreIndependent()
    {
        m_form->setWindowsMode(engine::WindowsMode::Xp);
        click("Option2");
        QCOMPARE(m_form->windowsMode(), engine::WindowsMode::Xp);
        click("Option4");
        QVERIFY(m_form->onlyFirstFolder() && m_form->windowsMode() == engine::WindowsMode::Nt9x);
        click("Option1");
        QVERIFY(!m_form->onlyFirstFolder() && m_form->windowsMode() == engine::WindowsMode::Nt9x);
        m_form->setWindowsMode(engine::WindowsMode::Xp); // the command line moves only the family
        QVERIFY(!m_form->onlyFirstFolder() && !button("Option4")->isChecked());
    }
};

QTEST_MAIN(Form4Test)
#include "form4_test.moc"
