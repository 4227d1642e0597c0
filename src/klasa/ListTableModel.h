#pragma once
#include "ClassSession.h"

#include <QAbstractTableModel>

namespace klasa {

// The list as read, one column per list column: a tick per row making a
// page (unticked rows are skipped) and editable cells; every change goes to the session
// and edited() lets the window make the pages again.
class ListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListTableModel(ClassSession &session, QObject *parent = nullptr)
        : QAbstractTableModel(parent), session_(session)
    {}
    void reload()
    {
        beginResetModel();
        endResetModel();
    }
    // The ticks follow the pages just made.
    void pagesMade()
    {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    }
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : session_.rowCount(); }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : session_.columnCount();
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return session_.cell(index.row(), index.column());
        if (role == Qt::CheckStateRole && index.column() == 0)
            return session_.rowMakesPage(index.row()) ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return session_.columnTitle(section);
        const int line = session_.rowLine(section);
        return line > 0 ? QVariant(line) : QVariant(section + 1);
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags; // the root, or a row of an earlier list
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
        if (index.column() == 0)
            f |= Qt::ItemIsUserCheckable;
        return f;
    }
    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (!index.isValid())
            return false;
        if (role == Qt::CheckStateRole && index.column() == 0)
            session_.setRowTicked(index.row(), value.toInt() == Qt::Checked);
        else if (role == Qt::EditRole)
            session_.setCell(index.row(), index.column(), value.toString());
        else
            return false;
        emit dataChanged(index, index);
        emit edited();
        return true;
    }

signals:
    // A tick or a cell was changed by the user.
    void edited();

private:
    ClassSession &session_;
};

} // namespace klasa
