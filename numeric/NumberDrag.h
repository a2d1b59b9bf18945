// The arithmetic of a vertical value drag, shared by the numeric controls: the accelerator
// keys, the travel from the press counted across pointer wraps at the screen's top and bottom,
// the steps of the mouse gap it makes, and the cursor that shows the direction.
#pragma once
#include "NumberModel.h"

namespace numeric {

// Step multiplier of one accelerator key.
constexpr int kKeyFactor = 5;

inline bool IsKeyDown(int vk)
{
    return ::GetKeyState(vk) < 0;
}

inline NUMCURSOR DragCursor(int distance, int mouseGap, int factor)
{
    const bool fast = factor > 1;
    if (distance < -mouseGap) return fast ? NUMCURSOR_UP_DOUBLE : NUMCURSOR_UP;
    if (distance > mouseGap) return fast ? NUMCURSOR_DOWN_DOUBLE : NUMCURSOR_DOWN;
    return fast ? NUMCURSOR_UPDOWN_DOUBLE : NUMCURSOR_UPDOWN;
}

inline double ClampTo(double v, float maximum, float minimum)
{
    if (v > maximum) v = maximum;
    if (v < minimum) v = minimum;
    return v;
}

class DragTravel {
public:
    DragTravel(POINT startScreen, int mouseGap)
        : m_start(startScreen), m_mouseGap(mouseGap > 0 ? mouseGap : 1),
          m_screenHeight(::GetSystemMetrics(SM_CYFULLSCREEN))
    {
    }

    POINT Start() const { return m_start; }

    // Whole steps of upward travel to the pointer row y (screen); sets the drag cursor.
    int Steps(int y, int factor) const
    {
        const int virtualY = y + (m_screenHeight - 3) * m_wraps;
        ::SetCursor(LoadCursorW(DragCursor(virtualY - m_start.y, m_mouseGap, factor)));
        return (m_start.y - virtualY) / m_mouseGap;
    }

    // A pointer on the screen's last or first row jumps to the other end and the drag goes on.
    void Wrap(POINT p)
    {
        if (p.y >= m_screenHeight - 1) {
            ++m_wraps;
            ::SetCursorPos(p.x, 1);
        } else if (p.y <= 0) {
            --m_wraps;
            ::SetCursorPos(p.x, m_screenHeight - 2);
        }
    }

private:
    POINT m_start;
    int m_mouseGap;
    int m_screenHeight;
    int m_wraps = 0;
};

}  // namespace numeric
