#pragma once
// The window system for test programs: starts it once per process, on Qt's offscreen
// platform unless QT_QPA_PLATFORM says otherwise, with the fonts the program uses.

namespace platform::testing {

class TestApplication {
public:
  TestApplication(int& argc, char** argv);
  ~TestApplication();
};

}  // namespace platform::testing
