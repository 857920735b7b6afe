#pragma once
// Builds the widgets of a dialog template: one widget per control, named by
// its identifier ("1001"; labels and frames without identifier get "static"),
// placed at its rectangle converted from dialog units with the base units of
// the dialog font.

#include <QString>

#include "form/FormLayout.h"

class QDialog;
class QWidget;

namespace qelvar {

QString ControlName(int id);

// Sets the dialog's font, caption and fixed client size and creates every
// control in tab order.  Returns the base units used.
DialogBaseUnits BuildTemplate(QDialog& dialog, const DialogTemplate& layout);

// Writes the caption and the controls' texts of a dialog BuildTemplate made
// again, in the language of the translations installed now; places and
// sizes stay.
void RetranslateTemplate(QDialog& dialog, const DialogTemplate& layout);

}  // namespace qelvar
