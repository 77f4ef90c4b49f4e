#pragma once

#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoPoint.h"

#include <QString>

// Reads a position in any notation a cacher pastes:
// - degrees, degrees and minutes, degrees, minutes and seconds, with or without the signs
//   ° ' " (also ′ ″), the hemisphere letters N/S and E/W/O before or after the numbers, or a
//   minus sign instead of S and W: "N 52° 31.250 E 013° 24.713", "52°31'15"N 13°24'43"E";
// - decimal pairs "52.52083, 13.41188" and "52,52083 13,41188" (decimal commas are taken as
//   such when the text holds no decimal point);
// - UTM "33U 392010 5820073" (zone and latitude band, then easting and northing, optionally
//   marked E and N), MGRS "33U UU 92010 20073", Gauß-Krüger "R 4595937 H 5821794" and Swiss
//   LV95 "2600000 1200000" (apostrophes as thousands marks allowed).
// A latitude beyond ±90°, a longitude beyond ±180°, minutes or seconds of 60 or more are
// refused, never wrapped around: a typo must not turn into a plausible wrong point. Every
// failure throws QuarvelError with a German message saying what is wrong.
namespace Geo {

GeoPoint readPosition(const QString &text);

// Reads a position in any format the calculator writes, recognised by its shape: a "+" makes a
// Plus Code, two letters A-R with digit pairs and letter pairs a Maidenhead locator, three
// numbers ECEF, two numbers in the RD range ("155000 463000") Dutch RD, then every notation of
// readPosition; what none of them reads but fits the geohash alphabet is a geohash. Where a text
// fits two formats ("jn18eu" is a locator and a geohash) `format` decides. A short Plus Code is
// recovered from `reference`. Cell codes stand for their cell's centre.
struct ReadPosition
{
    GeoPoint point;
    Format format = Format::Wgs84;
};
ReadPosition readAnyPosition(const QString &text, std::optional<Format> format = std::nullopt,
                             GeoPoint reference = {});

} // namespace Geo
