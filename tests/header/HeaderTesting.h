// Shared pieces of the header bar tests: a header that records its paint calls and runs script
// actions, a host that keeps each notification's item record, and a fixture with three items.
#pragma once
#include "Harness.h"
#include <KestrelHeader.h>
#include <functional>
#include <string>
#include <vector>

namespace headtest {

constexpr UINT kHeaderId = 300;
constexpr int kHeaderWidth = 300;
constexpr int kHeaderHeight = 24;

// One notification as the parent saw it while it was being sent.
struct Note {
    UINT code;
    int iItem;
    int iButton;
    int width;          // pitem->cxy
    std::wstring text;  // pitem->pszText
    bool operator==(const Note& o) const
    {
        return code == o.code && iItem == o.iItem && iButton == o.iButton && width == o.width && text == o.text;
    }
};
void PrintTo(const Note& n, std::ostream* os);
using Notes = std::vector<Note>;

class HeaderHost : public kx::HostWindow {
public:
    Notes notes;
    std::vector<NMHDR> headers;
    std::vector<HDITEMW> items;  // the records as sent (text pointer not kept)
    // Runs while a notification is being handled, after it is logged.
    std::function<void(const NMHEADERW&)> onNotify;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TestHeadWnd : public CHeadWnd {
public:
    struct DrawCall {
        UINT itemID;
        RECT rc;
        bool hasData;
    };
    std::vector<DrawCall> draws;
    std::vector<WPARAM> keysSeen;
    std::vector<RECT> paintedRects;

    // A message that, posted to the header, runs action once when a loop dispatches it.
    MSG Action(std::function<void()> action);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    using CHeadWnd::OnRedrawRect;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::function<void()>> actions_;
};

// Inserts an item at the end (position -1) with a caption, width and format.
int Add(CHeadWnd& head, const wchar_t* text, int width, int format = HDF_LEFT, int nPos = -1);
// The caption at a position, or "?" when there is none.
std::wstring TextAt(CHeadWnd& head, int nPos);
// Captions in display order, joined: "ABC".
std::wstring Row(CHeadWnd& head);

// A visible host with a header of items A (100), B (50), C (80) at (10,10), 300 x 24.
class HeaderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Presses at x in the middle row after the script is posted; a guard timer ends a loop
    // that would not end by itself, and the test fails.
    void PressAt(int x);
    static MSG MoveTo(int x, int y = kHeaderHeight / 2)
    {
        return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y));
    }
    static MSG ReleaseAt(int x) { return kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(x, kHeaderHeight / 2)); }
    void Script(std::initializer_list<MSG> messages) { kx::PostScript(head.m_hWnd, messages); }
    int WidthAt(int nPos);

    HeaderHost host;
    TestHeadWnd head;
};

}  // namespace headtest
