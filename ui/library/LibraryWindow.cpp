#include "ui/library/LibraryWindow.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "io/AtomicFile.h"
#include "library/RecordBirth.h"
#include "library/RecordFormats.h"
#include "moment/MomentText.h"
#include "ui/app/AppSettings.h"
#include "ui/chart/ZiWeiDlg.h"
#include "ui/form/LocalDate.h"
#include "ui/library/RecordTableModel.h"

namespace qelvar {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QPointer<LibraryWindow> g_window;

}  // namespace

library::Library* AppLibrary(QWidget* parent) {
    static std::unique_ptr<library::Library> opened;
    if (opened) return opened.get();
    const std::string path = library::DefaultLibraryPath();
    library::Library::Opened o = library::Library::Open(path);
    if (o.error == library::OpenError::Damaged) {
        const auto answer = QMessageBox::warning(
            parent, LibraryWindow::tr("命例库已损坏"),
            LibraryWindow::tr("命例库文件已损坏，无法读取：\n%"
                              "1\n\n是否将它移到一旁（保留原文件）并新建一个空的命例库？")
                .arg(Q(path)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes) return nullptr;
        const std::string aside = library::MoveAside(path);
        if (aside.empty()) {
            QMessageBox::warning(parent, LibraryWindow::tr("命例库"),
                                 LibraryWindow::tr("无法移动文件：\n%1").arg(Q(path)));
            return nullptr;
        }
        o = library::Library::Open(path);
    }
    if (!o.library) {
        QMessageBox::warning(parent, LibraryWindow::tr("命例库"),
                             LibraryWindow::tr("无法打开命例库：\n%1").arg(Q(o.message)));
        return nullptr;
    }
    opened = std::move(o.library);
    return opened.get();
}

CZiWeiDlg* OpenRecordChart(const library::Record& record, QWidget* parent) {
    const library::RecordCast cast = library::CastRecord(record);
    if (!cast.ok()) {
        QMessageBox::warning(
            parent, LibraryWindow::tr("斗数排盘"),
            LibraryWindow::tr("%1：无法排盘（%2）").arg(Q(record.name), Q(cast.error)));
        return nullptr;
    }
    // A child of `parent`, so that the form's modality does not block it.
    auto* chart = new CZiWeiDlg(*cast.built, LocalToday(), parent, record.conventions);
    chart->setAttribute(Qt::WA_DeleteOnClose);
    chart->setModal(false);
    std::string caption = "姓名 " + record.name;
    if (cast.resolution)
        caption += "  " + DescribeResolution(record.birth.moment, *cast.resolution);
    chart->SetMomentText(caption);
    chart->SetTitle(Q(record.name) + LibraryWindow::tr(" - 斗数排盘"));
    // 存入命例库: the record keeps the conventions the chart shows now
    // (设置 may have changed them since it opened).
    chart->SetSaveToLibrary([id = record.id](CZiWeiDlg& shown) {
        library::Library* lib = AppLibrary(&shown);
        if (!lib) return;
        std::optional<library::Record> stored = lib->Get(id);
        if (!stored) {
            QMessageBox::warning(&shown, LibraryWindow::tr("存入命例库"),
                                 LibraryWindow::tr("这个命例已不在命例库中。"));
            return;
        }
        if (stored->conventions == shown.Conventions()) {
            QMessageBox::information(&shown, LibraryWindow::tr("存入命例库"),
                                     LibraryWindow::tr("这个命例已在命例库中。"));
            return;
        }
        stored->conventions = shown.Conventions();
        if (auto o = lib->Update(*stored); !o.ok) {
            QMessageBox::warning(&shown, LibraryWindow::tr("存入命例库"), Q(o.error));
            return;
        }
        if (LibraryWindow* window = LibraryWindow::Instance()) window->RecordChanged(id);
    });
    chart->show();
    return chart;
}

LibraryWindow::LibraryWindow(library::Library& library, EditRecord edit, QWidget* parent)
    : QWidget(parent, Qt::Window), m_library(library), m_edit(std::move(edit)) {
    setWindowTitle(tr("命例库"));
    setObjectName(QStringLiteral("libraryWindow"));
    m_model = new RecordTableModel(library, this);

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(tr("搜索：姓名、备注、标签或日期的任一部分"));
    m_search->setClearButtonEnabled(true);
    m_count = new QLabel(this);

    m_groups = new QTreeWidget(this);
    m_groups->setHeaderLabel(tr("分组"));
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSortingEnabled(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(RecordTableModel::kName, 110);
    m_table->setColumnWidth(RecordTableModel::kSex, 40);
    m_table->setColumnWidth(RecordTableModel::kBirth, 230);

    auto* split = new QSplitter(this);
    split->addWidget(m_groups);
    split->addWidget(m_table);
    split->setStretchFactor(1, 1);
    split->setSizes({140, 560});

    auto button = [this](const char* text, const char* name, void (LibraryWindow::*slot)()) {
        auto* b = new QPushButton(tr(text), this);
        b->setObjectName(QString::fromUtf8(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(QT_TR_NOOP("排盘"), "open", &LibraryWindow::OpenSelected));
    buttons->addWidget(button(QT_TR_NOOP("编辑"), "edit", &LibraryWindow::EditSelected));
    buttons->addWidget(button(QT_TR_NOOP("复制"), "duplicate", &LibraryWindow::DuplicateSelected));
    buttons->addWidget(button(QT_TR_NOOP("删除"), "delete", &LibraryWindow::DeleteSelected));
    m_undo = button(QT_TR_NOOP("撤销删除"), "undo", &LibraryWindow::UndoDelete);
    m_undo->setEnabled(false);
    buttons->addWidget(m_undo);
    buttons->addStretch();
    buttons->addWidget(button(QT_TR_NOOP("导入..."), "import", &LibraryWindow::Import));
    buttons->addWidget(button(QT_TR_NOOP("导出..."), "export", &LibraryWindow::Export));

    auto* top = new QHBoxLayout;
    top->addWidget(m_search, 1);
    top->addWidget(m_count);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    // Search as the user types, a moment after the last key.
    auto* typing = new QTimer(this);
    typing->setSingleShot(true);
    typing->setInterval(120);
    connect(m_search, &QLineEdit::textChanged, typing, qOverload<>(&QTimer::start));
    connect(typing, &QTimer::timeout, this, &LibraryWindow::Search);
    connect(m_groups, &QTreeWidget::currentItemChanged, this, &LibraryWindow::Search);
    connect(m_table, &QTableView::doubleClicked, this, &LibraryWindow::OpenSelected);
    connect(m_model, &QAbstractItemModel::modelReset, this, &LibraryWindow::UpdateButtons);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &LibraryWindow::UpdateButtons);

    FillGroups();
    QSettings& s = AppSettings();
    const int sortColumn = s.value(QStringLiteral("library/sortColumn"), 0).toInt();
    const auto order = s.value(QStringLiteral("library/sortDescending"), false).toBool()
                           ? Qt::DescendingOrder
                           : Qt::AscendingOrder;
    m_table->sortByColumn(sortColumn, order);
    m_search->setText(s.value(QStringLiteral("library/search")).toString());
    Search();
    resize(820, 520);
    RestoreGeometry(*this, QStringLiteral("library"));
}

LibraryWindow::~LibraryWindow() = default;

LibraryWindow* LibraryWindow::Show(library::Library& library, EditRecord edit, QWidget* parent,
                                   QWidget* over) {
    if (!g_window) g_window = new LibraryWindow(library, std::move(edit), parent);
    if (over && g_window->parentWidget() != over) {
        g_window->setParent(over, g_window->windowFlags());
        if (auto* dialog = qobject_cast<QDialog*>(over))
            connect(
                dialog, &QDialog::finished, g_window,
                [home = QPointer<QWidget>(parent)] {
                    if (!g_window || !home) return;
                    g_window->setParent(home, g_window->windowFlags());
                    g_window->show();
                },
                Qt::SingleShotConnection);
    }
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

LibraryWindow* LibraryWindow::Instance() {
    return g_window;
}

void LibraryWindow::closeEvent(QCloseEvent* event) {
    QSettings& s = AppSettings();
    s.setValue(QStringLiteral("library/search"), m_search->text());
    s.setValue(QStringLiteral("library/sortColumn"),
               m_table->horizontalHeader()->sortIndicatorSection());
    s.setValue(QStringLiteral("library/sortDescending"),
               m_table->horizontalHeader()->sortIndicatorOrder() == Qt::DescendingOrder);
    SaveGeometry(*this, QStringLiteral("library"));
    s.sync();
    QWidget::closeEvent(event);
}

void LibraryWindow::Search() {
    library::Query q = m_model->Query();
    q.text = m_search->text().toStdString();
    const QTreeWidgetItem* item = m_groups->currentItem();
    q.group = item ? item->data(0, Qt::UserRole).toString().toStdString() : std::string();
    m_model->SetQuery(q);
}

void LibraryWindow::FillGroups() {
    const QString current =
        m_groups->currentItem() ? m_groups->currentItem()->data(0, Qt::UserRole).toString() : "";
    const QSignalBlocker block(m_groups);
    m_groups->clear();
    auto* all = new QTreeWidgetItem(m_groups, {tr("全部")});
    all->setData(0, Qt::UserRole, QString());
    QTreeWidgetItem* select = all;
    for (const library::Library::GroupNode& g : m_library.Groups()) {
        auto* top = new QTreeWidgetItem(m_groups, {Q(g.name)});
        top->setData(0, Qt::UserRole, Q(g.name));
        if (Q(g.name) == current) select = top;
        for (const std::string& child : g.children) {
            auto* sub = new QTreeWidgetItem(top, {Q(child)});
            sub->setData(0, Qt::UserRole, Q(g.name + "/" + child));
            if (sub->data(0, Qt::UserRole).toString() == current) select = sub;
        }
    }
    m_groups->expandAll();
    m_groups->setCurrentItem(select);
}

void LibraryWindow::Refresh() {
    FillGroups();
    m_model->Reload();
}

void LibraryWindow::UpdateButtons() {
    m_count->setText(tr("%1 条").arg(m_model->Total()));
    m_undo->setEnabled(!m_deleted.empty());
}

std::vector<library::Record> LibraryWindow::Selected() const {
    std::vector<library::Record> out;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        if (const library::Record* r = m_model->RecordAt(index.row())) out.push_back(*r);
    return out;
}

std::vector<CZiWeiDlg*> LibraryWindow::OpenCharts() const {
    std::vector<CZiWeiDlg*> out;
    for (const OpenChartWindow& c : m_charts)
        if (c.window) out.push_back(c.window);
    return out;
}

void LibraryWindow::OpenChart(const library::Record& record, const QRect* geometry) {
    std::erase_if(m_charts, [](const OpenChartWindow& c) { return c.window.isNull(); });
    CZiWeiDlg* chart = OpenRecordChart(record, this);
    if (!chart) return;
    if (geometry) {
        chart->setGeometry(*geometry);
    } else if (!m_charts.empty() && m_charts.back().window) {
        // Beside the last one, so that both can be seen.
        const QRect last = m_charts.back().window->frameGeometry();
        chart->move(last.topRight() + QPoint(8, 0));
    }
    m_charts.push_back({record.id, chart});
}

void LibraryWindow::OpenSelected() {
    for (const library::Record& r : Selected()) OpenChart(r);
}

void LibraryWindow::EditSelected() {
    const auto selected = Selected();
    if (!selected.empty() && m_edit) m_edit(selected.front());
}

void LibraryWindow::DuplicateSelected() {
    for (library::Record r : Selected()) {
        r.id.clear();
        r.created = r.modified = 0;
        r.name += "（副本）";
        if (auto o = m_library.Add(r); !o.ok) QMessageBox::warning(this, tr("命例库"), Q(o.error));
    }
    Refresh();
}

void LibraryWindow::DeleteSelected() {
    for (const library::Record& r : Selected()) {
        if (auto o = m_library.Remove(r.id); !o.ok) {
            QMessageBox::warning(this, tr("命例库"), Q(o.error));
            continue;
        }
        m_deleted.push_back(r);
    }
    Refresh();
}

void LibraryWindow::UndoDelete() {
    if (m_deleted.empty()) return;
    library::Record r = m_deleted.back();
    m_deleted.pop_back();
    if (auto o = m_library.Add(r); !o.ok) QMessageBox::warning(this, tr("命例库"), Q(o.error));
    Refresh();
}

void LibraryWindow::RecordChanged(const std::string& id) {
    Refresh();
    const auto record = m_library.Get(id);
    std::vector<QRect> places;
    for (OpenChartWindow& c : m_charts) {
        if (c.id != id || !c.window) continue;
        places.push_back(c.window->geometry());
        c.window->close();
    }
    // A closed window is deleted later: its entry goes now.
    std::erase_if(m_charts, [&id](const OpenChartWindow& c) { return c.id == id; });
    if (!record) return;
    for (const QRect& g : places) OpenChart(*record, &g);
}

void LibraryWindow::Import() {
    const QString file = QFileDialog::getOpenFileName(this, tr("导入命例"), QString(),
                                                      tr("命例文件 (*.json *.csv)"));
    if (file.isEmpty()) return;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, tr("导入"), tr("无法读取 %1：%2").arg(file, f.errorString()));
        return;
    }
    const QByteArray bytes = f.readAll();
    library::ReadRecords read = library::ReadLibraryFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!read.ok()) {
        QMessageBox::warning(this, tr("导入"), tr("%1 无法导入：%2").arg(file, Q(read.error)));
        return;
    }
    library::ImportReport preview;
    if (auto o = m_library.Import(read.records, library::DuplicatePolicy::Skip, preview, true);
        !o.ok) {
        QMessageBox::warning(this, tr("导入"), Q(o.error));
        return;
    }
    QMessageBox ask(QMessageBox::Question, tr("导入"),
                    tr("%1 中有 %2 条命例：新的 %3 条，与库中重复（同名同生辰）%4 条。")
                        .arg(file)
                        .arg(read.records.size())
                        .arg(preview.added)
                        .arg(preview.skipped),
                    QMessageBox::Cancel, this);
    QPushButton* skip = ask.addButton(tr("导入，跳过重复"), QMessageBox::AcceptRole);
    QPushButton* merge = ask.addButton(tr("导入，合并重复"), QMessageBox::AcceptRole);
    ask.exec();
    if (ask.clickedButton() != skip && ask.clickedButton() != merge) return;
    library::ImportReport report;
    const auto policy = ask.clickedButton() == merge ? library::DuplicatePolicy::Merge
                                                     : library::DuplicatePolicy::Skip;
    if (auto o = m_library.Import(read.records, policy, report); !o.ok) {
        QMessageBox::warning(this, tr("导入"), tr("未导入任何命例：%1").arg(Q(o.error)));
        return;
    }
    Refresh();
}

void LibraryWindow::Export() {
    QString format;
    const QString file =
        QFileDialog::getSaveFileName(this, tr("导出命例"), tr("命例库.json"),
                                     QStringLiteral("JSON (*.json);;CSV (*.csv)"), &format);
    if (file.isEmpty()) return;
    std::vector<library::Record> records = Selected();
    if (!records.empty()) {
        QMessageBox ask(QMessageBox::Question, tr("导出"),
                        tr("导出选中的 %1 条，还是整个命例库？").arg(records.size()),
                        QMessageBox::Cancel, this);
        QPushButton* chosen = ask.addButton(tr("选中的"), QMessageBox::AcceptRole);
        QPushButton* all = ask.addButton(tr("全部"), QMessageBox::AcceptRole);
        ask.exec();
        if (ask.clickedButton() == all)
            records.clear();
        else if (ask.clickedButton() != chosen)
            return;
    }
    if (records.empty()) records = m_library.Find({});
    const bool csv = file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ||
                     (format.startsWith(QStringLiteral("CSV")) &&
                      !file.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive));
    const std::string bytes =
        csv ? library::LibraryCsv(records, true) : library::LibraryJson(records);
    const auto written = WriteFileAtomically(file.toStdString(),
                                             std::as_bytes(std::span(bytes.data(), bytes.size())));
    if (!written.ok)
        QMessageBox::warning(this, tr("导出"), tr("无法写入 %1：%2").arg(file, Q(written.message)));
}

}  // namespace qelvar
