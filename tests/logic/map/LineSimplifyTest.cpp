#include "logic/map/LineSimplify.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using Map::simplifyLine;

TEST(LineSimplify, APointAtTheToleranceStaysAndOneWithinGoes)
{
    // A bend of height h in the middle of a straight line of length 10.
    const struct
    {
        const char *what;
        double height;
        double tolerance;
        size_t kept;
    } cases[] = {
        {"bend above the tolerance", 1.01, 1.0, 3},
        {"bend at the tolerance", 1.0, 1.0, 2},
        {"bend below the tolerance", 0.99, 1.0, 2},
        {"no tolerance keeps everything", 0.01, 0.0, 3},
        {"negative tolerance keeps everything", 0.01, -1.0, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<QPointF> line {{0, 0}, {5, c.height}, {10, 0}};
        const std::vector<QPointF> kept = simplifyLine(line, c.tolerance);
        EXPECT_EQ(kept.size(), c.kept);
        EXPECT_EQ(kept.front(), line.front());
        EXPECT_EQ(kept.back(), line.back());
    }
}

TEST(LineSimplify, ShortLinesAndClosePointsKeepTheirEnds)
{
    const struct
    {
        const char *what;
        std::vector<QPointF> line;
        size_t kept;
    } cases[] = {
        {"empty", {}, 0},
        {"one point", {{1, 1}}, 1},
        {"two points closer than the tolerance", {{0, 0}, {0.1, 0}}, 2},
        {"a cluster between two ends", {{0, 0}, {0.1, 0.1}, {0.2, -0.1}, {0.3, 0}, {9, 9}}, 2},
        {"a closed ring", {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<QPointF> kept = simplifyLine(c.line, 0.5);
        ASSERT_EQ(kept.size(), c.kept);
        if (!kept.empty()) {
            EXPECT_EQ(kept.front(), c.line.front());
            EXPECT_EQ(kept.back(), c.line.back());
        }
    }
}

// A wiggly track of a hundred thousand points: far fewer points, none moved, and no point of
// the original farther than twice the tolerance from the simplified line.
TEST(LineSimplify, ALongTrackShrinksAndStaysClose)
{
    std::vector<QPointF> track;
    for (int i = 0; i < 100000; ++i)
        track.push_back({i * 0.01, std::sin(i * 0.001) * 50 + std::sin(i * 0.7) * 0.05});
    const double tolerance = 0.5;
    const std::vector<QPointF> kept = simplifyLine(track, tolerance);
    EXPECT_LT(kept.size(), track.size() / 100);
    // The kept points are a subsequence of the track; each original point lies between two.
    size_t segment = 0;
    for (const QPointF &p : track) {
        if (segment + 1 < kept.size() && p == kept[segment + 1]) {
            ++segment;
            continue;
        }
        ASSERT_LT(segment + 1, kept.size());
        const QPointF a = kept[segment], b = kept[segment + 1];
        const QPointF ab = b - a;
        const double t =
            std::clamp(QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab), 0.0, 1.0);
        const QPointF d = p - (a + t * ab);
        ASSERT_LE(std::hypot(d.x(), d.y()), 2 * tolerance) << p.x();
    }
}
