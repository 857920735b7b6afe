#include "ui/app/AboutDlg.h"

#include <QPushButton>

#include "ui/app/AppIcon.h"
#include "ui/app/TemplateWidgets.h"

namespace qelvar {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    BuildTemplate(*this, AboutTemplate());
    setWindowIcon(AppIcon());
    auto* ok = findChild<QPushButton*>(ControlName(form_id::kOk));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qelvar
