#include "gui/app/panels/DigitSumRows.h"

#include "gui/support/ResultLabel.h"

#include <QGridLayout>
#include <QLabel>

DigitSumRows::DigitSumRows(QWidget *owner, QGridLayout *grid, int firstGridRow,
                           QString captionPrefix, QString resultPrefix)
    : m_owner(owner)
    , m_grid(grid)
    , m_firstGridRow(firstGridRow)
    , m_captionPrefix(std::move(captionPrefix))
    , m_resultPrefix(std::move(resultPrefix))
{
    ensureRow(3);
    reset();
}

QLabel *DigitSumRows::caption(int k)
{
    ensureRow(k);
    return m_owner->findChild<QLabel *>(m_captionPrefix + QString::number(k));
}

QLabel *DigitSumRows::result(int k)
{
    ensureRow(k);
    return m_owner->findChild<QLabel *>(m_resultPrefix + QString::number(k));
}

void DigitSumRows::reset()
{
    for (int k = 1; k <= m_rows; ++k) {
        result(k)->setText(QStringLiteral("0"));
        caption(k)->setVisible(k == 1);
        result(k)->setVisible(k == 1);
    }
}

void DigitSumRows::show(const QStringList &sums)
{
    for (int k = 1; k <= sums.size(); ++k) {
        caption(k)->setVisible(true);
        result(k)->setVisible(true);
        result(k)->setText(sums.at(k - 1));
    }
}

void DigitSumRows::ensureRow(int k)
{
    while (m_rows < k) {
        ++m_rows;
        auto *caption = new QLabel(QStringLiteral("%1. Iteration:").arg(m_rows), m_owner);
        caption->setObjectName(m_captionPrefix + QString::number(m_rows));
        auto *result = new QLabel(QStringLiteral("0"), m_owner);
        result->setObjectName(m_resultPrefix + QString::number(m_rows));
        ResultLabel::makeCopyable(result);
        const int gridRow = m_firstGridRow + m_rows - 1;
        m_grid->addWidget(caption, gridRow, 0);
        m_grid->addWidget(result, gridRow, 1);
        if (m_rows > 1) {
            caption->hide();
            result->hide();
        }
    }
}
