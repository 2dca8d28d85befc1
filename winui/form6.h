#pragma once

#include "forms/form6logic.h"
#include "winui/dialogwindow.h"

#include <optional>

namespace engine
{
class Settings;
}

namespace winui
{

// The remove choice: from every listed folder or from the selected one, optionally remembered.
// It has no cancel button: Esc and the close box remove nothing and store nothing.
class Form6 : public DialogWindow, public forms::Form6View
{
public:
    Form6(HINSTANCE instance, HWND owner, forms::Form6Logic::Delicon delicon,
          engine::Settings &settings);

    forms::Form6Logic &logic() { return *m_logic; }

    bool isCheck1Ticked() const override;
    void setCheck1Ticked(bool on) override;
    void showModal() override;
    void hideDialog() override { hide(); }

private:
    void layout(int width, int height) override;
    void command(int id, int code) override;

    HWND Label1;
    HWND Command1;
    HWND Command2;
    HWND Check1;
    std::optional<forms::Form6Logic> m_logic;
};

} // namespace winui
