// What a screen reader sees of a control: its object fetched the way a reader fetches it, the
// answers read back as plain values, and the WinEvents raised while a test acts on it.
#pragma once
#include "Harness.h"
#include <oleacc.h>
#include <functional>
#include <string>
#include <vector>

namespace a11y {

// The object a reader gets for the window's client area (null when none).
IAccessible* ObjectOf(HWND hWnd);

// One object's answers about one child (0: the object itself).
struct Answers {
    HRESULT hr = S_OK;  // of get_accRole
    LONG role = 0;
    std::wstring name;
    bool hasName = false;
    std::wstring value;
    bool hasValue = false;
    DWORD state = 0;
    std::wstring shortcut;
};
Answers Ask(IAccessible* acc, LONG child = CHILDID_SELF);
LONG ChildCount(IAccessible* acc);
// An element's place in screen coordinates (empty when it has none).
RECT Location(IAccessible* acc, LONG child);
VARIANT Child(LONG id);

struct WinEvent {
    DWORD event;
    HWND hWnd;
    LONG objectId;
    LONG childId;
    bool operator==(const WinEvent& o) const
    {
        return event == o.event && hWnd == o.hWnd && objectId == o.objectId && childId == o.childId;
    }
};
std::ostream& operator<<(std::ostream& os, const WinEvent& e);

// Records the process's WinEvents out of context, as a reader would receive them.
class EventRecorder {
public:
    EventRecorder();
    ~EventRecorder();
    // Lets the queued events arrive, then hands over those about hWnd (all with null) of the
    // kinds in only (all when empty), in order, and forgets the rest.
    std::vector<WinEvent> Take(HWND hWnd = nullptr, std::initializer_list<DWORD> only = {});

private:
    HWINEVENTHOOK hook_ = nullptr;
};

std::vector<WinEvent> Events(std::initializer_list<WinEvent> list);
inline WinEvent ValueChange(HWND h) { return {EVENT_OBJECT_VALUECHANGE, h, OBJID_CLIENT, CHILDID_SELF}; }

// A host that runs an action when a message made by Action reaches it: posted among a script,
// the action sees the control in the middle of its loop.
class ActionHost : public kx::HostWindow {
public:
    MSG Action(std::function<void()> action);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::function<void()>> actions_;
};

// A static text label of the host, placed before the controls created after it.
HWND MakeLabel(HWND parent, LPCWSTR text, const RECT& r);

}  // namespace a11y
