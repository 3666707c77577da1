// The lake at night, as a scene the paint procedures can sample: the full picture of
// Paint_lake_night, and the view through the window of Paint_room.
#pragma once

#include "paint_kit.h"

// The colour of the night-lake scene at sub-pixel point (x, y) of its 640x480 frame, before any
// dithering. Points outside the frame continue the scene sensibly (sky above, water below).
Rgb Night_lake_scene(double x, double y);
