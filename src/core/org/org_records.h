#pragma once

// Every record the line-survey conversion writes to an ORG file, as a printf
// template. A record is its template followed by a line feed; the handlers
// only choose the values. "-%.4f" writes a minus sign before the value as
// printed, so a negative value gets two. Codes read N=AA+BB with
// N = AA (base 2) * 8192 + BB.
namespace linvara::org {

// 0 - centre-line stake: name, mileage, elevation
inline constexpr char kStake[] = "0,%s,0.0000,%.4f,%.4f,96=00+96,0.0000,0.0000";
// 6 - stake marker: name
inline constexpr char kStakeMarker[] = "6,%s,1.5000,65001,0.0000";
// q - turning angle: name [, left angle | right angle as magnitude]
inline constexpr char kTurnNone[] = "q,%s,0.0000,0.0000";
inline constexpr char kTurnLeft[] = "q,%s,%.4f,0.0000";
inline constexpr char kTurnRight[] = "q,%s,0.0000,%.4f";

// b - point: point; offset; mileage; elevation; code; reference; 0; last field
inline constexpr char kPointCoded[] = "b,%s,%.4f,%.4f,%.4f,%d=00+%d,0,0,11";
inline constexpr char kPointLabel[] = "b,%s,%.4f,%.4f,%.4f,13=00+13,0,0,0";
inline constexpr char kPoint[] = "b,%s,%.4f,%.4f,%.4f,13=00+13,0,0,11";
inline constexpr char kPlanAux[] = "b,%d,%.4f,%.4f,%.4f,8287=01+95,%d,0,11";
inline constexpr char kPlanAuxOnLine[] = "b,%d,0.0000,%.4f,%.4f,8287=01+95,%d,0,11";
inline constexpr char kCorner[] = "b,%d,%.4f,%.4f,%.4f,8192=01+0,0,0,0";
inline constexpr char kCornerLinked[] = "b,%d,%.4f,%.4f,%.4f,8192=01+0,%d,0,%d";
inline constexpr char kHouseFarCorner3[] = "b,%d,%.3f,%.3f,%.3f,13=00+13,%s,0,%d";
inline constexpr char kHouseFarCorner[] = "b,%d,%.4f,%.4f,%.4f,13=00+13,%s,0,%d";

// G - crossing height label: number; name; height; code 41
inline constexpr char kCrossingHeight[] = "G,%d,%s,%.3f,41=00+41";
// * - crossed line: name; pole type; 3; 0; 0; crossing object; angle
inline constexpr char kCrossing[] = "*,%s,%d,3,0,0,%d,%.4f";

// r - road or water course: edge point | 0; code; 0; edge point | 0; code; 0; width; angle; class
inline constexpr char kRoadOne[] = "r,%d,13=00+13,0,0,13=00+13,0,%.4f,%.4f,%d";
inline constexpr char kWaterOne[] = "r,%d,82=00+82,0,0,83=00+83,0,%.4f,%.4f,%d";
inline constexpr char kWaterOneFar[] = "r,0,82=00+82,0,%d,83=00+83,0,%.4f,%.4f,%d";
inline constexpr char kRoadTwo[] = "r,%s,13=00+13,0,%s,13=00+13,0,0.0000,%.4f,%d";
inline constexpr char kWaterTwo[] = "r,%s,82=00+82,0,%s,83=00+83,0,0.0000,%.4f,%d";

// + - point relative to a base point: new number; base; three values; code; reference; 0|2; tail
inline constexpr char kEdge95Up[] = "+,%d,%d,%.4f,0.0000,0.1000,95=00+95,%d,0,11";
inline constexpr char kEdge95Down[] = "+,%d,%d,%.4f,0.0000,-0.1000,95=00+95,%d,0,11";
inline constexpr char kEdge94Up[] = "+,%d,%d,%.4f,0.0000,0.1000,94=00+94,%d,0,193";
inline constexpr char kEdge94Down[] = "+,%d,%d,%.4f,0.0000,-0.1000,94=00+94,%d,0,193";
inline constexpr char kBank94Up[] = "+,%d,%d,-0.5000,0.0000,0.1000,94=00+94,%d,0,193";
inline constexpr char kBank94Down[] = "+,%d,%d,-0.5000,0.0000,-0.1000,94=00+94,%d,0,193";
inline constexpr char kPondWater60[] = "+,%d,%d,0.0000,0.0000,%.4f,24636=11+60,0,0,0";
inline constexpr char kPondWater70[] = "+,%d,%d,0.0000,0.0000,%.4f,24646=11+70,0,0,0";
inline constexpr char kPondAhead[] = "+,%d,%d,0.0000,%.4f,%.4f,24576=11+0,%d,2,7";
inline constexpr char kPondBack[] = "+,%d,%d,0.0000,-%.4f,%.4f,24576=11+0,%d,2,7";
inline constexpr char kPondAheadNamed[] = "+,%d,%s,0.0000,%.4f,%.4f,24576=11+0,%s,2,7";
inline constexpr char kPondBackNamed[] = "+,%d,%s,0.0000,-%.4f,%.4f,24576=11+0,%d,2,7";
inline constexpr char kEdge95UpNamed[] = "+,%d,%s,-%.4f,0.0000,0.1000,95=00+95,%s,0,11";
inline constexpr char kEdge95DownNamed[] = "+,%d,%s,-%.4f,0.0000,-0.1000,95=00+95,%s,0,11";
inline constexpr char kEdge94UpNamed[] = "+,%d,%s,-%.4f,0.0000,0.1000,94=00+94,%s,0,193";
inline constexpr char kEdge94DownNamed[] = "+,%d,%s,-%.4f,0.0000,-0.1000,94=00+94,%s,0,193";

// K - link of two points
inline constexpr char kLink[] = "K,%d,%d";
inline constexpr char kLinkNamed[] = "K,%s,%s";

// f - pond water line: point; code; 0; 0; 0.0000
inline constexpr char kPondLine70[] = "f,%d,24646=11+70,0,0,0.0000";
inline constexpr char kPondLine60[] = "f,%d,24636=11+60,0,0,0.0000";
inline constexpr char kPondLine70Named[] = "f,%s,24646=11+70,0,0,0.0000";
inline constexpr char kPondLine60Named[] = "f,%s,24636=11+60,0,0,0.0000";

// s - slope: number; 0; 0; class; angle; 3
inline constexpr char kSlope[] = "s,%d,0,0,%d,%.4f,3";
// e - embankment end: name; 0; class; 1
inline constexpr char kEmbankment[] = "e,%s,0,%d,1";

// l - house wall: new number; first corner; second corner; side; width or depth; 0; class
inline constexpr char kWall[] = "l,%d,%d,%d,-1,%.4f,0,%d";
inline constexpr char kWallSided[] = "l,%d,%s,%d,%d,%.4f,0,%d";
inline constexpr char kWallNamed[] = "l,%d,%s,%d,-1,%.4f,0,%d";

// x - house height: new number; corner; 0; wall record; 0; 0; height; 0; 0.0000
inline constexpr char kHeight[] = "x,%d,%d,0,%d,0,%d,%.4f,0,0.0000";
inline constexpr char kHeight3[] = "x,%d,%s,0,%d,0,0,%.3f,0,0.000";
inline constexpr char kHeightNamed[] = "x,%d,%s,0,%d,0,0,%.4f,0,0.0000";

// c - connection: two points; then 0,11 (profile chain), 0,20 or 2,7
inline constexpr char kChain[] = "c,%s,%s,0,11";
inline constexpr char kRiverBank[] = "c,%d,%d,0,20";
inline constexpr char kPondClose[] = "c,%d,%d,2,7";
inline constexpr char kPondCloseNamed[] = "c,%s,%d,2,7";

// m - elevation range: lower bound; upper bound (the spaces are part of it)
inline constexpr char kElevationRange[] = "m,-9000000000.00000000,  %d,  %d,    0,    0,    0";

// Generated point numbers n+1, n+2, ... wrap like the design package's
// 32-bit integers instead of overflowing.
inline int Plus(int n, int k) { return static_cast<int>(static_cast<unsigned>(n) + static_cast<unsigned>(k)); }

}  // namespace linvara::org
