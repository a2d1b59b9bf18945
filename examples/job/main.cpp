// A long-running job: a worker thread reports its progress to two bars through the library's
// position message; a right-click menu cancels or restarts it.
#include "ExampleApp.h"
#include <atomic>
#include <thread>

namespace {

constexpr UINT kRecordsBarId = 101;
constexpr UINT kFilesBarId = 102;
constexpr int kRecords = 2000;
constexpr int kFiles = 40;
constexpr UINT kCmdCancel = 1;
constexpr UINT kCmdRestart = 2;
constexpr UINT kCmdClose = 3;
constexpr UINT WM_JOB_DONE = WM_APP + 1;
constexpr UINT_PTR kScreenshotTimer = 1;
// The screenshot shows the job part-way through.
constexpr int kScreenshotRecords = 1300;

class JobWindow : public CWnd {
public:
    bool Open(const std::wstring& screenshot)
    {
        m_screenshot = screenshot;
        if (!CreateEx(0, example::DarkWindowClass(), L"Kestrel example: import job",
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, 520, 210, nullptr, nullptr))
            return false;
        m_records.Create(WS_VISIBLE, CRect(16, 40, 488, 62), this, kRecordsBarId);
        m_records.SetRange(0, kRecords);
        m_records.SetStartColor(RGB(40, 60, 90));
        m_records.SetEndColor(RGB(120, 200, 210));
        m_records.SetBkColor(getdefaultColor(DEFCLR_EDITBK));
        m_files.Create(WS_VISIBLE, CRect(16, 104, 488, 120), this, kFilesBarId);
        m_files.SetRange(0, kFiles);
        ShowWindow(SW_SHOW);
        UpdateWindow();
        Start();
        if (!m_screenshot.empty()) SetTimer(kScreenshotTimer, 1200);
        return true;
    }

protected:
    // The worker touches nothing but the two window handles and the stop flag: the position
    // message is posted, so the worker never waits for this thread.
    void Start()
    {
        Stop();
        m_stop = false;
        m_done = false;
        const HWND records = m_records.m_hWnd, files = m_files.m_hWnd, self = m_hWnd;
        const int last = m_screenshot.empty() ? kRecords : kScreenshotRecords;
        m_worker = std::thread([this, records, files, self, last] {
            for (int n = 1; n <= last && !m_stop; ++n) {
                ::Sleep(m_screenshot.empty() ? 3 : 0);
                ::PostMessageW(records, WM_PROGRESSPOS, PROGRESSPOS_SET, n);
                if (n % (kRecords / kFiles) == 0)
                    ::PostMessageW(files, WM_PROGRESSPOS, PROGRESSPOS_SET, n / (kRecords / kFiles));
            }
            ::PostMessageW(self, WM_JOB_DONE, 0, 0);
        });
    }
    void Stop()
    {
        m_stop = true;
        if (m_worker.joinable()) m_worker.join();
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        dc.TextOut(16, 16, L"Records imported", 16);
        dc.TextOut(16, 80, L"Files written", 13);
        const wchar_t* state = m_cancelled ? L"Cancelled. Right-click to restart."
                               : m_done    ? L"Done. Right-click to restart."
                                           : L"Working... right-click to cancel.";
        dc.TextOut(16, 140, state, static_cast<int>(wcslen(state)));
        dc.SelectObject(oldFont);
    }
    void OnContextMenu(CWnd*, CPoint point)
    {
        CFreeMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenuW(MF_STRING | (m_done || m_cancelled ? MF_GRAYED : 0), kCmdCancel, L"&Cancel job");
        menu.AppendMenuW(MF_STRING, kCmdRestart, L"&Restart job");
        menu.AppendMenuW(MF_SEPARATOR);
        menu.AppendMenuW(MF_STRING, kCmdClose, L"C&lose");
        const int chosen = menu.TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, this);
        menu.DestroyMenu();
        if (chosen == static_cast<int>(kCmdCancel)) {
            Stop();
            m_cancelled = true;
        } else if (chosen == static_cast<int>(kCmdRestart)) {
            m_cancelled = false;
            m_records.SetPos(0);
            m_files.SetPos(0);
            Start();
        } else if (chosen == static_cast<int>(kCmdClose)) {
            DestroyWindow();
            return;
        }
        Invalidate();
    }
    LRESULT OnJobDone(WPARAM, LPARAM)
    {
        m_done = m_records.GetPos() == kRecords;
        Invalidate();
        return 0;
    }
    void OnTimer(UINT_PTR id)
    {
        if (id != kScreenshotTimer) return;
        KillTimer(id);
        example::FinishScreenshot(this, m_screenshot);
    }
    void OnDestroy()
    {
        Stop();
        CWnd::OnDestroy();
        if (m_screenshot.empty()) ::PostQuitMessage(0);
    }
    // Made after the library's start-up (the striped bar borrows a registry brush when it is
    // constructed), and gone with its window.
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    CCoolProgressCtrl m_records;
    COrmProgressCtrl m_files;
    std::thread m_worker;
    std::atomic<bool> m_stop{false};
    bool m_done = false;
    bool m_cancelled = false;
    std::wstring m_screenshot;
};

BEGIN_MESSAGE_MAP(JobWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_JOB_DONE, OnJobDone)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return example::Run([](const std::wstring& screenshot) { return (new JobWindow)->Open(screenshot); });
}
