// Placeholder dialogs until they are built.
#include "directory/dialogs.h"

int ShowMessage(const std::string&, const std::string&, unsigned) { return kIdOk; }
std::string ShowOpenFileDialog(const std::string&, const std::string&, const std::string&, int) {
  return {};
}
