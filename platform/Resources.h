#pragma once
// Resources as data tables: menus, accelerator tables and icons. Each subsystem keeps
// its resources in a resource file of its own and adds them to the module at start-up;
// windows then name them by id, as the program's resource script did.

#include <array>
#include <span>

#include "platform/Colour.h"

namespace platform {

struct TDialogTemplate;

// One item of a pop-up menu. A null Text is a separator. In Text, '&' marks the
// mnemonic and a tab separates the item's text from its key label.
struct TMenuItem {
  const char* Text;
  int CommandId;
};

struct TMenuPopup {
  const char* Text;
  std::span<const TMenuItem> Items;
};

// A menu bar of pop-up menus.
struct TMenuResource {
  int Id;
  std::span<const TMenuPopup> Popups;
};

namespace KeyModifier {
inline constexpr unsigned None = 0;
inline constexpr unsigned Control = 1;
inline constexpr unsigned Alt = 2;
inline constexpr unsigned Shift = 4;
}  // namespace KeyModifier

// Keys by their virtual-key meaning: letters and digits by their capital ASCII code.
enum class TKey : int {
  Tab = 9,
  Enter = 13,
  Escape = 27,
  F4 = 0x73,
  A = 'A', F = 'F',
};

struct TAccelerator {
  TKey Key;
  unsigned Modifiers;
  int CommandId;
};

struct TAcceleratorTable {
  int Id;
  std::span<const TAccelerator> Keys;
};

// A 32 x 32 picture in 16 colours: each row is 32 hexadecimal digits, one a pixel,
// each an index into Palette.
struct TIconResource {
  int Id = 0;
  std::array<TColor, 16> Palette{};
  std::array<const char*, 32> Rows{};
};

// The resources of the program, found by id.
class TModule {
public:
  void Add(const TMenuResource& menu);
  void Add(const TAcceleratorTable& accelerators);
  void Add(const TIconResource& icon);
  void Add(const TDialogTemplate& dialog);

  // Null when nothing of that kind has the id.
  const TMenuResource* FindMenu(int id) const;
  const TAcceleratorTable* FindAccelerators(int id) const;
  const TIconResource* FindIcon(int id) const;
  const TDialogTemplate* FindDialog(int id) const;
};

// The one module of the program.
TModule& DefaultModule();

}  // namespace platform
