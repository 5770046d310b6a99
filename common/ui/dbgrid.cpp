#include "dbgrid.h"

#include "guard.h"
#include "tablecache.h"

#include <QHeaderView>

namespace lx::ui {

DBGrid::DBGrid(TableCache *cache, const QList<CacheModel::Column> &columns, QWidget *parent)
    : QTableView(parent), m_model(new CacheModel(cache, columns, this))
{
    setModel(m_model);
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
                if (m_syncing || !current.isValid() || !this->cache()->isOpen())
                    return;
                if (current.row() == this->cache()->currentRow())
                    return;
                const bool moved =
                    guard(window(), [&] { this->cache()->setCurrentRow(current.row()); });
                if (!moved)
                    followCurrent();
            });
    connect(cache, &TableCache::currentRowChanged, this, [this] { followCurrent(); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { followCurrent(); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { emit rowDoubleClicked(index.row()); });
}

void DBGrid::setRowIndicator(bool on)
{
    m_model->setRowIndicator(on);
    verticalHeader()->setVisible(on);
}

void DBGrid::followCurrent()
{
    const int row = cache()->currentRow();
    m_syncing = true;
    if (row < 0) {
        selectionModel()->clear();
    } else {
        const QModelIndex idx = m_model->index(row, 0);
        selectionModel()->setCurrentIndex(
            idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(idx);
    }
    m_syncing = false;
}

} // namespace lx::ui
