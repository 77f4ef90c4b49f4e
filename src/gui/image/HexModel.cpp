#include "gui/image/HexModel.h"

HexModel::HexModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void HexModel::setBytes(const QByteArray &bytes)
{
    beginResetModel();
    m_bytes = bytes;
    endResetModel();
}

int HexModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    // 256 MB are 16.8 million rows: well inside int.
    return int((m_bytes.size() + kBytesPerRow - 1) / kBytesPerRow);
}

int HexModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString HexModel::offsetText(int row) const
{
    return QStringLiteral("%1").arg(qint64(row) * kBytesPerRow, 8, 16, QLatin1Char('0')).toUpper();
}

QString HexModel::hexText(int row) const
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const qint64 start = qint64(row) * kBytesPerRow;
    const qint64 end = qMin<qint64>(start + kBytesPerRow, m_bytes.size());
    QString text;
    text.reserve(kBytesPerRow * 3 + 1);
    for (qint64 i = start; i < end; ++i) {
        const auto byte = uchar(m_bytes[i]);
        if (i > start)
            text += (i - start == kBytesPerRow / 2) ? QStringLiteral("  ") : QStringLiteral(" ");
        text += QChar(kDigits[byte >> 4]);
        text += QChar(kDigits[byte & 15]);
    }
    return text;
}

QString HexModel::latinText(int row) const
{
    const qint64 start = qint64(row) * kBytesPerRow;
    const qint64 end = qMin<qint64>(start + kBytesPerRow, m_bytes.size());
    QString text;
    text.reserve(kBytesPerRow);
    for (qint64 i = start; i < end; ++i) {
        const auto byte = uchar(m_bytes[i]);
        // No-break space and soft hyphen would look like a blank or nothing: dots like controls.
        const bool prints = (byte >= 0x20 && byte < 0x7F) || (byte > 0xA0 && byte != 0xAD);
        text += prints ? QChar(byte) : QChar(u'.');
    }
    return text;
}

QVariant HexModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case OffsetColumn:
        return offsetText(index.row());
    case HexColumn:
        return hexText(index.row());
    case TextColumn:
        return latinText(index.row());
    default:
        return {};
    }
}

QVariant HexModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case OffsetColumn:
        return QStringLiteral("Offset");
    case HexColumn:
        return QStringLiteral("Hex");
    case TextColumn:
        return QStringLiteral("Text");
    default:
        return {};
    }
}
