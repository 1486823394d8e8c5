#pragma once

#include "framework/WinApp.h"

// The application: runs the main window once, then ends.
class CConverterApp : public CWinApp {
  public:
    CConverterApp() = default;
    BOOL InitInstance() override;
};
