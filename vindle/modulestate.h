#pragma once

#include "vindle/iconsurface.h"

#include <cstdint>

namespace vindle
{

// ChosenIconIndex: the index the browser window's choose command stored last in this thread.
extern thread_local std::int16_t ChosenIconIndex;
// DrawingSurface: the surface ShowIcon draws on in this thread; null until one is registered.
extern thread_local IconSurface *DrawingSurface;

// Registers `surface` as this thread's drawing surface, replacing any earlier one.
void SetDrawingSurface(IconSurface *surface);

} // namespace vindle
