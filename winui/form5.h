#pragma once

#include "forms/form5logic.h"
#include "winui/dialogwindow.h"

#include <optional>

namespace engine
{
class Settings;
}

namespace winui
{

// The language dialog: lists the language files, applies one on request, remembers the choice.
// Its load step runs at the first opening; later openings show it as it was left.
class Form5 : public DialogWindow, public forms::Form5View
{
public:
    Form5(HINSTANCE instance, HWND owner, forms::LanguageTargets &windows,
          engine::Settings &settings);

    void openDialog();
    forms::Form5Logic &logic();

    void setEntries(const std::vector<forms::LanguageEntry> &entries) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    void close() override { hide(); }

    forms::Answer message(forms::MessageIcon icon, const std::string &title,
                          const std::string &text, forms::MessageButtons buttons) override;
    std::optional<std::string> openFile(const std::string &filter,
                                        const std::string &initialFile) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;

private:
    void layout(int width, int height) override;
    void command(int id, int code) override;

    HWND List1;
    HWND Command1;
    HWND Command2;
    forms::LanguageTargets &m_windows;        // where the logic sets the texts
    engine::Settings &m_settings;             // where it keeps the choice
    std::optional<forms::Form5Logic> m_logic; // made on first use, when this window is one of six
};

} // namespace winui
