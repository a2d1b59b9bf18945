// The numeric editor during a drag: one value change (partial repaint of the changed places)
// against a full repaint of the same control, and how much of the client a change repaints.
#include "Bench.h"
#include <KestrelNumeric.h>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 24;
constexpr int kIterations = 2000;

// Counts the area each paint is asked to cover.
class MeasuredNumEdit : public CNumEdit {
public:
    long long paintedArea = 0;
    int paints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            RECT r{};
            if (::GetUpdateRect(m_hWnd, &r, FALSE)) {
                paintedArea += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
                ++paints;
            }
        }
        return CNumEdit::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

void RunNumEditBench()
{
    HWND host = bench::BenchHost();
    CWnd* parent = CWnd::FromHandle(host);

    MeasuredNumEdit edit;
    edit.Create(CRect(10, 10, 10 + kWidth, 10 + kHeight), parent, 1, WS_VISIBLE | ES_RIGHT);
    edit.SetNumberMinMax(0, 100000, 0);
    bench::Pump();

    // A drag moves through consecutive values: mostly the last place changes, sometimes more.
    int value = 0;
    double change = bench::MicrosecondsPerOp([&] {
        value = (value + 1) % 100000;
        edit.SetCurValue(value);
    }, kIterations);
    double full = bench::MicrosecondsPerOp([&] {
        edit.Invalidate(TRUE);
        edit.UpdateWindow();
    }, kIterations);
    bench::PrintComparison(L"CNumEdit value change vs full repaint", change, full);

    edit.paintedArea = 0;
    edit.paints = 0;
    for (int i = 0; i < kIterations; ++i) {
        value = (value + 1) % 100000;
        edit.SetCurValue(value);
    }
    CRect client;
    edit.GetClientRect(&client);
    const double clientArea = static_cast<double>(client.Width()) * client.Height();
    const double share = edit.paints ? 100.0 * static_cast<double>(edit.paintedArea) / edit.paints / clientArea : 0.0;
    bench::PrintFigure(L"CNumEdit area repainted per value change", share, L"% of client");

    edit.DestroyWindow();
}
