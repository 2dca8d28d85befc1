#pragma once

#include <QDialog>

#include <functional>
#include <string>

namespace engine
{
class Settings;
}
class QCheckBox;
class QLabel;
class QPushButton;

// The remove-choice dialog: remove from every listed folder or from the selected one.
class Form6 : public QDialog
{
    Q_OBJECT
public:
    using Delicon = std::function<void(const std::string &scope)>;
    Form6(Delicon delicon, engine::Settings &settings, QWidget *parent = nullptr);

    void openForRemoval(); // reads "delall": acts at once for "1"/"2", else shows itself modally

private:
    void Command1_Click(); // remove from all folders
    void Command2_Click(); // remove from the selected folder
    void buildLayout();

    Delicon m_delicon;            // the main window's remove operation, "0" selected or "1" all
    engine::Settings &m_settings; // where "delall" lives
    QLabel *Label1;               // the question
    QPushButton *Command1;        // "Удалить со всех"
    QPushButton *Command2;        // "Удалить выбранную"
    QCheckBox *Check1;            // remember the answer in the settings
};
