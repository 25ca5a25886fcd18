#include <gtest/gtest.h>

#include "units/vornMath.h"

namespace {
const fixed O = 0;
fixed deg(int angleUnits) {
    return itofix(angleUnits);
}
// fixatan is table-based: allow a little rounding in whole angle units.
::testing::AssertionResult nearAngle(fixed actual, int expectedUnits, double tolerance = 0.05) {
    double diff = fixtof(actual) - expectedUnits;
    if (diff < tolerance && diff > -tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "angle " << fixtof(actual) << " is not " << expectedUnits;
}
} // namespace

TEST(Compass, CalcAngleFollowsTheScreenCompass) {
    EXPECT_EQ(calcAngle(O, O, itofix(10), O, deg(5)), deg(64));      // right
    EXPECT_EQ(calcAngle(O, O, itofix(-10), O, deg(5)), deg(192));    // left
    EXPECT_TRUE(nearAngle(calcAngle(O, O, O, itofix(-10), 0), 0));   // up
    EXPECT_TRUE(nearAngle(calcAngle(O, O, O, itofix(10), 0), -128)); // down, not normalised
    EXPECT_TRUE(nearAngle(calcAngle(O, O, itofix(10), itofix(10), 0), -160));
    EXPECT_TRUE(nearAngle(calcAngle(O, O, itofix(-10), itofix(10), 0), -96));
    EXPECT_TRUE(nearAngle(calcAngle(O, O, itofix(10), itofix(-10), 0), 32));
}

TEST(Compass, CalcAngleReturnsTheFallbackExactlyForCoincidentPoints) {
    EXPECT_EQ(calcAngle(itofix(3), itofix(4), itofix(3), itofix(4), deg(77)), deg(77));
    EXPECT_EQ(calcAngle(O, O, O, O, deg(-999)), deg(-999));
    EXPECT_EQ(calcAngle(O, O, O, O, 12345), 12345);
}

TEST(Compass, CalcAngleSaturatesForNearlyLevelPoints) {
    // |dx/dy| beyond the range of fixed: the arctangent gives the +-64 limit.
    // A target far to the right and a hair below: -192, the same direction as 64.
    EXPECT_TRUE(nearAngle(calcAngle(O, O, itofix(20000), 1, 0), -192, 1.0));
    EXPECT_TRUE(nearAngle(calcAngle(O, O, itofix(20000), -1, 0), 64, 1.0));
}

TEST(Compass, PointsAtTheTwoEndsOfTheRangeAreFarApartNotClose) {
    // Units outside an arena without walls drift to the ends of the range of fixed; a difference
    // taken there must not wrap round to a few pixels.
    const fixed east = 0x7FFF0000, west = -0x7FFF0000;
    EXPECT_GT(calcDist(west, O, east, O), itofix(32000));
    EXPECT_GT(calcDist(O, east, O, west), itofix(32000));
    EXPECT_TRUE(nearAngle(calcAngle(west, O, east, O, 0), 64, 1.0));   // east lies to the right
    EXPECT_TRUE(nearAngle(calcAngle(O, west, O, east, 0), -128, 1.0)); // and below
}

TEST(Compass, MovingAlongCalcAngleReachesTheTarget) {
    // The compass rule: x += r sin(a), y -= r cos(a).
    const int targets[][2] = {{30, -40}, {-25, 60}, {70, 5}, {-3, -90}, {50, 50}};
    for (const auto& t : targets) {
        fixed a = calcAngle(O, O, itofix(t[0]), itofix(t[1]), 0);
        fixed r = calcDist(O, O, itofix(t[0]), itofix(t[1]));
        // fixatan and fixsin are tables: about half an angle unit of error, 1.2 % of r.
        double tolerance = 0.3 + fixtof(r) * 0.015;
        EXPECT_NEAR(fixtof(fixmul(r, fixsin(a))), t[0], tolerance) << t[0] << "," << t[1];
        EXPECT_NEAR(fixtof(-fixmul(r, fixcos(a))), t[1], tolerance) << t[0] << "," << t[1];
    }
}

TEST(Distance, IsSymmetricAndExactOnAxes) {
    EXPECT_EQ(calcDist(O, O, itofix(3), itofix(4)), itofix(5));
    EXPECT_EQ(calcDist(itofix(3), itofix(4), O, O), itofix(5));
    EXPECT_EQ(calcDist(itofix(-7), O, itofix(5), O), itofix(12));
    EXPECT_EQ(calcDist(itofix(2), itofix(2), itofix(2), itofix(2)), 0);
}

TEST(AngleDist, TakesTheShortWayAcrossZero) {
    EXPECT_EQ(angleDist(deg(10), deg(250)), deg(16));
    EXPECT_EQ(angleDist(deg(250), deg(10)), deg(-16));
    EXPECT_EQ(angleDist(deg(-10), deg(10)), deg(-20));
    EXPECT_EQ(angleDist(deg(600), deg(70)), deg(18)); // 600 is 88
}

TEST(AngleDist, OppositeDirectionsFollowTheTieRule) {
    EXPECT_EQ(angleDist(0, deg(128)), deg(128));  // d1 = -128 ties d2 = +128: d2 wins
    EXPECT_EQ(angleDist(deg(128), 0), deg(-128)); // d1 = +128 ties d3 = -128: d3 wins
    EXPECT_EQ(angleDist(deg(64), deg(192)), deg(128));
    EXPECT_EQ(angleDist(deg(256), 0), 0); // 256 stays 256; d3 = 0 wins
}

TEST(AngleDist, StaysWithinHalfATurnForAnyInputs) {
    for (int a = -600; a <= 600; a += 37)
        for (int b = -600; b <= 600; b += 41) {
            fixed d = angleDist(deg(a), deg(b));
            ASSERT_LE(d, deg(128));
            ASSERT_GE(d, deg(-128));
            // b turned by d points where a points.
            fixed back = normalizeAngle(deg(b) + d) - normalizeAngle(deg(a));
            ASSERT_TRUE(back == 0 || back == deg(256) || back == deg(-256)) << a << " " << b;
        }
}

TEST(NormalizeAngle, KeepsBothEndsOfTheRange) {
    EXPECT_EQ(normalizeAngle(deg(-1)), deg(255));
    EXPECT_EQ(normalizeAngle(0), 0);
    EXPECT_EQ(normalizeAngle(deg(256)), deg(256));
    EXPECT_EQ(normalizeAngle(deg(512)), deg(256));
    EXPECT_EQ(normalizeAngle(deg(513)), deg(1));
    EXPECT_EQ(normalizeAngle(deg(-256)), 0);
    EXPECT_EQ(normalizeAngle(-1), deg(256) - 1); // one raw step below zero
}

TEST(Fixabs, IsTheAbsoluteValue) {
    EXPECT_EQ(fixabs(itofix(-3)), itofix(3));
    EXPECT_EQ(fixabs(itofix(3)), itofix(3));
    EXPECT_EQ(fixabs(0), 0);
}
