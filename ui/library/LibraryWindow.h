#pragma once
// The 命例库 window: a searchable list of the library's records (read a page
// at a time), the group tree beside it, and the buttons that open a record's
// chart, fill the form with it, duplicate, delete (undone until the program
// closes), import and export.  Charts opened from here are windows of their
// own, any number side by side.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/Library.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTreeWidget;

namespace qelvar {

class CZiWeiDlg;
class RecordTableModel;

// The program's library, opened at first use: $QELVAR_LIBRARY, else
// $XDG_DATA_HOME/qelvar/library.sqlite.  A damaged file is reported with
// its path and, when the user agrees, moved aside and a new library
// started; null when the library cannot be used.
library::Library* AppLibrary(QWidget* parent);

// A chart window of its own (not modal) for a record; null (with a message)
// when the record does not cast.
CZiWeiDlg* OpenRecordChart(const library::Record& record, QWidget* parent);

class LibraryWindow : public QWidget {
    Q_OBJECT
public:
    // Fills the form with a record to edit it.
    using EditRecord = std::function<void(const library::Record&)>;

    LibraryWindow(library::Library& library, EditRecord edit, QWidget* parent = nullptr);
    ~LibraryWindow() override;

    // The one window of the program (created on first use) shown and raised;
    // a child of `parent` (the form), which the form's modality lets through.
    // With `over` (a modal chart window), it is that window's child until
    // the chart closes, so that the chart's modality lets it through too.
    static LibraryWindow* Show(library::Library& library, EditRecord edit, QWidget* parent,
                               QWidget* over = nullptr);
    static LibraryWindow* Instance();

    RecordTableModel& Model() const { return *m_model; }
    QLineEdit* SearchField() const { return m_search; }
    QTableView* Table() const { return m_table; }
    // The charts this window has opened that are still open.
    std::vector<CZiWeiDlg*> OpenCharts() const;

    // A record was added or changed elsewhere (the form): the list is read
    // again and the record's open charts are cast again.
    void RecordChanged(const std::string& id);

public slots:
    void OpenSelected();
    void EditSelected();
    void DuplicateSelected();
    void DeleteSelected();
    void UndoDelete();
    void Import();
    void Export();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Search();
    void FillGroups();
    void Refresh();
    void UpdateButtons();
    std::vector<library::Record> Selected() const;
    void OpenChart(const library::Record& record, const QRect* geometry = nullptr);

    library::Library& m_library;
    EditRecord m_edit;
    RecordTableModel* m_model = nullptr;
    QLineEdit* m_search = nullptr;
    QTreeWidget* m_groups = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_undo = nullptr;
    std::vector<library::Record> m_deleted;  // newest last
    struct OpenChartWindow {
        std::string id;
        QPointer<CZiWeiDlg> window;
    };
    std::vector<OpenChartWindow> m_charts;
};

}  // namespace qelvar
