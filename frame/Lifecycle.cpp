// The library's entry point: registers the module as an extension module and keeps its
// handle, from which every bitmap and cursor of the library is loaded.
#include <KestrelTheme.h>
#include <KestrelFramework.h>

namespace {
AFX_EXTENSION_MODULE g_kestrelModule = {FALSE, nullptr, nullptr};
HINSTANCE g_resourceHandle = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        if (!AfxInitExtensionModule(g_kestrelModule, hInstance)) return FALSE;
        g_resourceHandle = hInstance;
        // Left to the framework: it joins the module chain that resource searches walk.
        new CDynLinkLibrary(g_kestrelModule);
        break;
    case DLL_PROCESS_DETACH:
        AfxTermExtensionModule(g_kestrelModule, FALSE);
        break;
    default:
        break;
    }
    return TRUE;
}

HINSTANCE getHResource(void)
{
    return g_resourceHandle;
}
