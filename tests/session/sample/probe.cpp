// A DLL that does nothing: the DLL search tests look for where it is found.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
