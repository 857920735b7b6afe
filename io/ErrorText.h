#pragma once
// The reason a file operation failed, in Chinese, for the desktop program's
// dialogs.

#include <string>

namespace qelvar {

// UTF-8 text for the errno value `error`: Chinese for the failures a save
// meets in practice, the system's own (strerror) text for the rest.
std::string ChineseErrorText(int error);

}  // namespace qelvar
