// The program's entry point; linked into the executable only, since test
// programs bring their own main.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) {
    return AfxWinMain(hInstance, nCmdShow);
}
