// What the two splitter windows share: rectangle arithmetic along one axis, the pane layout,
// the drag limits, the drag loop and the move notification. The classes differ only in the
// axis, the drawing surface of the drag feedback and a few message rules of the loop.
#pragma once
#include <KestrelSplitter.h>
#include <vector>

namespace splitter {

enum class Axis { X, Y };

inline LONG& First(RECT& r, Axis a) { return a == Axis::X ? r.left : r.top; }
inline LONG& Far(RECT& r, Axis a) { return a == Axis::X ? r.right : r.bottom; }
inline LONG First(const RECT& r, Axis a) { return a == Axis::X ? r.left : r.top; }
inline LONG Far(const RECT& r, Axis a) { return a == Axis::X ? r.right : r.bottom; }
inline int Length(const RECT& r, Axis a) { return static_cast<int>(Far(r, a) - First(r, a)); }
inline int Along(POINT p, Axis a) { return a == Axis::X ? p.x : p.y; }
inline void Shift(RECT& r, Axis a, int d)
{
    First(r, a) += d;
    Far(r, a) += d;
}

// A window's rectangle in the client coordinates of another window (the screen for null).
RECT WindowRectIn(HWND hWnd, HWND hTo);

// The first and last place (along the axis) the bar's first edge may take, in the coordinates
// of the parent's client rectangle and the pane rectangles given; false when there is no room.
bool DragSpan(const RECT& parent, int minFirst, int minSecond, const std::vector<RECT>& firstPanes,
              const std::vector<RECT>& secondPanes, int barLength, Axis a, int& firstPlace, int& lastPlace);

// GetMouseClipRect of either class.
int MouseClipRect(HWND bar, HWND boundParent, int minFirst, int minSecond, const std::vector<HWND>& firstPanes,
                  const std::vector<HWND>& secondPanes, POINT point, Axis a, RECT* lpRect);

// Ends the first-side panes where the bar begins and starts the second-side panes where it ends.
void LayOutPanes(HWND bar, HWND boundParent, const std::vector<HWND>& firstPanes,
                 const std::vector<HWND>& secondPanes, Axis a);

// SPLTN_MOVED to the bar's parent.
void NotifyMoved(HWND bar, int movedBy);

// The modal drag: XOR feedback of the bar follows the pointer until the capture goes. The
// vertical bar (Axis::X) draws on the screen and keeps the full message rules of its loop; the
// horizontal bar draws in the bound parent's client area, dispatches the mouse messages it does
// not track (except a right press) and drops key presses. displacement receives the last
// pointer travel along the axis. False when the bar's window was destroyed meanwhile.
bool TrackDrag(HWND bar, HWND boundParent, POINT point, const RECT& clip, Axis a, int& displacement);

}  // namespace splitter
