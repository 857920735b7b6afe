#include "ui/library/RecordTableModel.h"

#include "form/FormLayout.h"

namespace qelvar {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

library::SortColumn SortOf(int column) {
    switch (column) {
        case RecordTableModel::kBirth:
            return library::SortColumn::Birth;
        case RecordTableModel::kPlace:
            return library::SortColumn::Place;
        case RecordTableModel::kGroup:
            return library::SortColumn::Group;
        default:
            return library::SortColumn::Name;
    }
}

// The birth as the form's lists name it: "1975-08-09 亥 (21-23) 子 (0-10)",
// "农历 2020-闰04-01 …", or the clock time with its zone and place.
QString BirthText(const library::TypedBirth& b) {
    if (b.kind == library::BirthKind::Clock) return Q(library::BirthSummary(b));
    QString date = Q(library::DateText(b.year, b.month, b.day));
    if (b.kind == library::BirthKind::Lunar) {
        if (b.leap) date.insert(5, RecordTableModel::tr("闰"));
        date = RecordTableModel::tr("农历 ") + date;
    }
    const auto entry = [](auto& list, int i) {
        return i >= 0 && i < static_cast<int>(list.size())
                   ? QString::fromUtf8(
                         list[static_cast<std::size_t>(i)].data(),
                         static_cast<qsizetype>(list[static_cast<std::size_t>(i)].size()))
                   : QString::number(i);
    };
    return date + ' ' + entry(kHourEntries, b.doubleHour) + ' ' +
           entry(kMinuteEntries, b.minuteSlot);
}

}  // namespace

RecordTableModel::RecordTableModel(library::Library& library, QObject* parent)
    : QAbstractTableModel(parent), m_library(library) {
    Reload();
}

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    const library::Record* r = RecordAt(index.row());
    if (!r || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    switch (index.column()) {
        case kName:
            return Q(r->name);
        case kSex:
            return r->male ? tr("男") : tr("女");
        case kBirth:
            return BirthText(r->birth);
        case kPlace:
            return r->birth.kind == library::BirthKind::Clock && r->birth.moment.place
                       ? Q(r->birth.moment.place->name)
                       : QString();
        case kGroup:
            return Q(r->group);
        case kTags: {
            QStringList tags;
            for (const std::string& t : r->tags) tags << Q(t);
            return tags.join(QStringLiteral("；"));
        }
        default:
            return {};
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* kTitles[] = {QT_TR_NOOP("姓名"),   QT_TR_NOOP("性别"), QT_TR_NOOP("出生"),
                                    QT_TR_NOOP("出生地"), QT_TR_NOOP("分组"), QT_TR_NOOP("标签")};
    return section >= 0 && section < kColumns ? tr(kTitles[section]) : QVariant();
}

bool RecordTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && static_cast<long>(m_rows.size()) < m_total;
}

void RecordTableModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    std::vector<library::Record> more =
        m_library.Find(m_query, static_cast<long>(m_rows.size()), kPage);
    if (more.empty()) {
        m_total = static_cast<long>(m_rows.size());  // another program removed some
        return;
    }
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows({}, first, first + static_cast<int>(more.size()) - 1);
    for (library::Record& r : more) m_rows.push_back(std::move(r));
    endInsertRows();
}

void RecordTableModel::sort(int column, Qt::SortOrder order) {
    m_query.sort = SortOf(column);
    m_query.descending = order == Qt::DescendingOrder;
    Reload();
}

void RecordTableModel::SetQuery(const library::Query& query) {
    m_query = query;
    Reload();
}

void RecordTableModel::Reload() {
    beginResetModel();
    m_rows.clear();
    m_total = m_library.Count(m_query);
    m_rows = m_library.Find(m_query, 0, kPage);
    endResetModel();
}

const library::Record* RecordTableModel::RecordAt(int row) const {
    return row >= 0 && row < static_cast<int>(m_rows.size())
               ? &m_rows[static_cast<std::size_t>(row)]
               : nullptr;
}

int RecordTableModel::RowOf(const std::string& id) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == id) return static_cast<int>(i);
    return -1;
}

}  // namespace qelvar
