// Process-wide handle maps of the framework (user-interface thread only).
#pragma once
#include "framework/Window.h"
#include <unordered_map>

struct AfxHandleMaps {
    std::unordered_map<HWND, CWnd*> permanentWindows;
    std::unordered_map<HWND, CWnd*> temporaryWindows;
    std::unordered_map<HDC, CDC*> temporaryDCs;
    std::unordered_map<HGDIOBJ, CGdiObject*> temporaryObjects;
    std::unordered_map<HMENU, CMenu*> temporaryMenus;

    static AfxHandleMaps& Get();
    // Frees temporaries; with onlyDead, only windows that no longer exist (others may be in use).
    void PurgeTemporaries(bool onlyDead);
    static CWnd* NewTemporaryWindow(HWND hWnd);
};
