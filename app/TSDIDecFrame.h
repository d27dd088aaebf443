#pragma once
// The main window: a frame whose client is the text view.

#include "platform/FrameWindow.h"

class TSDIDecFrame : public platform::TFrameWindow {
public:
  // Without a client, the frame makes a new text view and uses that.
  TSDIDecFrame(platform::TWindow* parent, std::string_view title, platform::TWindow* client,
               bool shrinkToClient);
  ~TSDIDecFrame() override;
};
