#pragma once
// The dialog font of every window: "宋体" 9 pt, served on Linux by a
// Song/Ming-style CJK face that the program maps to that name.

#include <QFont>

#include "layout/DialogUnits.h"

class QWidget;

namespace qelvar {

// Maps "宋体" (and "SimSun") to the installed Song-style faces, makes the
// dialog font the application's font and the placeholder colour opaque (so
// the one-bit glyphs draw it grey).  Call after the application object
// exists; safe to call again.
void InstallSongFont();

// "宋体" 9 pt at the screen's logical resolution, rounded to whole pixels.
QFont DialogFont();

// Dialog base units of `font` (average character width, character height).
DialogBaseUnits BaseUnitsOf(const QFont& font);

}  // namespace qelvar
