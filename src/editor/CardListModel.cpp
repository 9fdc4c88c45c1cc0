#include "editor/CardListModel.h"

#include "cardset/CardSet.h"

#include <QSize>

CardListModel::CardListModel(CardSet &set, QObject *parent)
    : QAbstractListModel(parent)
    , m_set(set)
{
    connect(&set, &CardSet::cardsAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&set, &CardSet::cardsReset, this, [this] { endResetModel(); });
    connect(&set, &CardSet::cardAboutToBeInserted, this, [this](int row) { beginInsertRows(QModelIndex(), row, row); });
    connect(&set, &CardSet::cardInserted, this, [this] { endInsertRows(); });
    // Rows are positions, captioned by them: when a card goes, the last
    // caption goes, and the rows from the card on show the cards after it.
    connect(&set, &CardSet::cardAboutToBeRemoved, this, [this] { beginRemoveRows(QModelIndex(), rowCount() - 1, rowCount() - 1); });
    connect(&set, &CardSet::cardRemoved, this, [this](int row) {
        endRemoveRows();
        if (row < rowCount())
            emit dataChanged(index(row), index(rowCount() - 1), {Qt::CheckStateRole});
    });
    connect(&set, &CardSet::cardMoved, this,
            [this](int from, int to) { emit dataChanged(index(std::min(from, to)), index(std::max(from, to)), {Qt::CheckStateRole}); });
    connect(&set, &CardSet::marksChanged, this,
            [this](int first, int last) { emit dataChanged(index(first), index(last), {Qt::CheckStateRole}); });
}

int CardListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_set.count();
}

QVariant CardListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_set.isValidIndex(index.row()))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return CardSet::cardCaption(index.row());
    case Qt::CheckStateRole: return m_set.marked(index.row()) ? Qt::Checked : Qt::Unchecked;
    case Qt::SizeHintRole: return QSize(0, RowHeight);
    default: return QVariant();
    }
}

bool CardListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || !m_set.isValidIndex(index.row()))
        return false;
    // The marks choose cards for printing and export: no change of the set.
    m_set.setMarked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags CardListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}
