// The entry point of a program built on the framework: it lives in a library
// of its own so that test programs, which have a main of their own, can link
// the framework without it.
#include "framework/app.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, lpCmdLine, nCmdShow);
}
