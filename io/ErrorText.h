#pragma once
// The reason a file operation failed, in Chinese, for the desktop program's
// dialogs.

#include <string>

#include "io/AtomicFile.h"

namespace qelvar {

// UTF-8 text for the errno value `error`: Chinese for the failures a save
// meets in practice, the system's own (strerror) text for the rest.
std::string ChineseErrorText(int error);

// Why a file write failed: the rule that refused it, else as above.
std::string ChineseErrorText(const AtomicWriteResult& result);

}  // namespace qelvar
