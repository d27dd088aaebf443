#pragma once
// The application object: its name is the main window's caption.

#include "platform/Application.h"

inline constexpr const char* ApplicationName = "The Orvane";

class TTamrinApp : public platform::TApplication {
public:
  TTamrinApp();
  void InitMainWindow() override;

protected:
  // The frame's client. Null lets the frame make the reader's text view; a program built
  // on the reader (its start-up benchmark) gives a view of its own.
  virtual platform::TWindow* MakeView() { return nullptr; }
};
