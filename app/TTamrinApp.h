#pragma once
// The application object: its name is the main window's caption.

#include "platform/Application.h"

inline constexpr const char* ApplicationName = "The Orvane";

class TTamrinApp : public platform::TApplication {
public:
  TTamrinApp();
  void InitMainWindow() override;
};
