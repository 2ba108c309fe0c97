#pragma once
// The tower-base section rows of a project (Electric_Data_TG) as the outputs
// that carry them write their texts.
#include "model/tg_data_unit.h"

namespace linvara {

// A row read as stored with its texts decoded as the collector stores them
// (Name and Code UTF-8, PegName in the ANSI code page) and line breaks
// removed from Code, which would split a record of a line-based file.
TGDataUnit DecodeTowerBaseRow(TGDataUnit row);

}  // namespace linvara
