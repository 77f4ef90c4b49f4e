#pragma once

#include <QAbstractTableModel>
#include <QByteArray>

// A file's bytes as a hex listing, sixteen to a row: offset, the bytes in hex, and the bytes as
// Latin-1 text with "." for what does not print. A row's text is made only when the view asks
// for it, so a 256 MB file costs no more than the bytes it already holds.
class HexModel : public QAbstractTableModel
{
public:
    enum Column { OffsetColumn, HexColumn, TextColumn, ColumnCount };
    static constexpr int kBytesPerRow = 16;

    explicit HexModel(QObject *parent = nullptr);

    void setBytes(const QByteArray &bytes);
    const QByteArray &bytes() const { return m_bytes; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The row's three columns as text, for the view and for copying.
    QString offsetText(int row) const;
    QString hexText(int row) const;
    QString latinText(int row) const;

private:
    QByteArray m_bytes;
};
