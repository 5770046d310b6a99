#include "ui/dbgrid.h"

#include "db/tablecache.h"
#include "ui/datasource.h"
#include "ui/guard.h"

#include <QHeaderView>

namespace lx::ui {

DBGrid::DBGrid(TableCache *cache, const QList<CacheModel::Column> &columns, QWidget *parent)
    : QTableView(parent), m_model(new CacheModel(cache, columns, this))
{
    // The view moves its own current index while rows go away; only the user moves the
    // cache's current row. Counted before the view hears of a change, released after.
    auto begin = [this] { ++m_modelChanging; };
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, begin);
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, begin);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, begin);
    setModel(m_model);
    auto end = [this] {
        --m_modelChanging;
        followCurrent();
    };
    connect(m_model, &QAbstractItemModel::rowsInserted, this, end);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, end);
    connect(m_model, &QAbstractItemModel::modelReset, this, end);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(false);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_syncing || m_modelChanging > 0 || !current.isValid() ||
                    !this->cache()->isOpen())
                    return;
                if (current.row() == this->cache()->currentRow())
                    return;
                const bool moved =
                    guard(window(), [&] { this->cache()->setCurrentRow(current.row()); });
                if (!moved)
                    followCurrent();
            });
    connect(cache, &TableCache::currentRowChanged, this, [this] { followCurrent(); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { emit rowDoubleClicked(index.row()); });
    followCurrent();
}

DBGrid::DBGrid(DataSource *source, const QList<CacheModel::Column> &columns, QWidget *parent)
    : DBGrid(source->cache(), columns, parent)
{}

void DBGrid::setRowIndicator(bool on)
{
    m_model->setRowIndicator(on);
    verticalHeader()->setVisible(on);
}

void DBGrid::followCurrent()
{
    if (m_modelChanging > 0)
        return;
    const int row = cache()->currentRow();
    m_syncing = true;
    if (row < 0) {
        selectionModel()->clear();
    } else {
        const QModelIndex idx = m_model->index(row, 0);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        scrollTo(idx);
    }
    m_syncing = false;
}

} // namespace lx::ui
