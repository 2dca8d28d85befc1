#pragma once

#include "engine/customisationrequest.h"
#include "forms/form4logic.h"

#include <QDialog>

#include <memory>

namespace engine
{
class Settings;
}
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The options dialog's window: its controls over forms::Form4Logic, the run's only home of the
// four options.
class Form4 : public QDialog, public forms::Form4View
{
    Q_OBJECT
public:
    explicit Form4(QWidget *parent = nullptr); // load step: Option3/Option4 from SysVersions32
    explicit Form4(engine::WindowsMode detected, QWidget *parent = nullptr); // a given detection
    ~Form4() override;

    forms::Form4Logic &logic() { return *m_logic; }
    void loadStoredOptions(const engine::Settings &s) { m_logic->loadStoredOptions(s); }
    bool clearListOfFolders() const { return m_logic->clearListOfFolders(); }
    bool startNewCopyOfRavo() const { return m_logic->startNewCopyOfRavo(); }
    bool onlyFirstFolder() const { return m_logic->onlyFirstFolder(); }
    engine::WindowsMode windowsMode() const { return m_logic->windowsMode(); }
    void setWindowsMode(engine::WindowsMode mode) { m_logic->setWindowsMode(mode); }

    // forms::Form4View
    bool isTicked(forms::Form4Tick control) const override;
    void setTicked(forms::Form4Tick control, bool on) override;
    void hideDialog() override;

private:
    void buildLayout();
    QAbstractButton *button(forms::Form4Tick control) const;

    QCheckBox *Check1;                          // empty the folder list after icons have been set
    QCheckBox *Check2;                          // allow only one running copy
    QRadioButton *Option1;                      // customise every folder of the list
    QRadioButton *Option2;                      // customise only the first folder
    QGroupBox *Frame1;                          // the Windows family question
    QRadioButton *Option3;                      // xp mode: folder attribute 1
    QRadioButton *Option4;                      // 9x mode: folder attribute 5
    QPushButton *Command1;                      // "ОК"
    QPushButton *Command2;                      // "Отмена"
    QButtonGroup *m_scopeGroup;                 // Option1 / Option2
    QButtonGroup *m_familyGroup;                // Option3 / Option4
    std::unique_ptr<forms::Form4Logic> m_logic; // made once the controls exist
};
