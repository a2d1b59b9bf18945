// Test harness: a host window that records what its children tell it, a message pump that
// goes through the framework's pre-translation, scripted input, and pixel read-back.
#pragma once
#include <KestrelFramework.h>
#include <KestrelTheme.h>
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace kx {

struct LoggedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    NMHDR hdr{};                 // WM_NOTIFY: the header
    std::vector<BYTE> record;    // WM_NOTIFY: a copy of the record (recordBytes long)
};

// A visible top-level window, made the foreground window, that logs WM_COMMAND, WM_NOTIFY,
// WM_HSCROLL and WM_VSCROLL in order before handling them as usual.
class HostWindow : public CWnd {
public:
    ~HostWindow() override;
    bool Open(int width = 480, int height = 320, LPCWSTR title = L"Kestrel test host");
    void Close();

    std::vector<LoggedMessage> log;
    size_t recordBytes = 64;
    // Called for WM_HSCROLL / WM_VSCROLL after logging; lets a test answer like a real parent.
    std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> onScroll;
    // Called for every logged message after logging: lets a test act as a hostile parent
    // (destroy the sender from inside its own notification, say).
    std::function<void(const LoggedMessage&)> onLogged;

    void Clear() { log.clear(); }
    // High words of every WM_COMMAND wParam, in order (the numeric controls' kinds).
    std::vector<UINT> CommandCodes() const;
    // Codes of every WM_NOTIFY, in order.
    std::vector<UINT> NotifyCodes() const;
    // The last WM_NOTIFY record reinterpreted as T (null when none was logged).
    template <class T> const T* LastRecord() const
    {
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->message == WM_NOTIFY && it->record.size() >= sizeof(T)) return reinterpret_cast<const T*>(it->record.data());
        return nullptr;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Dispatches every pending message (pre-translated as a host's loop does).
void PumpMessages();
// Pumps until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 2000);

// Posts messages to a window, in order, for a tracking loop to find.
void PostScript(HWND hWnd, std::initializer_list<MSG> messages);
MSG Msg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
LPARAM PointParam(int x, int y);

// A copy of a window's client area (or, with WholeWindow, of the whole window, non-client
// border included) as it is on screen now (after any pending paint).
class ClientCapture {
public:
    enum Area { Client, WholeWindow };
    explicit ClientCapture(HWND hWnd, Area area = Client);
    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Number of pixels in the row (or column) range with the colour.
    int CountInRow(int y, int x0, int x1, COLORREF clr) const;
    bool operator==(const ClientCapture& o) const { return width_ == o.width_ && pixels_ == o.pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_;
};

// Reads back a memory bitmap's pixels (any bitmap not selected into a context).
COLORREF BitmapPixel(HBITMAP bmp, int x, int y);

// A 32-bit memory bitmap selected into its own context and cleared to one colour: a drawing
// target whose pixels read back without a window.
class Canvas {
public:
    Canvas(int width, int height, COLORREF clear);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    CDC* cdc() const { return CDC::FromHandle(dc_); }
    HBITMAP bitmap() const { return bmp_; }
    COLORREF At(int x, int y) const;
    // Pixels inside [x0,x1) x [y0,y1) that differ from the clear colour.
    int CountPainted(int x0, int y0, int x1, int y1) const;
    int CountPainted() const { return CountPainted(0, 0, width_, height_); }

private:
    int width_, height_;
    COLORREF clear_;
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
    const DWORD* bits_ = nullptr;
};

// Calls InitCommonFunc and InitResourcelib before the tests and the Exit functions after.
class LibraryEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace kx
