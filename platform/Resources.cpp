// The module's resources: menus, accelerator tables, icons and dialog templates by id.

#include "platform/Resources.h"

#include <map>

#include "platform/DialogTemplate.h"

namespace platform {

namespace {

struct TModuleTables {
  std::map<int, const TMenuResource*> Menus;
  std::map<int, const TAcceleratorTable*> Accelerators;
  std::map<int, const TIconResource*> Icons;
  std::map<int, const TDialogTemplate*> Dialogs;
};

TModuleTables& Tables() {
  static TModuleTables tables;
  return tables;
}

template <class T>
const T* FindIn(const std::map<int, const T*>& map, int id) {
  const auto found = map.find(id);
  return found == map.end() ? nullptr : found->second;
}

}  // namespace

void TModule::Add(const TMenuResource& menu) { Tables().Menus[menu.Id] = &menu; }
void TModule::Add(const TAcceleratorTable& accelerators) {
  Tables().Accelerators[accelerators.Id] = &accelerators;
}
void TModule::Add(const TIconResource& icon) { Tables().Icons[icon.Id] = &icon; }
void TModule::Add(const TDialogTemplate& dialog) { Tables().Dialogs[dialog.Id] = &dialog; }
const TMenuResource* TModule::FindMenu(int id) const { return FindIn(Tables().Menus, id); }
const TAcceleratorTable* TModule::FindAccelerators(int id) const {
  return FindIn(Tables().Accelerators, id);
}
const TIconResource* TModule::FindIcon(int id) const { return FindIn(Tables().Icons, id); }
const TDialogTemplate* TModule::FindDialog(int id) const { return FindIn(Tables().Dialogs, id); }

TModule& DefaultModule() {
  static TModule module;
  return module;
}

}  // namespace platform
