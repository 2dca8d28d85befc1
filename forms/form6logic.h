#pragma once

#include <functional>
#include <string>

namespace engine
{
class Settings;
}

namespace forms
{

// What the remove-choice dialog needs from a front-end's window.
class Form6View
{
public:
    virtual ~Form6View() = default;
    virtual bool isCheck1Ticked() const = 0; // "Не показывать больше (настройки)"
    virtual void setCheck1Ticked(bool on) = 0;
    virtual void showModal() = 0;  // returns once the dialog is hidden
    virtual void hideDialog() = 0; // showModal returns
};

// What the remove-choice dialog does: remove from every listed folder or from the selected one.
class Form6Logic
{
public:
    using Delicon = std::function<void(const std::string &scope)>;
    Form6Logic(Form6View &view, Delicon delicon, engine::Settings &settings);

    void openForRemoval(); // reads "delall": acts at once for "1"/"2", else asks modally
    void Command1_Click(); // remove from all folders
    void Command2_Click(); // remove from the selected folder

private:
    Form6View &m_view;            // the dialog's window
    Delicon m_delicon;            // the main window's remove operation, "0" selected or "1" all
    engine::Settings &m_settings; // where "delall" lives
};

} // namespace forms
