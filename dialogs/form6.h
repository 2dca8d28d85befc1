#pragma once

#include "forms/form6logic.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

namespace engine
{
class Settings;
}
class QCheckBox;
class QLabel;
class QPushButton;

// The remove-choice dialog's window over forms::Form6Logic: remove from every listed folder or
// from the selected one.
class Form6 : public QDialog, public forms::Form6View
{
    Q_OBJECT
public:
    using Delicon = forms::Form6Logic::Delicon;
    Form6(Delicon delicon, engine::Settings &settings, QWidget *parent = nullptr);
    ~Form6() override;

    forms::Form6Logic &logic() { return *m_logic; }
    // Reads "delall": acts at once for "1"/"2", else shows itself modally.
    void openForRemoval() { m_logic->openForRemoval(); }

    // forms::Form6View
    bool isCheck1Ticked() const override;
    void setCheck1Ticked(bool on) override;
    void showModal() override;
    void hideDialog() override;

private:
    void buildLayout();

    QLabel *Label1;                             // the question
    QPushButton *Command1;                      // "Удалить со всех"
    QPushButton *Command2;                      // "Удалить выбранную"
    QCheckBox *Check1;                          // remember the answer in the settings
    std::unique_ptr<forms::Form6Logic> m_logic; // what the buttons do
};
