#pragma once
// The library's records as a table that reads them a page at a time: the
// view asks for more rows as it scrolls (canFetchMore / fetchMore), so a
// library of any size opens at once.

#include <QAbstractTableModel>
#include <vector>

#include "library/Library.h"

namespace qelvar {

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPage = 200;
    enum Column { kName, kSex, kBirth, kPlace, kGroup, kTags, kColumns };

    explicit RecordTableModel(library::Library& library, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    void sort(int column, Qt::SortOrder order) override;

    // A new search or group: the rows are read again from the first.
    void SetQuery(const library::Query& query);
    const library::Query& Query() const { return m_query; }
    // Reads the rows again (after a change to the library).
    void Reload();
    // All the records that match, however many are loaded.
    long Total() const { return m_total; }
    const library::Record* RecordAt(int row) const;
    // The row of the record with this id among those loaded, or -1.
    int RowOf(const std::string& id) const;

private:
    library::Library& m_library;
    library::Query m_query;
    std::vector<library::Record> m_rows;
    long m_total = 0;
};

}  // namespace qelvar
