// Saving the captured selection: the save dialog, the BMP file at the
// screen's depth, and the message when the file cannot be written.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>

#include "io/ErrorText.h"
#include "ui/capture/CatchScreenDlg.h"

namespace qelvar {

namespace {

CCatchScreenDlg::SaveHooks& Hooks() {
    static CCatchScreenDlg::SaveHooks hooks;
    return hooks;
}

// Where the save dialog opens: the user's Pictures folder, or the home
// folder when there is none.
QString SaveFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

// The name the dialog suggests: 截图-20261207-120501.bmp, local time.
QString SuggestedName() {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QCoreApplication::translate("qelvar::CCatchScreenDlg", "截图-%1.bmp").arg(stamp);
}

// The save dialog: BMP files or any file, ".bmp" added to a bare name, and
// a question before an existing file is replaced.  It belongs to the capture
// window so that it opens above the full-screen cover.
QString ChooseSaveFile(QWidget* parent) {
    if (Hooks().chooseFile) return Hooks().chooseFile(parent);
    QFileDialog dialog(parent, QCoreApplication::translate("qelvar::CCatchScreenDlg", "另存为"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(
        {QCoreApplication::translate("qelvar::CCatchScreenDlg", "BMP 图像 (*.bmp)"),
         QCoreApplication::translate("qelvar::CCatchScreenDlg", "所有文件 (*)")});
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDirectory(SaveFolder());
    dialog.selectFile(SuggestedName());
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

void WarnSaveFailed(QWidget* parent, const QString& file, const QString& reason) {
    if (Hooks().warn) return Hooks().warn(parent, file, reason);
    QMessageBox::warning(
        parent, QCoreApplication::translate("qelvar::CCatchScreenDlg", "保存失败"),
        QCoreApplication::translate("qelvar::CCatchScreenDlg", "无法保存文件 %1\n%2")
            .arg(file, reason));
}

}  // namespace

void CCatchScreenDlg::SetSaveHooks(SaveHooks hooks) {
    Hooks() = std::move(hooks);
}

void CCatchScreenDlg::SaveSelection(const QImage& image) {
    // Until a file is written or the user gives up by cancelling the dialog.
    for (;;) {
        const QString path = ChooseSaveFile(this);
        if (path.isEmpty()) return;
        const AtomicWriteResult result = WriteBmpFile(image, path);
        if (result.ok) return;
        WarnSaveFailed(this, path, QString::fromStdString(ChineseErrorText(result)));
    }
}

AtomicWriteResult CCatchScreenDlg::WriteBmpFile(const QImage& image, const QString& path) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int depth = BmpDepthForScreen(screen ? screen->depth() : 32);
    const QImage rgb =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(rgb.constBits());
    const int stride = static_cast<int>(rgb.bytesPerLine() / 4);
    const ArgbImageView view{
        {pixels, static_cast<std::size_t>(stride) * static_cast<std::size_t>(rgb.height())},
        rgb.width(),
        rgb.height(),
        stride};
    return qelvar::WriteBmpFile(view, depth, QFile::encodeName(path).toStdString());
}

}  // namespace qelvar
