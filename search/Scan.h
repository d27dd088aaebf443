#pragma once
// The scan that OK runs in the search dialog: it reads every line of the text image
// once, lists each find in the dialog's list box and records it in the find table.
// The scan is a pure core: the dialog, vesk and the tests give it a host that supplies
// the edit control, the check box, the list box, the message boxes and the message
// processing, so that all of them run the one algorithm.

#include <cstddef>

#include "search/SearchState.h"
#include "textstore/TextImage.h"

// The scan's messages, shown in modal message boxes owned by the search dialog.
inline constexpr char IncompletePhraseText[] = "You have not entered a Phrase to be searched for!";
inline constexpr char IncompletePhraseCaption[] = "Incomplete Answer";  // exclamation icon
inline constexpr char TooManyFindsText[] = "Too many finds!  Please try a more specific search-phrase!";
inline constexpr char TooManyFindsCaption[] = "Too Vague";  // no icon

// The entries that the scan appends besides the find and line entries.
inline constexpr char SpacerEntry[] = " ";
inline constexpr char NoMatchesEntry[] = "                 No Matches Found for this Phrase";
inline constexpr int NoMatchSpacerCount = 10;

// The current section title holds at most 80 characters; a longer one is cut.
inline constexpr std::size_t TitleBufferSize = 81;
// The joined text: two whole slots, the joining blank and a NUL.
inline constexpr std::size_t JoinedTextSize = 2 * SlotSize + 2;

// What the scan needs of the search dialog, in the order in which it uses it.
class TScanHost {
public:
  virtual ~TScanHost() = default;
  // The edit control's text: at most size - 1 characters and a NUL.
  virtual void ReadPhrase(char* buffer, std::size_t size) = 0;
  // The state of the Ignore Case box.
  virtual bool IgnoreCaseChecked() = 0;
  virtual void ClearList() = 0;
  virtual void AppendToList(const char* entry) = 0;
  // A modal message box owned by the dialog, with an OK button and, when `exclamation`
  // is set, the exclamation-mark icon.
  virtual void ShowMessage(const char* text, const char* caption, bool exclamation) = 0;
  // Handles every waiting window message and returns. It may run RunScan again, when
  // OK is pressed while the list fills.
  virtual void ProcessMessages() = 0;
};

// The scan of OK. It stores the typed phrase in SearchPhrase and refuses one without an
// ASCII letter or digit; otherwise it stores IgnoreCase and FoldedPhrase, clears the list
// and visits every line index from 0 up to and including ImageLineCount, listing and
// recording each find (find numbers 1 to 499). The line index is ScanLineIndex and the
// count FindCount, both shared, so that a scan started from inside ProcessMessages resets
// them and the interrupted scan then leaves its loop at once. The 500th find shows the
// "Too Vague" message and ends the scan: it is neither listed nor recorded.
void RunScan(TScanHost& host, const TTextImage& image);

// Adds one to `findCount` when it is below 499 and returns true; otherwise shows the
// "Too Vague" message, leaves it at 499 and returns false.
bool CountFind(int& findCount, TScanHost& host);
