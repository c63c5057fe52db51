// The information window (window class "TInfoForm"): program name, version,
// maker, language choice, homepage and e-mail links. Modal over its owner.
#pragma once
#include <windows.h>

void ShowInfoWindow(HWND owner);
