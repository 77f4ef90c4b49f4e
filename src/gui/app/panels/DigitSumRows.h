#pragma once

#include <QString>
#include <QStringList>

class QGridLayout;
class QLabel;
class QWidget;

// The result rows of a digit-sum chain: row k is a caption "k. Iteration:" named
// captionPrefix + k and a result named resultPrefix + k. Rows are found by these names; a
// chain longer than the rows that exist gets further rows below them.
class DigitSumRows
{
public:
    DigitSumRows(QWidget *owner, QGridLayout *grid, int firstGridRow, QString captionPrefix,
                 QString resultPrefix);

    QLabel *caption(int k);
    QLabel *result(int k);

    // Row 1 shows "0"; every further row shows "0" and is hidden.
    void reset();
    // Shows the sums from row 1 on; rows beyond them stay as reset() left them.
    void show(const QStringList &sums);

private:
    void ensureRow(int k);

    QWidget *m_owner;
    QGridLayout *m_grid;
    int m_firstGridRow;
    QString m_captionPrefix;
    QString m_resultPrefix;
    int m_rows = 0;
};
