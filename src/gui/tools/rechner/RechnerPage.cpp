#include "gui/tools/rechner/RechnerPage.h"

#include "gui/support/FocusColour.h"
#include "gui/support/WidgetStyle.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoRead.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const QColor kErrorColour(192, 0, 0);
const QColor kReadColour(0, 128, 0);
const char *const kStatusProperty = "quarvelStatus";

} // namespace

QString positionText(Geo::GeoPoint p)
{
    return Geo::formatDegreesMinutes(p);
}

RechnerPage::RechnerPage(QWidget *parent)
    : QWidget(parent)
{
}

void RechnerPage::setUnits(Geo::DistanceUnit distance, Geo::AngleUnit angle)
{
    m_distanceUnit = distance;
    m_angleUnit = angle;
    recompute();
}

void RechnerPage::setReference(Geo::GeoPoint reference)
{
    m_reference = reference;
    recompute();
}

void RechnerPage::recompute()
{
    clearResults();
    try {
        compute();
    } catch (const QuarvelError &error) {
        showResultError(error.message());
    } catch (const std::exception &error) {
        showResultError(QString::fromLocal8Bit(error.what()));
    }
}

QLineEdit *RechnerPage::addInput(QFormLayout *form, const QString &caption, const char *name,
                                 const QString &placeholder)
{
    auto *edit = named(new QLineEdit(this), name);
    edit->setPlaceholderText(placeholder);
    edit->setMinimumWidth(260);
    attachFocusColour(edit);
    auto *status = named(new QLabel(this), (QByteArray(name) + "Status").constData());
    status->setMinimumWidth(300);
    status->setWordWrap(true);
    edit->setProperty(kStatusProperty, QVariant::fromValue<QObject *>(status));
    auto *row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(status, 1);
    form->addRow(caption, row);
    connect(edit, &QLineEdit::textChanged, this, [this] { recompute(); });
    return edit;
}

QLineEdit *RechnerPage::addOutput(QFormLayout *form, const QString &caption, const char *name)
{
    auto *edit = named(new QLineEdit(this), name);
    edit->setReadOnly(true);
    setBold(edit);
    form->addRow(caption, edit);
    m_outputs.append(edit);
    return edit;
}

QLabel *RechnerPage::addResultMessage(QFormLayout *form, const char *name)
{
    m_resultMessage = named(new QLabel(this), name);
    m_resultMessage->setWordWrap(true);
    setTextColour(m_resultMessage, kErrorColour);
    form->addRow(QString(), m_resultMessage);
    return m_resultMessage;
}

QLabel *RechnerPage::statusOf(QLineEdit *edit) const
{
    return qobject_cast<QLabel *>(edit->property(kStatusProperty).value<QObject *>());
}

template<typename T, typename Read>
std::optional<T> RechnerPage::readField(QLineEdit *edit, Read read)
{
    QLabel *status = statusOf(edit);
    if (edit->text().trimmed().isEmpty()) {
        // Nothing typed yet is no mistake: the page simply has no result.
        status->clear();
        return std::nullopt;
    }
    try {
        auto [value, shown] = read(edit->text());
        status->setText(shown);
        setTextColour(status, kReadColour);
        return value;
    } catch (const QuarvelError &error) {
        status->setText(error.message());
        setTextColour(status, kErrorColour);
        return std::nullopt;
    }
}

std::optional<Geo::GeoPoint> RechnerPage::readPoint(QLineEdit *edit)
{
    return readField<Geo::GeoPoint>(edit, [this](const QString &text) {
        const Geo::GeoPoint p = Geo::readAnyPosition(text, std::nullopt, m_reference).point;
        return std::pair {p, QStringLiteral("gelesen: ") + positionText(p)};
    });
}

std::optional<double> RechnerPage::readDistance(QLineEdit *edit)
{
    return readField<double>(edit, [this](const QString &text) {
        const double metres = Geo::readDistance(text, m_distanceUnit);
        return std::pair {metres, QStringLiteral("gelesen: ") + distanceText(metres)};
    });
}

std::optional<double> RechnerPage::readBearing(QLineEdit *edit)
{
    return readField<double>(edit, [this](const QString &text) {
        const double degrees = Geo::readBearing(text, m_angleUnit);
        return std::pair {degrees, QStringLiteral("gelesen: ") + bearingText(degrees)};
    });
}

void RechnerPage::showResultError(const QString &message)
{
    for (QLineEdit *output : m_outputs)
        output->clear();
    if (m_resultMessage)
        m_resultMessage->setText(message);
}

void RechnerPage::clearResults()
{
    for (QLineEdit *output : m_outputs)
        output->clear();
    if (m_resultMessage)
        m_resultMessage->clear();
}

QString RechnerPage::distanceText(double metres) const
{
    return Geo::formatDistance(metres, m_distanceUnit);
}

QString RechnerPage::bearingText(double degrees) const
{
    return Geo::formatBearing(degrees, m_angleUnit);
}

QString RechnerPage::unitName() const
{
    return Geo::distanceUnitNames().at(int(m_distanceUnit));
}

QString RechnerPage::angleName() const
{
    return m_angleUnit == Geo::AngleUnit::Gon ? QStringLiteral("gon") : QStringLiteral("°");
}
