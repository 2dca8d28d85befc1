#include "forms/form6logic.h"

#include "engine/removechoice.h"
#include "engine/settings.h"

namespace forms
{

Form6Logic::Form6Logic(Form6View &view, Delicon delicon, engine::Settings &settings)
    : m_view(view), m_delicon(std::move(delicon)), m_settings(settings)
{
}

void Form6Logic::openForRemoval()
{
    switch (engine::removeChoiceFor(m_settings.delall())) {
    case engine::RemoveChoice::All:
        m_delicon("1");
        return;
    case engine::RemoveChoice::Selected:
        m_delicon("0");
        return;
    case engine::RemoveChoice::Ask:
        break;
    }
    // Each question starts unticked, as a freshly loaded dialog would.
    m_view.setCheck1Ticked(false);
    m_view.showModal();
}

void Form6Logic::Command1_Click()
{
    m_delicon("1");
    if (m_view.isCheck1Ticked())
        m_settings.setDelall(engine::delallFor(engine::RemoveChoice::All));
    m_view.hideDialog();
}

void Form6Logic::Command2_Click()
{
    m_delicon("0");
    if (m_view.isCheck1Ticked())
        m_settings.setDelall(engine::delallFor(engine::RemoveChoice::Selected));
    m_view.hideDialog();
}

} // namespace forms
