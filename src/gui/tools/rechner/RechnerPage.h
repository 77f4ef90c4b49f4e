#pragma once

#include "logic/geo/GeoPoint.h"
#include "logic/geo/GeoUnits.h"
#include "logic/map/MapShapes.h"

#include <QWidget>

#include <optional>

class QFormLayout;
class QLabel;
class QLineEdit;

// One page of the coordinate calculator. Every change of an input recomputes the page at
// once; a field that cannot be read shows its German message in the label beside it, and a
// computation without a result (no intersection, say) shows its message below the results.
// Nothing leaves a page as an exception and no message box opens.
class RechnerPage : public QWidget
{
public:
    explicit RechnerPage(QWidget *parent = nullptr);

    void setUnits(Geo::DistanceUnit distance, Geo::AngleUnit angle);
    // The point short Plus Codes are recovered near (the home coordinates).
    void setReference(Geo::GeoPoint reference);
    // Runs the page's computation with every failure shown in place.
    void recompute();
    // The page's inputs and results for the map: every field that holds a position becomes a
    // point; pages with lines or circles add them as geodesics.
    virtual void addToMap(Map::Layer &layer);

protected:
    virtual void compute() = 0;

    // Input rows: the caption, the field and its status label, added to `form`.
    QLineEdit *addInput(QFormLayout *form, const QString &caption, const char *name,
                        const QString &placeholder);
    // A read-only result field the user can select and copy from.
    QLineEdit *addOutput(QFormLayout *form, const QString &caption, const char *name);
    QLabel *addResultMessage(QFormLayout *form, const char *name);

    std::optional<Geo::GeoPoint> readPoint(QLineEdit *edit);
    std::optional<double> readDistance(QLineEdit *edit);
    std::optional<double> readBearing(QLineEdit *edit);
    void showResultError(const QString &message);
    void clearResults();
    QString distanceText(double metres) const;
    QString bearingText(double degrees) const;
    QString unitName() const;
    QString angleName() const;
    // The position a field holds, read without touching its status label.
    static std::optional<Geo::GeoPoint> positionIn(const QLineEdit *edit);

    Geo::DistanceUnit m_distanceUnit = Geo::DistanceUnit::Metre;
    Geo::AngleUnit m_angleUnit = Geo::AngleUnit::Degree;
    Geo::GeoPoint m_reference;
    QList<QLineEdit *> m_outputs;
    QLabel *m_resultMessage = nullptr;

private:
    QLabel *statusOf(QLineEdit *edit) const;
    template<typename T, typename Read> std::optional<T> readField(QLineEdit *edit, Read read);
};

// A position as the results show it: degrees and minutes, the notation of cache listings.
QString positionText(Geo::GeoPoint p);
