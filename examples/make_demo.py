#!/usr/bin/env python3
"""Builds examples/demo.PD: a route survey as the field collector stores it.

A 10-J-stake route near Wuhan (Gauss-Krueger plane coordinates around north
3 380 000 m, east 500 000 m; geodetic coordinates near 30.54 N 114.30 E on the
same scale), with straight-line stakes, auxiliary points, one-point crossings
of power lines, communication lines and roads, one-, two- and three-point
features of every class, and tower-base sections around three centre stakes
(one of them without its section D). The collector's tables only: opening the
project creates the working tables.

Points are stored in survey order, which is not route order. Deterministic:
the same file every run.

Usage: python3 make_demo.py [output.PD]   (default: demo.PD beside this script)
"""
import math
import os
import random
import sqlite3
import sys
from datetime import datetime, timedelta

# The collector's three tables (the same SQL as the test fixture's).
COLLECTOR_SCHEMA = """
CREATE TABLE Point (ID INTEGER PRIMARY KEY, GPSID CHAR, Name CHAR, CODE CHAR, North DOUBLE, East DOUBLE,
  Height DOUBLE, Latitude DOUBLE, Longitude DOUBLE, Altitude DOUBLE, StartTime CHAR, HostIMEI CHAR,
  DeleteSign INTEGER);
CREATE TABLE Electric_Data_DH (ID INTEGER PRIMARY KEY, GPS_ID CHAR, Type INTEGER, Type_Note CHAR,
  [Index] INTEGER, LinkCode INTEGER, LinkCode_Note CHAR, PoleType INTEGER, PoleType_Note CHAR,
  AddHeight DOUBLE, GLAngleOrLength CHAR, GLWidth CHAR, GouType INTEGER, GouType_Note CHAR,
  StartJ CHAR, EndJ CHAR, PtAfterSel CHAR, PtBeforSel CHAR);
CREATE TABLE [Electric_Data_TG] (\t[ID] INTEGER PRIMARY KEY,\t[Name] CHAR,\t[x] DOUBLE,\t[y] DOUBLE,\t[h] DOUBLE,
  [Code] CHAR,\t[PegDis] DOUBLE,\t[HDiff] DOUBLE,\t[PegName] CHAR,\t[SubIndex] INTEGER,\t[GPS_ID] CHAR,
  [Midx] DOUBLE,\t[Midy] DOUBLE,\t[Midh] DOUBLE,\t[Pegx] DOUBLE,\t[Pegy] DOUBLE,\t[Pegh] DOUBLE,[HostIMEI] CHAR);
"""

HOST_IMEI = "864213051178290"
KIND_NOTES = ["J桩", "Z桩", "辅助点", "1点测标注跨越物", "1点测路河塘房等", "2点测路河塘房等", "3点测房"]

# Plane origin and its geodetic position; metres per degree at 30.54 N.
N0, E0 = 3380000.0, 500000.0
B0, L0 = 30.54, 114.30
M_PER_DEG_LAT = 110852.0
M_PER_DEG_LON = 95958.0
GEOID = -12.4  # ellipsoidal height minus levelled height

# J stakes: azimuth (degrees from north) and length of each span, metres.
SPANS = [(35.21, 623.418), (52.64, 481.205), (28.37, 712.936), (41.08, 528.772), (63.45, 452.119),
         (47.92, 688.354), (22.16, 561.847), (38.73, 607.290), (55.04, 503.661)]


def terrain(n, e):
    """Ground height in metres: gentle hills between 25 and 50 m."""
    return 37.0 + 8.0 * math.sin((n - N0) / 900.0) + 4.5 * math.cos((e - E0) / 650.0)


class Survey:
    def __init__(self):
        self.points = []      # dicts in survey order
        self.next_number = 1  # the collector numbers detail points 1, 2, 3 ...
        self.clock = datetime(2026, 5, 12, 8, 40, 0)

    def detail_name(self):
        name = str(self.next_number)
        self.next_number += 1
        return name

    def add(self, name, kind, n, e, code, **attrs):
        self.clock += timedelta(seconds=47 + len(self.points) % 5 * 13)
        h = round(terrain(n, e) + attrs.pop("dh", 0.0), 3)
        p = dict(name=name, type=kind, north=round(n, 4), east=round(e, 4), height=h, code=code,
                 link=0, link_note="", pole=1, pole_note="", add_height=0.0, angle="", width="",
                 gou=0, gou_note="", start_j="", end_j="", after="", before="", delete=0,
                 time=self.clock.strftime("%Y-%m-%d %H:%M:%S"),
                 gps_id=self.clock.strftime("%Y%m%d%H%M%S") + "%03d" % (len(self.points) + 1))
        p.update(attrs)
        self.points.append(p)
        return p


class Route:
    """The J-stake line: positions by mileage and offset."""

    def __init__(self):
        self.j = [(N0, E0)]
        for az, length in SPANS:
            n, e = self.j[-1]
            a = math.radians(az)
            self.j.append((n + length * math.cos(a), e + length * math.sin(a)))

    def at(self, seg, along, offset):
        """Plane position `along` metres into span `seg`, `offset` metres to the left (+) or right (-)."""
        az = math.radians(SPANS[seg][0])
        n0, e0 = self.j[seg]
        return (n0 + along * math.cos(az) + offset * math.sin(az),
                e0 + along * math.sin(az) - offset * math.cos(az))

    def names(self, seg):
        return "J%d" % (seg + 1), "J%d" % (seg + 2)


# Spans with a straight-line stake at their middle, numbered Z1, Z2 ... along the route.
Z_SPANS = [0, 2, 3, 5, 6, 7, 8]


def z_name(seg):
    return "Z%d" % (Z_SPANS.index(seg) + 1)


def survey_line(route, s):
    """J and Z stakes and the detail points, walked span by span."""
    rng = random.Random(20260512)
    for seg in range(len(SPANS)):
        start_j, end_j = route.names(seg)
        n, e = route.j[seg]
        s.add(start_j, 0, n, e, "转角桩")
        details = span_details(route, seg, s)
        rng.shuffle(details)  # the crew picks points up as it walks, not by mileage
        for make in details:
            make()
    n, e = route.j[-1]
    s.add("J%d" % len(route.j), 0, n, e, "转角桩")


def span_details(route, seg, s):
    """Deferred point makers for one span (called in survey order)."""
    sj, ej = route.names(seg)
    length = SPANS[seg][1]
    seg_attrs = dict(start_j=sj, end_j=ej)
    makers = []

    def stake(name, along):
        n, e = route.at(seg, along, 0.004 * (seg % 3 - 1))
        makers.append(lambda: s.add(name, 1, n, e, "直线桩", **seg_attrs))

    def point(kind, along, offset, code, **attrs):
        n, e = route.at(seg, along, offset)
        attrs.update(seg_attrs)
        makers.append(lambda: s.add(s.detail_name(), kind, n, e, code, **attrs))

    if seg in Z_SPANS:
        stake(z_name(seg), length * 0.5)
    features = FEATURES[seg % len(FEATURES)]
    for f in features:
        f(route, seg, length, point, makers, s, seg_attrs)
    return makers


# --- one-point crossings (kind 3) --------------------------------------------

def crossing(link, link_note, pole, pole_note, angle, wire_height, code):
    def make(route, seg, length, point, makers, s, attrs):
        point(3, length * 0.31, 0.6, code, link=link, link_note=link_note, pole=pole, pole_note=pole_note,
              angle=angle, add_height=wire_height)
    return make


# --- one-point features (kind 4): GouType = feature class ---------------------

def one_point(gou, gou_note, code, angle="", width="", add=0.0, where=0.62, offset=-1.4):
    def make(route, seg, length, point, makers, s, attrs):
        point(4, length * where, offset, code, gou=gou, gou_note=gou_note, angle=angle, width=width,
              add_height=add)
    return make


# --- two-point features (kind 5): the auxiliary point is named in PtBeforSel --

def two_point(gou, gou_note, code, angle="", width="", add=0.0, where=0.78, spread=6.0, offset=1.2):
    def make(route, seg, length, point, makers, s, attrs):
        along = length * where
        aux_at = route.at(seg, along - spread, offset + 0.5)
        main_at = route.at(seg, along, offset)

        def both():  # the auxiliary point first, then the feature naming it
            aux = s.add(s.detail_name(), 2, aux_at[0], aux_at[1], "辅助点", gou=94, gou_note="辅助点", **attrs)
            s.add(s.detail_name(), 5, main_at[0], main_at[1], code, gou=gou, gou_note=gou_note, angle=angle,
                  width=width, add_height=add, before=aux["name"], **attrs)
        makers.append(both)
    return make


# --- three-point houses (kind 6): two auxiliary corners -----------------------

def three_point(gou, gou_note, where=0.42, offset=14.0, length_m=12.0, depth=8.5, height=6.0):
    def make(route, seg, length, point, makers, s, attrs):
        along = length * where
        back_at = route.at(seg, along, offset)
        front_at = route.at(seg, along + length_m, offset)
        main_at = route.at(seg, along + length_m, offset + depth)

        def all_three():
            back = s.add(s.detail_name(), 2, back_at[0], back_at[1], "房角", gou=48, gou_note="房角点", **attrs)
            front = s.add(s.detail_name(), 2, front_at[0], front_at[1], "房角", gou=48, gou_note="房角点",
                          **attrs)
            s.add(s.detail_name(), 6, main_at[0], main_at[1], "房屋", gou=gou, gou_note=gou_note,
                  angle="%.1f" % length_m, width="%.1f" % depth, add_height=height,
                  after=back["name"], before=front["name"], **attrs)
        makers.append(all_three)
    return make


def lone_aux(gou, gou_note, code, where, offset):
    def make(route, seg, length, point, makers, s, attrs):
        point(2, length * where, offset, code, gou=gou, gou_note=gou_note)
    return make


FEATURES = [
    [crossing(32, "10kV", 2, "[IJ]", "62.5", 11.8, "电力线"),
     one_point(184, "公路", "公路", angle="75", width="7.5", add=0.4),
     lone_aux(927, "阔叶独立树", "独立树", 0.2, 9.5)],
    [crossing(40, "通信线", 1, "[I]", "88", 6.9, "通信线"),
     one_point(175, "小坎沟", "水沟", angle="80", width="1.8", add=1.1, where=0.55),
     two_point(186, "乡道", "乡道", angle="70", width="4.5", spread=4.5)],
    [crossing(34, "110kV", 7, "[T]", "-58", 18.5, "电力线"),
     one_point(1191, "双线河", "河流", angle="82", width="18", add=2.6, where=0.7, offset=0.8),
     two_point(173, "大坎沟", "水沟", angle="85", width="2.2", add=1.5, spread=2.2),
     three_point(201, "房屋", where=0.15, offset=-22.0)],
    [crossing(82, "II级公路", 1, "[I]", "71", 0.0, "公路"),
     one_point(905, "宽垄", "田埂", angle="", width="1.6", add=0.45, where=0.4),
     two_point(1175, "小坎河", "河流", angle="77", width="12", add=2.1, spread=12.0),
     lone_aux(320, "水塔", "水塔", 0.86, -31.0)],
    [crossing(33, "35kV", 4, "[LIJ]", "54.2", 14.2, "电力线"),
     one_point(914, "右加固的坎", "坎", angle="30", add=2.0, where=0.25, offset=3.5),
     one_point(1000, "塘", "水塘", angle="25", width="15", where=0.8, offset=-18.0),
     two_point(1000, "塘", "水塘", angle="30", width="20", spread=14.0, where=0.5, offset=-26.0)],
    [crossing(41, "一级通信线", 1, "[I]", "96", 7.4, "通信线"),
     one_point(201, "房屋", "房屋", angle="12", width="8", add=6.5, where=0.36, offset=19.0),
     two_point(203, "棚房", "棚房", angle="10", width="5", add=3.2, spread=10.0, where=0.66, offset=-12.0),
     one_point(906, "单垄", "田埂", width="0.8", add=0.3, where=0.9)],
    [crossing(84, "IV级公路", 1, "[I]", "66", 0.0, "公路"),
     one_point(183, "大坎路", "公路", angle="90", width="5", add=1.5, where=0.58),
     two_point(184, "公路", "公路", angle="81", width="8", spread=8.0, where=0.28),
     three_point(211, "温室", where=0.72, offset=16.0, length_m=20.0, depth=6.0, height=3.5)],
    [crossing(35, "220kV", 8, "[T2]", "49.5", 22.0, "电力线"),
     one_point(937, "左加固的坎", "坎", angle="-20", add=1.8, where=0.45, offset=-2.5),
     one_point(191, "双线沟", "水沟", angle="73", width="3", add=1.3, where=0.68),
     two_point(1191, "双线河", "河流", angle="84", width="26", add=3.0, spread=26.0, where=0.2)],
    [crossing(31, "380V", 1, "[I]", "79", 7.6, "电力线"),
     one_point(710, "宁波路", "公路", angle="68", width="6", where=0.33),
     one_point(904, "窄垄", "田埂", width="0.5", add=0.25, where=0.74),
     lone_aux(926, "散树", "散树", 0.55, 12.0)],
]


def survey_return_trip(route, s):
    """Points picked up on the way back: a crossing and a deleted blunder."""
    n, e = route.at(2, 95.0, -0.8)
    s.add(s.detail_name(), 3, n, e, "电力线", link=30, link_note="220V", pole=1, pole_note="[I]",
          angle="83", add_height=6.2, start_j="J3", end_j="J4")
    n, e = route.at(6, 300.0, 40.0)
    s.add(s.detail_name(), 2, n, e, "辅助点", gou=94, gou_note="辅助点", delete=1)  # deleted in the collector


def tower_sections(route, s):
    """Rows of Electric_Data_TG: sections A-D (SubIndex 0-3) around three centre stakes."""
    rows = []
    centres = [("J3", route.j[2], SPANS[2][0], 4), (z_name(5), route.at(5, SPANS[5][1] * 0.5, 0.0), SPANS[5][0], 4),
               ("J8", route.j[7], SPANS[7][0], 3)]  # J8 lacks its section D
    offsets = [-2.5, 3.0, 6.5, 10.5, 15.0]
    for peg, (pn, pe), az, sections in centres:
        ph = terrain(pn, pe)
        for sub in range(sections):
            direction = math.radians(az + 45.0 + 90.0 * sub)
            for k, dis in enumerate(offsets[: 4 + sub % 2]):
                dis += 0.3 * sub
                n, e = pn + dis * math.cos(direction), pe + dis * math.sin(direction)
                h = terrain(n, e) + 0.35 * math.sin(dis + sub)
                rows.append(dict(name="%s%d" % ("ABCD"[sub], k + 1), x=n, y=e, h=h, code="地面点", peg_dis=dis,
                                 peg=peg, sub=sub, mid=(pn, pe, ph)))
    return rows


def geodetic(n, e, h):
    return (B0 + (n - N0) / M_PER_DEG_LAT, L0 + (e - E0) / M_PER_DEG_LON, h + GEOID)


def write(path, points, tower_rows):
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript(COLLECTOR_SCHEMA)
    for index, p in enumerate(points):
        lat, lon, alt = geodetic(p["north"], p["east"], p["height"])
        db.execute("INSERT INTO Point (GPSID, Name, CODE, North, East, Height, Latitude, Longitude, Altitude, "
                   "StartTime, HostIMEI, DeleteSign) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)",
                   (p["gps_id"], p["name"], p["code"], p["north"], p["east"], p["height"], round(lat, 10),
                    round(lon, 10), round(alt, 4), p["time"], HOST_IMEI, p["delete"]))
        db.execute("INSERT INTO Electric_Data_DH (GPS_ID, Type, Type_Note, [Index], LinkCode, LinkCode_Note, "
                   "PoleType, PoleType_Note, AddHeight, GLAngleOrLength, GLWidth, GouType, GouType_Note, StartJ, "
                   "EndJ, PtAfterSel, PtBeforSel) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                   (p["gps_id"], p["type"], KIND_NOTES[p["type"]], index, p["link"], p["link_note"], p["pole"],
                    p["pole_note"], p["add_height"], p["angle"], p["width"], p["gou"], p["gou_note"],
                    p["start_j"], p["end_j"], p["after"], p["before"]))
    for i, r in enumerate(tower_rows):
        mx, my, mh = r["mid"]
        db.execute("INSERT INTO Electric_Data_TG (Name, x, y, h, Code, PegDis, HDiff, PegName, SubIndex, GPS_ID, "
                   "Midx, Midy, Midh, Pegx, Pegy, Pegh, HostIMEI) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                   (r["name"], round(r["x"], 4), round(r["y"], 4), round(r["h"], 4), r["code"],
                    round(r["peg_dis"], 4), round(r["h"] - mh, 4), r["peg"], r["sub"], "TG%05d" % (i + 1),
                    round(mx, 4), round(my, 4), round(mh, 4), round(mx, 4), round(my, 4), round(mh, 4),
                    HOST_IMEI))
    db.commit()
    db.close()


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "demo.PD")
    route = Route()
    s = Survey()
    survey_line(route, s)
    survey_return_trip(route, s)
    rows = tower_sections(route, s)
    write(out, s.points, rows)
    print("%s: %d points, %d tower-base rows" % (out, len(s.points), len(rows)))


if __name__ == "__main__":
    main()
