// Auto-repeat timing shared by the controls whose buttons repeat while held: a first delay,
// then a shorter repeat period, both as timers on the control's own window.
#pragma once
#include "KestrelDefs.h"

constexpr UINT_PTR IDT_FIRSTDELAY = 257;
constexpr UINT_PTR IDT_REPEAT = 258;

constexpr int AUTOREPEAT_FIRSTDELAY_MS = 150;
constexpr int AUTOREPEAT_REPEAT_MS = 100;

// Milliseconds for a timer id: the repeat period for IDT_REPEAT, the first delay for any other.
// Each control's virtual GetTimerWait answers with this unless a derived class says otherwise.
constexpr int AutoRepeatWait(int nIDEvent)
{
    return nIDEvent == static_cast<int>(IDT_REPEAT) ? AUTOREPEAT_REPEAT_MS : AUTOREPEAT_FIRSTDELAY_MS;
}
