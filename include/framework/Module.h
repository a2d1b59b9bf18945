// Extension-module support: the library's entry point registers the module so that the
// framework's resource searches include it.
#pragma once
#include "../KestrelDefs.h"

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

class KESTREL_API CDynLinkLibrary {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    virtual ~CDynLinkLibrary();
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;
    HMODULE m_hModule;
    HMODULE m_hResource;
    CDynLinkLibrary* m_pNextDLL = nullptr;
};

// Records the module's handles; TRUE unless the record or handle is missing.
KESTREL_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Frees the module's CDynLinkLibrary objects (all of them when bAll is TRUE).
KESTREL_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);
// The application's instance and resource handles (the host's executable by default).
KESTREL_API HINSTANCE AfxGetInstanceHandle();
KESTREL_API HINSTANCE AfxGetResourceHandle();
KESTREL_API void AfxSetResourceHandle(HINSTANCE hResource);
// The first module, application first then each extension module, that holds the resource.
KESTREL_API HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);
