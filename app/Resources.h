#pragma once
// The program's resources: the main menu, the accelerator table, the two icons, and
// through the subsystems' own resource files the dialog templates.

#include "platform/Resources.h"

// Adds every resource of the program to `module`; the application object does it
// before it makes a window. Adding them twice is harmless.
void AddProgramResources(platform::TModule& module);
