#pragma once
// The program's command, control and resource ids, shared by the resources and the
// event tables.

#include "platform/Commands.h"

inline constexpr int IDM_MAIN = 100;            // menu resource
inline constexpr int IDA_MAIN = 100;            // accelerator resource
inline constexpr int IDI_QUORVEL = 1;           // main window icon, also in the about box
inline constexpr int IDI_SECOND = 2;            // the about box's second icon

inline constexpr int IDB_FIND = 10;             // the view's Find button
inline constexpr int IDB_EXIT = 11;             // the view's Exit button

inline constexpr int CM_FONT = 11842;           // File, Font (also Ctrl+F)
inline constexpr int CM_FIND = 11843;           // Find, Find
inline constexpr int CM_INTRODUCTION = 11844;   // Help, Introduction
inline constexpr int CM_LINESPACING = 11845;    // File, Line Spacing
inline constexpr int CM_ABOUT = 2009;           // Help, About
inline constexpr int CM_EXIT = platform::CmExit;  // File, Exit: the application's own command

inline constexpr unsigned LOAD_TIMER_ID = 1;    // the start-up timer
inline constexpr unsigned LOAD_TIMER_PERIOD_MS = 100;
