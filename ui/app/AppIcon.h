#pragma once
// The application icon (resource 128), from the PNG sizes built into the
// program.

#include <QIcon>

namespace qelvar {

// The same shared icon on every call.
QIcon AppIcon();

}  // namespace qelvar
