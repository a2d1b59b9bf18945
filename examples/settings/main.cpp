// A settings window: numeric editors and numeric labels with ranges and decimals, exchanged
// with a settings record the way a dialog's DoDataExchange does; a hot-key box; a small grid
// of values edited in place by a filtered edit box; a right-click menu that loads the
// defaults, applies or reverts.
#include "ExampleApp.h"

namespace {

constexpr UINT kFrameRateId = 101;
constexpr UINT kGammaId = 102;
constexpr UINT kVolumeId = 103;
constexpr UINT kBalanceId = 104;
constexpr UINT kHotKeyId = 105;
constexpr UINT kCellEditorId = 106;
constexpr UINT kCmdDefaults = 1;
constexpr UINT kCmdApply = 2;
constexpr UINT kCmdRevert = 3;
constexpr UINT_PTR kScreenshotTimer = 1;

constexpr int kLabelX = 16;
constexpr int kControlX = 150;
constexpr int kRowHeight = 30;
constexpr int kGridTop = 190;

// What the application keeps; the window exchanges it with its controls.
struct Settings {
    float frameRate = 60.0f;
    float gamma = 2.2f;
    CString volume = L"80";
    CString balance = L"0.00";
    UINT hotKey = 0x00530006;  // Ctrl+Shift+S
    CString name = L"Main camera";
    CString ratio = L"1.777";
    CString retries = L"3";
};

struct Cell {
    const wchar_t* label;
    DWORD inputStyle;
    CString Settings::*field;
};
const Cell kCells[] = {
    {L"Name", INPUTSTYLE_TEXT, &Settings::name},
    {L"Aspect ratio", INPUTSTYLE_NUMBER, &Settings::ratio},
    {L"Retries", INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER, &Settings::retries},
};
constexpr int kCellCount = sizeof(kCells) / sizeof(kCells[0]);

class SettingsWindow : public CWnd {
public:
    bool Open(const std::wstring& screenshot)
    {
        m_screenshot = screenshot;
        if (!CreateEx(0, example::DarkWindowClass(), L"Kestrel example: settings",
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, 440, 340, nullptr, nullptr))
            return false;
        m_frameRate.Create(Row(0), this, kFrameRateId, WS_VISIBLE | ES_RIGHT);
        m_frameRate.SetNumberMinMax(1, 240, 60);
        m_gamma.Create(Row(1), this, kGammaId, WS_VISIBLE | ES_RIGHT);
        m_gamma.SetNumberMinMax(0.5, 3.0, 2.2);
        m_gamma.SetDicimalNum(2);
        m_gamma.SetNumberGap(0.05f);
        // Labels: drag up or down to change, double-click to type, right-click for the bounds.
        m_volume.Create(L"", WS_CHILD | WS_VISIBLE, Row(2), this, kVolumeId, INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER);
        m_volume.SetNumberMinMax(0, 100, 80);
        m_balance.Create(L"", WS_CHILD | WS_VISIBLE, Row(3), this, kBalanceId, INPUTSTYLE_NUMBER);
        m_balance.SetNumberMinMax(-1, 1, 0);
        m_balance.SetDicimalNum(2);
        m_balance.SetNumberGap(0.01f);
        m_hotKey.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, Row(4), this, kHotKeyId);
        Exchange(false);
        ShowWindow(SW_SHOW);
        UpdateWindow();
        if (!m_screenshot.empty()) SetTimer(kScreenshotTimer, 800);
        return true;
    }

protected:
    static CRect Row(int i)
    {
        const int top = 16 + i * kRowHeight;
        return CRect(kControlX, top, kControlX + 140, top + 22);
    }
    static CRect CellRect(int i)
    {
        const int top = kGridTop + i * 24;
        return CRect(kControlX, top, kControlX + 260, top + 24);
    }

    // Both directions of a dialog's data exchange: save reads the controls into the record.
    void Exchange(bool save)
    {
        CDataExchange dx(this, save ? TRUE : FALSE);
        DDX_NumEdit(&dx, kFrameRateId, m_settings.frameRate);
        DDX_NumEdit(&dx, kGammaId, m_settings.gamma);
        DDX_NumEdit(&dx, kVolumeId, m_settings.volume);
        DDX_NumEdit(&dx, kBalanceId, m_settings.balance);
        UINT user = 0;
        if (save) m_settings.hotKey = m_hotKey.GetHotKey(user);
        else m_hotKey.SetHotKey(m_settings.hotKey, 0);
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        const wchar_t* labels[] = {L"Frame rate", L"Gamma", L"Volume", L"Balance", L"Screenshot key"};
        for (int i = 0; i < 5; ++i) dc.TextOut(kLabelX, Row(i).top + 4, labels[i], static_cast<int>(wcslen(labels[i])));
        const COLORREF line = getdefaultColor(DEFCLR_BOXSHADOW);
        for (int i = 0; i < kCellCount; ++i) {
            CRect value = CellRect(i);
            dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
            dc.TextOut(kLabelX, value.top + 4, kCells[i].label, static_cast<int>(wcslen(kCells[i].label)));
            dc.FillSolidRect(&value, getdefaultColor(DEFCLR_EDITBK));
            dc.Draw3dRect(&value, line, line);
            value.DeflateRect(6, 0);
            dc.SetTextColor(getdefaultColor(DEFCLR_EDITTEXT));
            dc.DrawText(m_settings.*kCells[i].field, -1, &value, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        }
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        dc.TextOut(kLabelX, kGridTop + kCellCount * 24 + 12, m_status, m_status.GetLength());
        dc.SelectObject(oldFont);
    }

    // A double-click on a grid value opens the filtered editor over it.
    void OnLButtonDblClk(UINT, CPoint point)
    {
        for (int i = 0; i < kCellCount; ++i) {
            if (!CellRect(i).PtInRect(point)) continue;
            if (m_cellEditor.IsWindow()) SetFocus();  // commits the open edit first
            m_editingCell = i;
            m_cellEditor.ModifyInputStyle(kCells[i].inputStyle);
            m_cellEditor.SetText(m_settings.*kCells[i].field, 32);
            CRect cell = CellRect(i), rcEdit;
            CEditCtrl::GetBestEditRect(this, cell, rcEdit);
            m_cellEditor.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rcEdit, this, kCellEditorId);
            m_cellEditor.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), TRUE);
            return;
        }
    }
    void OnCellEdited(NMHDR* hdr, LRESULT*)
    {
        if (m_editingCell < 0) return;
        m_settings.*kCells[m_editingCell].field = reinterpret_cast<const NMEDITCTRL*>(hdr)->text;
        m_editingCell = -1;
        Invalidate();
    }
    void OnHotKeyCaptured(NMHDR*, LRESULT*)
    {
        m_hotKey.ShowWindow(SW_SHOWNA);  // stays for the next capture
    }

    void OnContextMenu(CWnd*, CPoint point)
    {
        CFreeMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenuW(MF_STRING, kCmdApply, L"&Apply");
        menu.AppendMenuW(MF_STRING, kCmdRevert, L"&Revert");
        menu.AppendMenuW(MF_SEPARATOR);
        menu.AppendMenuW(MF_STRING, kCmdDefaults, L"Load &defaults");
        const int chosen = menu.TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, this);
        menu.DestroyMenu();
        if (chosen == static_cast<int>(kCmdApply)) {
            Exchange(true);
            m_status.Format(L"Applied: %.0f fps, gamma %.2f, volume %s", static_cast<double>(m_settings.frameRate),
                            static_cast<double>(m_settings.gamma), m_settings.volume.GetString());
        } else if (chosen == static_cast<int>(kCmdRevert)) {
            Exchange(false);
            m_status = L"Reverted to the last applied values.";
        } else if (chosen == static_cast<int>(kCmdDefaults)) {
            m_settings = Settings();
            Exchange(false);
            m_status = L"Defaults loaded.";
        }
        Invalidate();
    }

    void OnTimer(UINT_PTR id)
    {
        if (id != kScreenshotTimer) return;
        KillTimer(id);
        example::FinishScreenshot(this, m_screenshot);
    }
    void OnDestroy()
    {
        CWnd::OnDestroy();
        if (m_screenshot.empty()) ::PostQuitMessage(0);
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    CNumEdit m_frameRate;
    CNumEdit m_gamma;
    CNumStatic m_volume;
    CNumStatic m_balance;
    CKeyEdit m_hotKey;
    CEditCtrl m_cellEditor;
    int m_editingCell = -1;
    Settings m_settings;
    CString m_status = L"Right-click for Apply, Revert and Load defaults.";
    std::wstring m_screenshot;
};

BEGIN_MESSAGE_MAP(SettingsWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDBLCLK()
    ON_NOTIFY(EDITCTRL_NOTIFY_HIDE, kCellEditorId, OnCellEdited)
    ON_NOTIFY(EDITCTRL_NOTIFY_HIDE, kHotKeyId, OnHotKeyCaptured)
    ON_WM_CONTEXTMENU()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return example::Run([](const std::wstring& screenshot) { return (new SettingsWindow)->Open(screenshot); });
}
