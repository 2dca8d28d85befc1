#pragma once

#include "engine/customisationrequest.h"

#include <QDialog>

namespace engine
{
class Settings;
}
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The options dialog: the run's only home of the four options.
class Form4 : public QDialog
{
    Q_OBJECT
public:
    explicit Form4(QWidget *parent = nullptr); // load step: Option3/Option4 from SysVersions32
    explicit Form4(engine::WindowsMode detected, QWidget *parent = nullptr); // a given detection
    void loadStoredOptions(const engine::Settings &settings); // the main window's load step 1

    bool clearListOfFolders() const;               // Check1
    bool startNewCopyOfRavo() const;               // Check2
    bool onlyFirstFolder() const;                  // Option2
    engine::WindowsMode windowsMode() const;       // Option3 → Xp, Option4 → Nt9x
    void setWindowsMode(engine::WindowsMode mode); // the command line's "-wv"

private:
    void Command1_Click(); // stores the two check boxes, then hides
    void buildLayout();

    QCheckBox *Check1;           // empty the folder list after icons have been set
    QCheckBox *Check2;           // allow only one running copy
    QRadioButton *Option1;       // customise every folder of the list
    QRadioButton *Option2;       // customise only the first folder
    QGroupBox *Frame1;           // the Windows family question
    QRadioButton *Option3;       // xp mode: folder attribute 1
    QRadioButton *Option4;       // 9x mode: folder attribute 5
    QPushButton *Command1;       // "ОК"
    QPushButton *Command2;       // "Отмена"
    QButtonGroup *m_scopeGroup;  // Option1 / Option2
    QButtonGroup *m_familyGroup; // Option3 / Option4
};
