#include "ui/app/Tovrin.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QTreeView>
#include <cstring>

#include "ui/capture/CatchScreenDlg.h"
#include "ui/form/LocalDate.h"
#include "ui/form/TovrinDlg.h"

namespace qelvar {

CTovrinApp* CTovrinApp::s_instance = nullptr;

BirthData& TheBirthData() {
    static BirthData birth;
    return birth;
}

namespace {

// Texts Qt's zh_CN catalogue (Debian's qt6-translations-l10n 6.4) leaves
// in English: the type column of the file dialog.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        struct Text {
            const char* context;
            const char* source;
            const char* chinese;
        };
        static constexpr Text kTexts[] = {
            {"QAbstractFileIconProvider", "Folder", "文件夹"},
            {"QAbstractFileIconProvider", "File Folder", "文件夹"},
            {"QAbstractFileIconProvider", "Drive", "驱动器"},
            {"QAbstractFileIconProvider", "Unknown", "未知"},
            {"QAbstractFileIconProvider", "Alias", "别名"},
            {"QAbstractFileIconProvider", "Shortcut", "快捷方式"},
        };
        for (const Text& t : kTexts) {
            if (std::strcmp(context, t.context) == 0 && std::strcmp(source, t.source) == 0)
                return QString::fromUtf8(t.chinese);
        }
        return {};
    }
};

// A file dialog's sizes and dates written in the program's Chinese locale,
// not in the system's (which may be English or "C").
class ChineseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr ||
            (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == 3)
            return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        return files->isDir(file) ? QString() : QLocale().formattedDataSize(files->size(file));
    }
};

// Every file dialog the program opens: Chinese sizes and dates, and columns
// wide enough for a size ("1023.99 MiB"), a type and a date beside their
// headers.
class FileDialogColumns : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QFileDialog*>(watched)) {
                if (dialog->proxyModel() == nullptr)
                    dialog->setProxyModel(new ChineseFileColumns(dialog));
                Widen(*dialog);
            }
        }
        return false;
    }

private:
    static void Widen(QFileDialog& dialog) {
        auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        if (tree == nullptr) return;
        const QFontMetrics metrics = tree->fontMetrics();
        const QLocale locale;
        const QStringList samples{
            {},
            locale.formattedDataSize(qint64(1023.99 * 1024 * 1024)),
            QStringLiteral("Windows BMP 图像"),  // the longest type the dialogs list
            locale.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59)), QLocale::ShortFormat),
        };
        QHeaderView* header = tree->header();
        for (int column = 1; column < header->count() && column < samples.size(); ++column) {
            const QString title = tree->model()
                                      ? tree->model()->headerData(column, Qt::Horizontal).toString()
                                      : QString();
            const int wanted = std::max(metrics.horizontalAdvance(samples[column]),
                                        metrics.horizontalAdvance(title)) +
                               3 * metrics.averageCharWidth();
            if (header->sectionSize(column) < wanted) header->resizeSection(column, wanted);
        }
    }
};

}  // namespace

void InstallChineseTranslations() {
    auto* app = QCoreApplication::instance();
    if (app == nullptr) return;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));  // calendar pop-up, sizes
    // "qt_zh_CN" names the catalogues of every Qt module installed (qtbase
    // holds Core, Gui, Widgets, PrintSupport and DBus; Svg has no texts).
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* qt = new QTranslator(app);
    if (qt->load(QStringLiteral("qt_zh_CN"), folder) ||
        qt->load(QStringLiteral("qtbase_zh_CN"), folder))
        QCoreApplication::installTranslator(qt);
    QCoreApplication::installTranslator(new MissingQtTexts(app));  // asked first
    app->installEventFilter(new FileDialogColumns(app));
}

CTovrinApp::CTovrinApp() {
    s_instance = this;
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
}

CTovrinApp::~CTovrinApp() {
    if (s_instance == this) s_instance = nullptr;
}

int CTovrinApp::InitInstance() {
    CTovrinDlg form(TheBirthData(), LocalToday());
    form.exec();
    return 0;  // whatever the form's result, the program ends with it
}

bool CTovrinApp::IsCaptureTarget(const QObject* watched) const {
    for (const QObject* o = watched; o != nullptr; o = o->parent()) {
        if (o == m_hwndCapture.data()) return true;
    }
    return false;
}

bool CTovrinApp::eventFilter(QObject* watched, QEvent* event) {
    if (!m_hwndCapture.isNull() && event->type() == QEvent::KeyPress && IsCaptureTarget(watched)) {
        CCatchScreenDlg::OfferKeyPress(m_hwndCapture.data(), watched, event);
    }
    return QObject::eventFilter(watched, event);  // the key always goes on
}

}  // namespace qelvar
