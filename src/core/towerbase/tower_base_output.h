#pragma once
#include <array>
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "reporter.h"
#include "status.h"
#include "status_or.h"

namespace linvara {

// The sections A..H of one centre stake (SubIndex 1..8 at index 0..7), each
// sorted by offset.
using TowerBaseSections = std::array<SectionPointList, 8>;

// The tower-base section output: for every centre stake (PegName, in order
// of first appearance) one ORG file drawing its sections in a local plan
// around the stake and one INI file with the drawing settings, named after
// `outputPath` without its extension + "_" + stake + ".org" /
// ".INI", the stake made safe for a file name (text::SafeFileNamePart).
// Reports every missing section A..D, every file it cannot write (and goes
// on with the next) and, at the end, "塔基断面转换完成!". Returns the number
// of files it could not write; fails, writing nothing, when the system
// cannot encode the files.
StatusOr<int> WriteTowerBaseFiles(const SectionPointList& points, const std::string& outputPath, Reporter& reporter);

// The ORG records of one centre stake (each ending in "\n"): the stake as
// point 1, then the points of every section numbered on from 2.
std::vector<std::string> TowerBaseRecords(const TowerBaseSections& sections);

// "塔基D断面未测量,该中桩的塔基断面org文件中没有D断面" for section 4: what the
// output says, as a warning, about a stake without section A..D (section 1..4)
// while it still writes the stake's files.
std::string MissingSectionText(int section);

// Writes the INI text; fails with "创建塔基断面ini文件错误：<path>（<cause>）".
Status WriteTowerBaseIni(const std::string& path);

}  // namespace linvara
