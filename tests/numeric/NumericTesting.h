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

// Opens the protected model, records what each paint was asked to cover and the context
// menu's labels, and runs script actions when their message is dispatched to it.
class TestNumEdit : public CNumEdit {
public:
    using CNumEdit::FindSuitPlace;
    using CNumEdit::GetCurDigit;
    using CNumEdit::GetItemValue;
    using CNumEdit::GetMaxDigit;
    using CNumEdit::GetMiddleStartPlace;
    using CNumEdit::OnExChangeNum;
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
    // A message that, posted to the editor, runs action once: a tracking loop dispatches it
    // at its place in the script, so the action can change the keyboard state mid-loop.
    MSG Action(std::function<void()> action);

protected:
    DWORD GetNumStyle() const override
    {
        return modelStyle >= 0 ? static_cast<DWORD>(modelStyle) : CNumEdit::GetNumStyle();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::function<void()>> actions_;
};

// Sets or clears the high bit of a key in the thread's keyboard state.
void SetKeyDown(int vk, bool down);
CPoint CursorPos();
using Codes = std::vector<UINT>;

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
    // Mouse messages in the editor's client coordinates, for scripts and presses.
    static MSG MoveTo(CPoint p) { return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(p.x, p.y)); }
    static MSG ReleaseAt(CPoint p) { return kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(p.x, p.y)); }
    void PressAt(CPoint p) { edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(p.x, p.y)); }

    kx::HostWindow host;
    TestNumEdit edit;
};

}  // namespace numtest
