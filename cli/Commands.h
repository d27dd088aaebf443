#pragma once

#include <span>
// The subcommands of vesk. Each takes the arguments after the subcommand's name
// (argv[0] is the first of them, argc may be 0) and returns the exit code.

// Exit codes of every subcommand.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFailure = 1;  // a file could not be opened, read or written
inline constexpr int ExitUsage = 2;    // the command line was wrong

// vesk build [TEXT [IMAGE]]
int RunBuildCommand(int argc, char** argv);
// vesk lines [IMAGE]
int RunLinesCommand(int argc, char** argv);
// vesk search [-i] [--table] PHRASE [IMAGE]
int RunSearchCommand(int argc, char** argv);
// vesk settings [-f FILE] [DataPath|LineSpace VALUE]
int RunSettingsCommand(int argc, char** argv);

// Shared by the subcommands: the file names they default to, in the working directory.
inline constexpr const char* DefaultTextPath = "VESK.TXT";
inline constexpr const char* DefaultImagePath = "VESK.BIN";

// Prints "vesk: <subject>: <reason>" on stderr.
void PrintError(const char* subject, const char* reason);

// An option of a subcommand: a flag such as -i sets `Set`; an option with a value,
// such as -f FILE, takes the next argument into `Value`.
struct TFlagOption {
  const char* Name = nullptr;
  bool* Set = nullptr;
  const char** Value = nullptr;
};

// Collects the operands of a subcommand: every argument that is not an option, where
// "--" ends the options. Sets `help` for -h or --help and the flag of each option in
// `flags` that is given. Returns the number of operands collected; prints an error and
// returns -1 for an unknown option or more than `maxOperands` operands. With
// `optionsFirst`, the first operand also ends the options, so that a later operand may
// begin with '-' (a negative number).
int CollectOperands(int argc, char** argv, int maxOperands, const char* operands[], bool& help,
                    std::span<const TFlagOption> flags = {}, bool optionsFirst = false);

// The image file at `path` as the reader would load it, viewed rather than read: only
// the slots that a listing or a scan can reach are brought in. Null, after naming the
// file and the reason, when it cannot be opened (or is not a regular file). A file that
// opens but does not hold the whole image is used as far as it goes, and one warning
// line on stderr says so. A file cut short by another program while it is viewed ends
// vesk with a message and exit code 1.
class TTextImage;
const TTextImage* LoadImageFile(const char* path);

// Writes all of stdout that is still buffered; prints the reason and returns false
// when that fails.
bool FinishOutput();
