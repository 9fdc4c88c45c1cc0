#pragma once

#include <QAbstractListModel>

class CardSet;

// The card list of a document window over its card set: one row per card
// position, captioned "Karte n", with the check mark of the card there.
// Rows follow the set's changes as they happen; no item objects are kept,
// so a set of any size costs nothing here.
class CardListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit CardListModel(CardSet &set, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    static constexpr int RowHeight = 16;

private:
    CardSet &m_set;
};
