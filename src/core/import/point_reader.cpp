#include "import/point_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "import/gauss_kruger.h"
#include "import/swapped_columns.h"
#include "import/text_fields.h"
#include "import/zone_prefix.h"
#include "model/dh_point.h"
#include "text/format.h"

namespace linvara::import {
namespace {

// Where each column stands in a line, -1 when the file lacks it.
struct Layout {
    int at[static_cast<int>(Column::Skip) + 1];
    std::size_t needed = 0;  // fields a line must have
    std::size_t width = 0;   // fields a line may have: more are a field cut in two
    bool plane = false, geographic = false;

    explicit Layout(const std::vector<Column>& columns) : width(columns.size()) {
        std::fill(std::begin(at), std::end(at), -1);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i] == Column::Skip) continue;
            at[static_cast<int>(columns[i])] = static_cast<int>(i);
            needed = i + 1;
        }
        plane = Has(Column::North) && Has(Column::East);
        geographic = Has(Column::Latitude) && Has(Column::Longitude);
    }
    bool Has(Column c) const { return at[static_cast<int>(c)] >= 0; }
};

// Locale-free; a leading "+" is allowed, "inf" and "nan" are not numbers.
bool ParseNumber(std::string_view text, double& value) {
    if (text.starts_with('+')) text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty() && std::isfinite(value);
}

bool IsPrefixedNumber(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || !name.starts_with(prefix)) return false;
    for (char c : name.substr(prefix.size()))
        if (c < '0' || c > '9') return false;
    return true;
}

class LineReader {
public:
    LineReader(const ImportStyle& style, const GaussKruger* projection, ReadPoints& out)
        : style_(style), projection_(projection), out_(out) {
        for (const CodeKind& c : style.codeKinds) codes_.emplace(c.code, &c);
    }

    // The layout of the data lines; false (with the failure set) when unusable.
    bool SetColumns(const std::vector<Column>& columns) {
        std::string why = CheckColumns(columns);
        if (why.empty() && style_.kindRule == KindRule::CodeMap && !Layout(columns).Has(Column::Code)) why = "按编码定点类型，但没有编码列";
        if (why.empty() && !Layout(columns).plane && !projection_) why = "文件只有经纬度，需要给出中央子午线或投影带";
        if (!why.empty()) {
            out_.failure = why;
            return false;
        }
        layout_.emplace(columns);
        return true;
    }

    void Read(const std::vector<std::string_view>& fields, int line) {
        std::string reason;
        ImportedPoint p;
        p.line = line;
        if (fields.size() < layout_->needed) {
            reason = text::Format("字段太少（应有%zu个，只有%zu个）", layout_->needed, fields.size());
        } else if (HasExtraField(fields)) {
            reason = text::Format("字段太多（应有%zu个，却有%zu个），点名或编码中可能含有分隔符", layout_->width,
                                  fields.size());
        } else if (Fill(fields, p, reason) && InRange(p, reason) && Kind(p, reason) && Unique(p, line, reason)) {
            out_.points.push_back(std::move(p));
            return;
        }
        Bad(line, std::move(reason));
    }

    void Bad(int line, std::string reason) { out_.bad.push_back({line, std::move(reason)}); }

    // What only the whole file shows: exchanged x/y, zone numbers in front of
    // east coordinates; then B/L or x/y where the file lacks them.
    void Finish(bool swapXY) {
        if (layout_->plane) {
            if (swapXY)
                for (ImportedPoint& p : out_.points) std::swap(p.north, p.east);
            std::string evidence;
            if (!swapXY && LooksSwapped(out_.points, evidence)) {
                out_.looksSwapped = true;
                out_.failure = "北坐标x列的值都像东坐标，东坐标y列的值都像北坐标（" + evidence +
                               "）：文件的X/Y可能是东/北（GIS软件的写法），需交换X/Y后导入";
                return;
            }
            SettleZonePrefixes(out_, projection_);
        }
        std::vector<ImportedPoint> placed;
        placed.reserve(out_.points.size());
        for (ImportedPoint& p : out_.points) {
            std::string reason;
            if (Place(p, reason)) placed.push_back(std::move(p));
            else Bad(p.line, std::move(reason));
        }
        out_.points = std::move(placed);
        std::ranges::stable_sort(out_.bad, {}, &BadLine::line);
    }

private:
    // A field beyond the style's columns that holds something.
    bool HasExtraField(const std::vector<std::string_view>& fields) const {
        for (std::size_t i = layout_->width; i < fields.size(); ++i)
            if (!fields[i].empty()) return true;
        return false;
    }

    std::string_view Field(const std::vector<std::string_view>& fields, Column c) const {
        const int at = layout_->at[static_cast<int>(c)];
        return at < 0 ? std::string_view() : fields[static_cast<std::size_t>(at)];
    }

    bool Number(const std::vector<std::string_view>& fields, Column c, double& value, std::string& reason) const {
        if (!layout_->Has(c)) return true;
        const std::string_view text = Field(fields, c);
        if (ParseNumber(text, value)) return true;
        reason = text::Format("%s不是数字：“%.*s”", ColumnLabel(c), static_cast<int>(text.size()), text.data());
        return false;
    }

    bool Fill(const std::vector<std::string_view>& fields, ImportedPoint& p, std::string& reason) const {
        p.name = std::string(Field(fields, Column::Name));
        p.code = std::string(Field(fields, Column::Code));
        if (p.name.empty()) {
            reason = "点名为空";
            return false;
        }
        return Number(fields, Column::North, p.north, reason) && Number(fields, Column::East, p.east, reason) &&
               Number(fields, Column::Height, p.height, reason) &&
               Number(fields, Column::Latitude, p.latitude, reason) &&
               Number(fields, Column::Longitude, p.longitude, reason);
    }

    bool Kind(ImportedPoint& p, std::string& reason) const {
        if (style_.kindRule == KindRule::NamePrefixes) {
            p.kind = IsPrefixedNumber(p.name, style_.jPrefix)   ? JStake
                     : IsPrefixedNumber(p.name, style_.zPrefix) ? ZStake
                                                                : AuxPoint;
            return true;
        }
        const auto found = codes_.find(p.code);
        if (found == codes_.end()) {
            reason = "未知编码：“" + p.code + "”";
            return false;
        }
        p.kind = found->second->kind;
        p.feature = found->second->feature;
        return true;
    }

    bool InRange(const ImportedPoint& p, std::string& reason) const {
        if (!layout_->geographic || (std::fabs(p.latitude) <= 90 && std::fabs(p.longitude) <= 180)) return true;
        reason = "纬度或经度超出范围";
        return false;
    }

    // Fills whichever of x/y and B/L the file lacks.
    bool Place(ImportedPoint& p, std::string& reason) const {
        if (!projection_ || (layout_->plane && layout_->geographic)) return true;
        const bool ok = layout_->plane ? projection_->ToGeographic(p.north, p.east, p.latitude, p.longitude)
                                       : projection_->ToPlane(p.latitude, p.longitude, p.north, p.east);
        if (!ok) reason = "坐标无法换算";
        return ok;
    }

    bool Unique(const ImportedPoint& p, int line, std::string& reason) {
        const auto [at, inserted] = names_.emplace(p.name, line);
        if (inserted) return true;
        reason = text::Format("点名重复：%s（第%d行已有）", p.name.c_str(), at->second);
        return false;
    }

    const ImportStyle& style_;
    const GaussKruger* projection_;
    ReadPoints& out_;
    std::optional<Layout> layout_;
    std::unordered_map<std::string, const CodeKind*> codes_;
    std::unordered_map<std::string, int> names_;  // name -> line it was first read on
};

}  // namespace

ReadPoints ReadPointText(std::string_view text, const ImportStyle& style, const GaussKruger* projection,
                         bool swapXY) {
    ReadPoints out;
    out.points.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    LineReader reader(style, projection, out);
    LineCursor lines(text);
    std::string_view line;
    std::vector<std::string_view> fields;
    std::string unquoted;
    Delimiter delimiter = style.delimiter;
    bool haveColumns = false;
    while (lines.Next(line)) {
        if (lines.Number() <= style.skipLines) continue;
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        if (delimiter == Delimiter::Auto) delimiter = DetectDelimiter(line);
        const std::string unsplit = SplitFields(line, delimiter, fields, unquoted);
        if (!haveColumns && style.FromHeader()) {
            haveColumns = true;
            if (!unsplit.empty() || !reader.SetColumns(ColumnsFromHeader(fields))) {
                out.failure = text::Format("第%d行（表头）：%s", lines.Number(),
                                           (unsplit.empty() ? out.failure : unsplit).c_str());
                return out;
            }
            continue;
        }
        if (!haveColumns) {
            haveColumns = true;
            if (!reader.SetColumns(style.columns)) return out;
        }
        if (unsplit.empty()) reader.Read(fields, lines.Number());
        else reader.Bad(lines.Number(), unsplit);
    }
    if (!haveColumns && style.FromHeader()) out.failure = "没有表头行";
    if (haveColumns) reader.Finish(swapXY);
    return out;
}

}  // namespace linvara::import
