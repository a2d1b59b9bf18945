// Every tracking loop of the landed controls interrupted by WM_QUIT, by another window taking
// the capture, and by its parent destroying it from inside each notification it sends.
#include "Stress.h"
#include <KestrelNumeric.h>

namespace {

using kx::Msg;
using kx::PointParam;

MSG Move(CPoint p) { return Msg(WM_MOUSEMOVE, MK_LBUTTON, PointParam(p.x, p.y)); }
MSG Up(CPoint p) { return Msg(WM_LBUTTONUP, 0, PointParam(p.x, p.y)); }
MSG Tick(UINT_PTR id) { return Msg(WM_TIMER, id, 0); }

// WM_COMMAND kinds of the numeric editor: a begin is always followed by an end.
bool NumEditPaired(const std::vector<kx::LoggedMessage>& log)
{
    int open = 0;
    for (const auto& m : log) {
        if (m.message != WM_COMMAND) continue;
        if (HIWORD(m.wParam) == NUMN_BEGINCHANGE) ++open;
        if (HIWORD(m.wParam) == NUMN_ENDCHANGE) --open;
    }
    return open == 0;
}

class Loops : public stress::StressTest {};

TEST_F(Loops, NumericEditorTextDragAndStepButtons)
{
    CNumEdit edit;
    auto make = [&]() -> HWND {
        if (edit.m_hWnd) edit.DestroyWindow();
        edit.Create(CRect(20, 20, 140, 42), &host, 100, WS_CHILD | WS_VISIBLE | ES_RIGHT);
        edit.SetNumberMinMax(-1000, 1000, 0);
        edit.SetCurValue(10.0f);
        return edit.m_hWnd;
    };
    auto press = [](CPoint p) {
        return [p](HWND w) { ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(p.x, p.y)); };
    };
    make();
    const RECT place = edit.GetItemRect(2);
    const CPoint digit((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    CRect client, text, step;
    edit.GetClientRect(&client);
    edit.GetRects(&client, &text, &step);
    const CPoint upper(step.CenterPoint().x, step.top + 3);

    stress::LoopScenario drag;
    drag.row = "CNumEdit";
    drag.loop = "text drag";
    drag.make = make;
    drag.drive = [&] {
        return std::vector<MSG>{Move({digit.x, digit.y - 4}), Move({digit.x, digit.y - 8}),
                                Move({digit.x, digit.y - 12}), Move({digit.x, digit.y - 16})};
    };
    drag.finish = [&] { return std::vector<MSG>{Up({digit.x, digit.y - 16})}; };
    drag.press = press(digit);
    drag.balanced = NumEditPaired;
    stress::InterruptLoop(host, drag);

    stress::LoopScenario steps;
    steps.row = "CNumEdit";
    steps.loop = "step buttons";
    steps.make = make;
    steps.drive = [] {
        return std::vector<MSG>{Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT)};
    };
    steps.finish = [&] { return std::vector<MSG>{Up(upper)}; };
    steps.press = press(upper);
    steps.balanced = NumEditPaired;
    steps.timers = {IDT_FIRSTDELAY, IDT_REPEAT};
    stress::InterruptLoop(host, steps);
    edit.DestroyWindow();
}

}  // namespace
