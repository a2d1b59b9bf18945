// Shared pieces of the numeric editor tests: a subclass that opens the protected model, a host
// fixture, and scripted actions that run inside a tracking loop.
#pragma once
#include "Harness.h"
#include <KestrelNumeric.h>
#include <functional>
#include <string>
#include <vector>

namespace numtest {

constexpr UINT kEditId = 100;

// Opens the protected model and records what each paint was asked to cover.
class TestNumEdit : public CNumEdit {
public:
    using CNumEdit::FindSuitPlace;
    using CNumEdit::GetChangedPlaces;
    using CNumEdit::GetCurDigit;
    using CNumEdit::GetItemValue;
    using CNumEdit::GetMaxDigit;
    using CNumEdit::GetMiddleStartPlace;
    using CNumEdit::GetString;
    using CNumEdit::SetValue;

    // Window-less alignment and read-only bits for the model tests (-1: the window's style).
    long long modelStyle = -1;
    std::vector<RECT> paintedRects;
    std::vector<std::wstring> menuLabels;

    std::wstring Text(float v) const
    {
        wchar_t buffer[NUM_TEXT_MAX];
        GetString(buffer, v);
        return buffer;
    }
    float Current() const { return m_fCurValue; }
    int Decimals() const { return m_nDicimalNum; }

protected:
    DWORD GetNumStyle() const override
    {
        return modelStyle >= 0 ? static_cast<DWORD>(modelStyle) : CNumEdit::GetNumStyle();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            RECT r{};
            if (::GetUpdateRect(m_hWnd, &r, FALSE)) paintedRects.push_back(r);
        } else if (message == WM_INITMENUPOPUP) {
            HMENU menu = reinterpret_cast<HMENU>(wParam);
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                wchar_t label[64] = {};
                ::GetMenuStringW(menu, static_cast<UINT>(i), label, 64, MF_BYPOSITION);
                menuLabels.push_back(label);
            }
        }
        return CNumEdit::WindowProc(message, wParam, lParam);
    }
};

// Runs a function when its posted message is dispatched: lets a script change the keyboard
// state at a chosen point of a tracking loop.
class ScriptActions {
public:
    ScriptActions();
    ~ScriptActions();
    // A message that, posted, runs action once.
    MSG Action(std::function<void()> action);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hWnd_ = nullptr;
    std::vector<std::function<void()>> actions_;
};

// Sets or clears the high bit of a key in the thread's keyboard state.
void SetKeyDown(int vk, bool down);
void ReleaseModifiers();

// A visible host with one editor; the test shapes it before Create.
class NumEditTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the editor at (10,10) with the given client size and style.
    void Create(DWORD style, int width = 100, int height = 20);
    // A point in the middle of place i.
    CPoint PlaceCenter(int place) const;
    // The editor's client point in screen coordinates.
    CPoint ToScreen(CPoint p) const;
    std::vector<UINT> Kinds() const { return host.CommandCodes(); }
    void Char(UINT code) { edit.SendMessage(WM_CHAR, code, 1); }

    kx::HostWindow host;
    TestNumEdit edit;
};

std::vector<UINT> KindList(std::initializer_list<UINT> kinds);

}  // namespace numtest
