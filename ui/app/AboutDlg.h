#pragma once
// CAboutDlg: the About box (template 100).  OK, Esc and the close box close it.

#include <QDialog>

namespace qelvar {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace qelvar
