#include "framework/Module.h"

namespace {
HINSTANCE g_resourceOverride = nullptr;
CDynLinkLibrary* g_firstLibrary = nullptr;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource)
{
    m_pNextDLL = g_firstLibrary;
    g_firstLibrary = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** link = &g_firstLibrary; *link; link = &(*link)->m_pNextDLL) {
        if (*link == this) {
            *link = m_pNextDLL;
            break;
        }
    }
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    // This framework keeps no run-time class or factory lists, so there is nothing to move
    // into the module's pending slots: the module records its handles and is ready.
    if (hModule == nullptr) return FALSE;
    if (state.bInitialized) return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    for (CDynLinkLibrary* dll = g_firstLibrary; dll;) {
        CDynLinkLibrary* next = dll->m_pNextDLL;
        if (bAll || dll->m_hModule == state.hModule) delete dll;
        dll = next;
    }
    state.bInitialized = FALSE;
}

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceOverride ? g_resourceOverride : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hResource)
{
    g_resourceOverride = hResource;
}

HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type)
{
    HINSTANCE app = AfxGetResourceHandle();
    if (::FindResourceW(app, name, type)) return app;
    for (CDynLinkLibrary* dll = g_firstLibrary; dll; dll = dll->m_pNextDLL)
        if (dll->m_hResource && ::FindResourceW(dll->m_hResource, name, type)) return dll->m_hResource;
    return app;
}
