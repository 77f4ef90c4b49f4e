#pragma once

#include "logic/geo/GeoPoint.h"

// The areas where the national grids are given: a grid reference of a place outside its country
// would be a plausible number for a place the grid was never made for. The outlines follow the
// borders to within a few kilometres and take in the coastal waters; a place right on a border
// may fall on either side.
namespace Geo {

bool insideGermany(GeoPoint p);
bool insideSwitzerlandOrLiechtenstein(GeoPoint p);
bool insideNetherlands(GeoPoint p);

} // namespace Geo
