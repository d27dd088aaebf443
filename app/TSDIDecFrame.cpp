#include "app/TSDIDecFrame.h"

#include "view/TTamrinWindow.h"

TSDIDecFrame::TSDIDecFrame(platform::TWindow* parent, std::string_view title,
                           platform::TWindow* client, bool shrinkToClient)
    : TFrameWindow(parent, title, client ? client : new TTamrinWindow(nullptr, ""), shrinkToClient) {}

TSDIDecFrame::~TSDIDecFrame() = default;
