// Shared set-up of the menu tests: a host window that runs scripted actions and logs the
// buttons it receives, access to the popup chain, and scripted input for the popups.
#pragma once
#include "Harness.h"
#include <KestrelMenu.h>
#include <functional>
#include <string>
#include <vector>

namespace menutest {

// The window of the chain showing menu level `level` (0 is the top menu).
CFreeMenuWnd* Popup(int level);
// Visible windows of the chain, from the head on.
int VisibleLevels();
CRect WindowRectOf(CWnd* pWnd);

// A message for the popup of one level, at a client point.
MSG AtPopup(int level, UINT message, int x, int y);
// Client y of the middle of item `index` of a menu shown in a popup.
int ItemMiddle(const CFreeMenu& menu, int index);

class MenuHost : public kx::HostWindow {
public:
    // A message that runs the action when the host receives it inside the menu loop.
    MSG Action(std::function<void()> action);
    std::vector<UINT> buttons;  // mouse button messages the host received, in order

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::function<void()>> actions_;
};

// A menu that records the item calls of each paint pass and can claim a height for
// owner-drawn items.
class RecordingMenu : public CFreeMenu {
public:
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
    std::vector<int> drawn;       // itemID of each call, -1 for the background
    std::vector<UINT> states;     // itemState of each item call
    UINT ownerDrawHeight = 0;     // 0: the default answer
};

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the menu at the screen point with the script already posted.
    int Track(CFreeMenu& menu, int x = 100, int y = 100);
    MSG Key(UINT vk) { return kx::Msg(WM_KEYDOWN, vk); }

    MenuHost host;
};

}  // namespace menutest
