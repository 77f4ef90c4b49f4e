// The scale bar's text at the change from metres to kilometres.
#include "logic/map/TileMath.h"

#include <gtest/gtest.h>

using namespace Map;

TEST(ScaleBar, ExactlyAThousandMetresReadsOneKilometre)
{
    const double latitude = 52.5;
    const int zoom = 12;
    const double perPixel = metresPerPixel(latitude, zoom);
    const struct
    {
        double room; // metres the bar may span
        double metres;
        const char *text;
    } cases[] = {
        {999.0, 500, "500 m"},  {1000.5, 1000, "1 km"}, {1999.0, 1000, "1 km"},
        {2000.5, 2000, "2 km"}, {99.0, 50, "50 m"},     {100.5, 100, "100 m"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ScaleBar bar = scaleBar(latitude, zoom, c.room / perPixel);
        EXPECT_EQ(bar.metres, c.metres);
        EXPECT_EQ(bar.text, QString::fromLatin1(c.text));
    }
}
