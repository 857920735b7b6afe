#pragma once
// The application icon (resource 128), from the PNG sizes built into the
// program.

#include <QIcon>

namespace qelvar {

QIcon AppIcon();

}  // namespace qelvar
