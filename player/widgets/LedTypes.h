#pragma once

// The enumerations of the LED lamp, in their stored order.

// Rim of the lamp picture.
enum class TBorder { brDefault, brRaised, brLowered };

// Shape of the lamp; each has four pictures (LampPictures.h).
enum class TLedType {
    ltDiamond,
    ltEllipsHrz,
    ltEllipsVrt,
    ltMoonLeft,
    ltMoonRight,
    ltParallelBck,
    ltParallelFwd,
    ltPentagon,  // a five-pointed star
    ltRound,
    ltRectangleHrz,
    ltRectangleVrt,
    ltSquare,
    ltTriangleDwn,
    ltTriangleLeft,
    ltTriangleRight,
    ltTriangleUp
};
