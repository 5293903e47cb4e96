// The simulator's outputs: a text summary, a CSV of every position and an SVG top view.
#pragma once

#include <cstdio>
#include <string>

#include "tools/sim/ShotRun.h"

// A few lines: the shot, frames to rest, the fastest balls, off-table and NaN findings.
void PrintSummary(FILE* out, const ShotSettings& settings, const SimShotResult& result);

// "frame,time_s,ball,x_m,y_m,z_m", one row per ball per recorded frame. Both
// writers answer "" on success, else a message naming the file and the problem.
std::string WriteCsv(const std::string& path, const SimShotResult& result);

// The table from above (x to the right, y up the page), each ball's path, its
// start and its resting place with its number.
std::string WriteSvg(const std::string& path, const SimShotResult& result);
