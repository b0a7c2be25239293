#pragma once

#include <string>

/*
===============================================================================
Spot: a named viewpoint of a land. Position in metres (z is an absolute
height); orientation and wind direction in radians, wind speed in m/s. The
wind is what the scene applies when the user switches to the spot.
===============================================================================
*/
struct Spot {
    std::string name;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float orientation = 0.0f;
    float windSpeed = 0.0f;
    float windDirection = 0.0f;
};
