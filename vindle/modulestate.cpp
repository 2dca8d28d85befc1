#include "vindle/modulestate.h"

namespace vindle
{

thread_local std::int16_t ChosenIconIndex = 0;
thread_local IconSurface *DrawingSurface = nullptr;

void SetDrawingSurface(IconSurface *surface)
{
    DrawingSurface = surface;
}

} // namespace vindle
