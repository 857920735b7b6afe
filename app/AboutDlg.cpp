#include "app/AboutDlg.h"

#include <QPushButton>

#include "app/AppIcon.h"
#include "app/TemplateWidgets.h"

namespace qelvar {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    BuildTemplate(*this, AboutTemplate());
    setWindowIcon(AppIcon());
    auto* ok = findChild<QPushButton*>(ControlName(form_id::kOk));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qelvar
