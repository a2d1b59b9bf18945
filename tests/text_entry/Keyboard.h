// Keyboard input for the text entry tests: keys go through the host's loop (pre-translation,
// then TranslateMessage makes the characters from the thread's keyboard state), modifiers are
// held by setting that state, as the key messages of a real keyboard would have left it.
#pragma once
#include "../harness/Harness.h"
#include <initializer_list>
#include <string>

namespace kx {

inline LPARAM KeyParam(UINT vk, bool up)
{
    LPARAM lp = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if (up) lp |= static_cast<LPARAM>(0xC0000000u);
    return lp;
}

// What a box shows.
inline std::wstring WindowText(HWND h)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(h, buffer, 512);
    return buffer;
}

// Presses and releases a key on the focus window and lets the loop run.
inline void PressKey(UINT vk)
{
    HWND focus = ::GetFocus();
    ::PostMessageW(focus, WM_KEYDOWN, vk, KeyParam(vk, false));
    PumpMessages();
    ::PostMessageW(focus, WM_KEYUP, vk, KeyParam(vk, true));
    PumpMessages();
}

inline void TypeKeys(std::initializer_list<UINT> keys)
{
    for (UINT vk : keys) PressKey(vk);
}

// Holds modifier keys down for its lifetime.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<UINT> keys)
    {
        ::GetKeyboardState(saved_);
        BYTE state[256];
        memcpy(state, saved_, sizeof(state));
        for (UINT vk : keys) {
            state[vk] |= 0x80;
            if (vk == VK_SHIFT) state[VK_LSHIFT] |= 0x80;
            if (vk == VK_CONTROL) state[VK_LCONTROL] |= 0x80;
            if (vk == VK_MENU) state[VK_LMENU] |= 0x80;
        }
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

}  // namespace kx
