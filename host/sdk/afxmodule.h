// Module state of the dialog framework: which module's resources dialogs are loaded from.
// A module initialises itself as an extension module with its own instance handle; commands
// switch the current resource handle to the module and back.
#pragma once
#include "windef.h"

struct AFX_EXTENSION_MODULE {
    bool bInitialized = false;
    HINSTANCE hModule = nullptr;
    HINSTANCE hResource = nullptr;
};

// The resource handle dialogs are looked up in now (the host's own at start).
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE instance);
// The host's own instance (its resources hold no module dialog).
HINSTANCE AfxGetInstanceHandle();

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE module);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// Entering a module's library into the list the framework searches; made with `new`, owned and
// destroyed by the framework when the extension module is terminated.
class CDynLinkLibrary {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
    virtual ~CDynLinkLibrary();
    HINSTANCE m_hModule;
    HINSTANCE m_hResource;
};

// A module's embedded resources, as the res/ build step generates them: named blobs of text.
// Type "RC": a resource script (dialog templates, control keys, picture references), parsed by
// the host's dialog framework; type "SVG": a picture file that a script names by `name`.
struct VeldResourceEntry {
    const char* type; // "RC", "SVG"
    int id;
    const char* data;
    unsigned long size;
    const char* name = nullptr; // the file's name, e.g. "square.svg"
};
struct VeldResourceTable {
    const VeldResourceEntry* entries;
    unsigned long count;
};
// Makes an instance handle for a resource table: what the loader does for a loaded module, and
// what a unit test does for module code linked directly.
HINSTANCE veldCreateModuleInstance(const char* name, const VeldResourceTable* resources);
const VeldResourceTable* veldModuleResources(HINSTANCE instance);

// The module's embedded resource table (generated from res/ into the module library).
extern "C" const VeldResourceTable* veldModuleResourceTable();
