// Core operations on generated large projects. Each operation has a companion
// "limit" case measured in the same run: the sqlite3 shell doing the same
// database work, the writer's own line formats filled in and written without
// its logic, or the merge's reading and appending alone.
// Compare real times (every case runs with UseRealTime: the shell is a child process).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string_view>
#include <variant>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "check/project_check.h"
#include "check/project_source.h"
#include "db/merge_target_database.h"
#include "db/project_database.h"
#include "import/import_file.h"
#include "project/list_delta.h"
#include "project/project.h"
#include "merge/project_merge.h"
#include "model/options.h"
#include "model/stake_sequence.h"
#include "model/tg_data_unit.h"
#include "org/org_records.h"
#include "org/org_conversion.h"
#include "org/org_record_builder.h"
#include "output/result_kinds.h"
#include "output/result_text.h"
#include "output/result_writer.h"
#include "project_generator.h"
#include "reporter.h"
#include "text/encoding.h"
#include "text/format.h"
#include "towerbase/tow_file.h"
#include "towerbase/tower_base_survey.h"
#include "towerbase/tower_base_templates.h"

namespace fs = std::filesystem;
using namespace linvara;

namespace {

fs::path BenchRoot() {
    static const fs::path root =
        fs::temp_directory_path() / ("linvara-bench-" + std::to_string(static_cast<long>(::getpid())));
    return root;
}

struct Corpus {
    fs::path dir;
    std::string collector;  // the collector's tables only
    std::string opened;     // working tables created, list in route order
    DHPointList ordered;
};

struct Size {
    int points, jStakes, towerCentres;
};
// Size 2 runs only on request (LINVARA_BENCH_1M=1): generating and opening
// it alone takes a minute and well over 1 GB.
constexpr Size kSizes[] = {{10000, 200, 50}, {100000, 2000, 1000}, {1000000, 20000, 10000}};

bool LargeSizeWanted() {
    const char* wanted = std::getenv("LINVARA_BENCH_1M");
    return wanted != nullptr && std::string(wanted) == "1";
}

void Fail(const std::string& what) { throw std::runtime_error(what); }

void Check(const Status& status) {
    if (!status) Fail(status.message());
}

DHPointList ReadList(ProjectDatabase& db, StoredRows* stored = nullptr) {
    DHPointList list;
    Check(db.ReadStakeList(list, stored));
    return list;
}

std::vector<TGDataUnit> ReadRows(ProjectDatabase& db) {
    std::vector<TGDataUnit> rows;
    Check(db.ReadTowerBaseRows(rows));
    return rows;
}

const Corpus& GetCorpus(int sizeIndex) {
    static std::map<int, std::unique_ptr<Corpus>> cache;
    auto& slot = cache[sizeIndex];
    if (slot) return *slot;
    const Size size = kSizes[sizeIndex];
    auto c = std::make_unique<Corpus>();
    c->dir = BenchRoot() / std::to_string(size.points);
    fs::create_directories(c->dir);
    c->collector = (c->dir / "collector.PD").string();
    c->opened = (c->dir / "opened.PD").string();
    bench::WriteCollectorFile(c->collector, bench::GenerateProject(size.points, size.jStakes, size.towerCentres));
    fs::copy_file(c->collector, c->opened, fs::copy_options::overwrite_existing);
    SilentReporter silent;
    ProjectDatabase db(silent);
    Check(db.OpenProject(c->opened));
    StoredRows stored;
    c->ordered = ReadList(db, &stored);
    ConversionOptions options;
    AutoOrderStakes(c->ordered, options);
    Check(db.SaveList(c->ordered, stored, SaveScope{.writeAll = true}));
    slot = std::move(c);
    return *slot;
}

fs::path FreshDir(const std::string& name) {
    const fs::path dir = BenchRoot() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

struct DirSize {
    std::uintmax_t bytes = 0;
    std::size_t files = 0;
};
DirSize SizeOf(const fs::path& dir) {
    DirSize s;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (!e.is_regular_file()) continue;
        s.bytes += e.file_size();
        ++s.files;
    }
    return s;
}

void RunShell(const std::string& db, const fs::path& sqlFile) {
    const std::string cmd = "sqlite3 '" + db + "' < '" + sqlFile.string() + "' > /dev/null";
    if (std::system(cmd.c_str()) != 0) Fail("failed: " + cmd);
}

void Report(benchmark::State& state, std::size_t items, const DirSize* out = nullptr) {
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * static_cast<std::int64_t>(items)));
    if (out != nullptr) {
        state.counters["bytes"] = static_cast<double>(out->bytes);
        state.counters["files"] = static_cast<double>(out->files);
    }
}

// ---- first open --------------------------------------------------------------

void BM_FirstOpen(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const std::string work = (c.dir / "first.PD").string();
    SilentReporter silent;
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(c.collector, work, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        ProjectDatabase db(silent);
        Check(db.OpenProject(work));
    }
    Report(state, c.ordered.size());
}

constexpr const char* kSeedSql = R"SQL(
INSERT INTO Electric_DH_Export (GPS_ID, HostIMEI, NewPtName, OrgPtName, Dx, Dy, Dh, B, L, H, Code, Note, AntHight,
  SaveDateTime, DHType, Mileage, Offset, DiffHight, PoleType, LXCode, CrossAngle, ObjectCode, GLWide, GLCode,
  BZdmPt, FZdmPt, AddHight, StartJ, EndJ)
SELECT p.GPSID, p.HostIMEI, p.Name, p.Name, p.North, p.East, p.Height, p.Latitude, p.Longitude, p.Altitude, p.CODE,
  d.Type_Note, 0, p.StartTime, d.Type, 0, 0, 0, d.PoleType, d.LinkCode, CAST(d.GLAngleOrLength AS REAL), d.GouType,
  CAST(d.GLWidth AS REAL), 0, d.PtAfterSel, d.PtBeforSel, d.AddHeight, d.StartJ, d.EndJ
FROM Point p JOIN Electric_Data_DH d ON p.GPSID = d.GPS_ID WHERE p.DeleteSign = 0 ORDER BY d.[Index];
INSERT INTO Electric_DH_Order (GPS_ID, Order_NewPtName, Order_OrgPtName)
SELECT GPS_ID, NewPtName, OrgPtName FROM Electric_DH_Export ORDER BY ID;
COMMIT;
)SQL";

void BM_FirstOpen_Sqlite3Shell(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const std::string work = (c.dir / "first-shell.PD").string();
    const fs::path sql = c.dir / "seed.sql";
    WriteText(sql, "BEGIN;\n" + ProjectDatabase::ExportTableSql() + ";\n" + ProjectDatabase::OrderTableSql() +
                       ";\n" + kSeedSql);
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(c.collector, work, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        RunShell(work, sql);
    }
    Report(state, c.ordered.size());
}

// ---- ReadStakeList -------------------------------------------------------------

void BM_ReadStakeList(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    ProjectDatabase db(silent);
    Check(db.OpenProject(c.opened));
    for (auto _ : state) benchmark::DoNotOptimize(ReadList(db));
    Report(state, c.ordered.size());
}

void BM_ReadStakeList_Sqlite3Shell(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const fs::path sql = c.dir / "read.sql";
    WriteText(sql,
              "SELECT  Electric_DH_Export.* FROM Electric_DH_Order INNER JOIN Electric_DH_Export "
              "ON Electric_DH_Order.GPS_ID=Electric_DH_Export.GPS_ID ORDER BY Electric_DH_Order.Order_ID;\n");
    for (auto _ : state) RunShell(c.opened, sql);
    Report(state, c.ordered.size());
}

// ---- save ----------------------------------------------------------------------

// Every row and the whole order written, as a save over another program's changes does.
void BM_Save(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    ProjectDatabase db(silent);
    Check(db.OpenProject(c.opened));
    StoredRows stored;
    const DHPointList list = ReadList(db, &stored);
    for (auto _ : state) Check(db.SaveList(list, stored, SaveScope{.writeAll = true}));
    Report(state, list.size());
}

// A save after one point's values changed in the list: one row written.
void BM_SaveAfterOneEdit(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const std::string work = (c.dir / "save-one.PD").string();
    fs::copy_file(c.opened, work, fs::copy_options::overwrite_existing);
    SilentReporter silent;
    Project project(silent);
    Check(project.Open(work));
    const DHPointList& list = project.Points();
    const DHPointList jStakes = JStakeList(list);
    const DHPoint j1 = jStakes.at(0), j2 = jStakes.at(1);
    const std::vector<std::string> one{list.at(list.size() / 2).GPS_ID};
    for (auto _ : state) {
        state.PauseTiming();
        project.AppointJStakes(one, state.iterations() % 2 ? j1 : j2, state.iterations() % 2 ? j2 : j1);
        state.ResumeTiming();
        Check(project.Save());
    }
    Report(state, 1);
}

constexpr const char* kSaveOneSql = R"SQL(
BEGIN;
UPDATE Electric_DH_Export SET Mileage=Mileage+1, Offset=-Offset, StartJ=EndJ, EndJ=StartJ WHERE ID=1;
COMMIT;
)SQL";

void BM_SaveAfterOneEdit_Sqlite3Shell(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const std::string work = (c.dir / "save-one-shell.PD").string();
    fs::copy_file(c.opened, work, fs::copy_options::overwrite_existing);
    const fs::path sql = c.dir / "save-one.sql";
    WriteText(sql, kSaveOneSql);
    for (auto _ : state) RunShell(work, sql);
    Report(state, 1);
}

// A save after a full reorder: the list alternates between the collector's
// order and route order, so every order row and every mileage changes.
void BM_SaveAfterReorder(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const std::string work = (c.dir / "save-reorder.PD").string();
    fs::copy_file(c.collector, work, fs::copy_options::overwrite_existing);
    SilentReporter silent;
    ProjectDatabase db(silent);
    Check(db.OpenProject(work));
    StoredRows stored;
    const DHPointList surveyed = ReadList(db, &stored);
    std::optional<std::uint32_t> counter = db.ChangeCounter();
    for (auto _ : state) {
        Check(db.SaveList(state.iterations() % 2 ? surveyed : c.ordered, stored, SaveScope{}, counter));
        counter = db.ChangeCounter();
    }
    Report(state, c.ordered.size());
}

constexpr const char* kSaveSql = R"SQL(
BEGIN;
UPDATE Electric_DH_Export SET NewPtName=NewPtName||'', Dx=Dx+0, Dy=Dy+0, Dh=Dh+0, Code=Code||'', Mileage=Mileage+0,
  Offset=Offset+0, PoleType=PoleType, LXCode=LXCode, CrossAngle=CrossAngle, ObjectCode=ObjectCode, GLCode=GLCode,
  GLWide=GLWide, BZdmPt=BZdmPt, FZdmPt=FZdmPt, AddHight=AddHight, StartJ=StartJ, EndJ=EndJ, B=B, L=L, H=H;
DELETE FROM Electric_DH_Order;
INSERT INTO Electric_DH_Order (GPS_ID, Order_NewPtName, Order_OrgPtName)
SELECT GPS_ID, NewPtName, OrgPtName FROM Electric_DH_Export ORDER BY ID;
COMMIT;
)SQL";

void BM_Save_Sqlite3Shell(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const std::string work = (c.dir / "save-shell.PD").string();
    fs::copy_file(c.opened, work, fs::copy_options::overwrite_existing);
    const fs::path sql = c.dir / "save.sql";
    WriteText(sql, kSaveSql);
    for (auto _ : state) RunShell(work, sql);
    Report(state, c.ordered.size());
}

// Undo of 自动J桩排序 as the desktop does it: the list before, from the
// delta kept with the command, stored over the ordered one. Its limit is the
// command itself, ordering and storing.
void BM_UndoReorder(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const std::string work = (c.dir / "undo.PD").string();
    fs::copy_file(c.collector, work, fs::copy_options::overwrite_existing);
    SilentReporter silent;
    Project project(silent);
    Check(project.Open(work));
    Check(project.Save());
    for (auto _ : state) {
        state.PauseTiming();
        const DHPointList before = project.Points();
        project.AutoOrder();
        Check(project.Save());
        const ListDelta delta = ListDelta::Between(before, project.Points());
        state.ResumeTiming();
        std::optional<DHPointList> undone = delta.Before(project.Points());
        if (!undone) Fail("undo found another list");
        Check(project.RestoreList(std::move(*undone)));
    }
    Report(state, c.ordered.size());
}

void BM_UndoReorder_Command(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const std::string work = (c.dir / "undo-command.PD").string();
    fs::copy_file(c.collector, work, fs::copy_options::overwrite_existing);
    SilentReporter silent;
    Project project(silent);
    Check(project.Open(work));
    Check(project.Save());
    const DHPointList surveyed = project.Points();
    for (auto _ : state) {
        state.PauseTiming();
        Check(project.RestoreList(surveyed));
        state.ResumeTiming();
        project.AutoOrder();
        Check(project.Save());
    }
    Report(state, c.ordered.size());
}

// The shell's whole save is the limit of a save after a full reorder too.
void BM_SaveAfterReorder_Sqlite3Shell(benchmark::State& state) { BM_Save_Sqlite3Shell(state); }

// ---- AutoOrderStakes -----------------------------------------------------------

void BM_AutoOrderStakes(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    const int jStakes = static_cast<int>(state.range(1));
    static std::map<std::pair<int, int>, DHPointList> lists;
    auto [it, fresh] = lists.try_emplace({points, jStakes});
    if (fresh) it->second = bench::ToWorkingList(bench::GenerateProject(points, jStakes, 0));
    ConversionOptions options;
    for (auto _ : state) {
        state.PauseTiming();
        DHPointList list = it->second;
        state.ResumeTiming();
        AutoOrderStakes(list, options);
        benchmark::DoNotOptimize(list.data());
    }
    Report(state, it->second.size());
}

// ---- writers and their limits -----------------------------------------------------
//
// A writer's limit formats the same output lines into memory with the writer's
// own printf formats, straight from the fields: no decisions, no geometry, no
// sorting, no code-table lookups. Where a point's lines depend on such logic,
// every point gets the writer's most common line. The buffer then gets the
// writer's own conversion (GB18030, CR LF: part of producing those bytes) and
// is written with fopen/fwrite into as many files as the writer writes.

enum class Encoding { Utf8, Gb18030, GbkTextFile };

std::string Encode(std::string&& text, Encoding encoding) {
    switch (encoding) {
        case Encoding::Gb18030: return text::Utf8ToGb18030(text);
        case Encoding::GbkTextFile: return text::ToGbkTextFile(text);
        case Encoding::Utf8: break;
    }
    return std::move(text);
}

void WriteAsFiles(const std::string& bytes, const fs::path& dir, std::size_t files) {
    if (files == 0) files = 1;
    const std::size_t chunk = bytes.size() / files + 1;
    for (std::size_t f = 0; f < files; ++f) {
        const std::size_t from = std::min(bytes.size(), f * chunk);
        const std::size_t count = std::min(chunk, bytes.size() - from);
        const fs::path path = dir / ("limit" + std::to_string(f) + ".txt");
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) Fail("cannot write " + path.string());
        const bool written = std::fwrite(bytes.data() + from, 1, count, out) == count;
        if (std::fclose(out) != 0 || !written) Fail("cannot write " + path.string());
    }
}

// What a writer left in `dir`; the folder is emptied for its limit.
DirSize TakeWriterOutput(const fs::path& dir) {
    const DirSize written = SizeOf(dir);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return written;
}

// The limit loop: `format` builds the bytes, which are written as the writer's
// number of files. Reports the limit's bytes beside the writer's.
template <typename FormatBytes>
void RunLimit(benchmark::State& state, const fs::path& dir, const DirSize& writer, std::size_t items,
              FormatBytes format) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = format();
        WriteAsFiles(out, dir, writer.files);
        bytes = out.size();
    }
    Report(state, items);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["writer_bytes"] = static_cast<double>(writer.bytes);
    state.counters["files"] = static_cast<double>(writer.files);
}

// -- result files: one line format per kind

using AppendLine = void (*)(std::string& out, const char* format, const DHPoint& p, int number);

// The coordinate lists, the stake table and DXF print their numbers with
// output::AppendFixed rather than printf, so their limits do too: a printf
// for the conversions these formats use (%s, %d, %.Nf).
using FormatArg = std::variant<const char*, int, double>;
void AppendWithFixed(std::string& out, std::string_view format, std::initializer_list<FormatArg> args) {
    const FormatArg* arg = args.begin();
    std::size_t at = 0;
    while (at < format.size()) {
        const std::size_t percent = format.find('%', at);
        out.append(format.substr(at, percent - at));
        if (percent == std::string_view::npos) break;
        std::size_t end = percent + 1;
        int decimals = 6;
        if (format[end] == '.') {
            decimals = 0;
            while (std::isdigit(static_cast<unsigned char>(format[++end]))) decimals = decimals * 10 + (format[end] - '0');
        }
        switch (format[end]) {
            case 's': out += std::get<const char*>(*arg++); break;
            case 'd': out += std::to_string(std::get<int>(*arg++)); break;
            case 'f': output::AppendFixed(out, std::get<double>(*arg++), decimals); break;
            default: Fail("unsupported conversion in " + std::string(format));
        }
        at = end + 1;
    }
}

void NameCodeYXH(std::string& out, const char* format, const DHPoint& p, int) {
    AppendWithFixed(out, format, {p.NewPtName.c_str(), p.Code.c_str(), p.Dy, p.Dx, p.Dh});
}
void NameCodeXYH(std::string& out, const char* format, const DHPoint& p, int) {
    AppendWithFixed(out, format, {p.NewPtName.c_str(), p.Code.c_str(), p.Dx, p.Dy, p.Dh});
}
void NameXYHCode(std::string& out, const char* format, const DHPoint& p, int) {
    AppendWithFixed(out, format, {p.NewPtName.c_str(), p.Dx, p.Dy, p.Dh, p.Code.c_str()});
}
void NumberNameCodeYXH(std::string& out, const char* format, const DHPoint& p, int number) {
    AppendWithFixed(out, format, {number, p.NewPtName.c_str(), p.Code.c_str(), p.Dy, p.Dx, p.Dh});
}
// Every row as a row without a turning angle; the span to the point before
// (geometry) is printed from the offset instead, a number of like size.
void StakeTableRow(std::string& out, const char* format, const DHPoint& p, int) {
    AppendWithFixed(out, format, {p.NewPtName.c_str(), p.Code.c_str(), p.Dx, p.Dy, p.Dh, "", p.Offset, p.Mileage});
}
// Names go in as they are: the writer's XML escaping is left out.
void KmlPlacemark(std::string& out, const char* format, const DHPoint& p, int) {
    text::AppendFormat(out, format, p.NewPtName.c_str(), "", 0x0000ffu, p.L, p.B, p.H);
}

constexpr char kDxfLabel[] =
    "  0\r\nTEXT\r\n  5\r\n0\r\n  8\r\n0\r\n 10\r\n%.4f\r\n 20\r\n%.4f\r\n 30\r\n0.0\r\n 40\r\n2\r\n1\r\n%s\r\n";
// As the writer does, the point entity is formatted once and written before
// and after the label (the label's shift east is left out).
void DxfEntities(std::string& out, const char* pointFormat, const DHPoint& p, int) {
    const std::size_t start = out.size();
    AppendWithFixed(out, pointFormat, {p.Dy, p.Dx, p.Dh});
    const std::string point = out.substr(start);
    AppendWithFixed(out, kDxfLabel, {p.Dy, p.Dx, p.NewPtName.c_str()});
    out += point;
}

struct ResultLimit {
    const char* head;
    const char* line;
    AppendLine append;
    const char* tail;
    bool stakesOnly;  // J and Z stakes only
    Encoding encoding;
};

constexpr char kCommaLine[] = "%s,%s,%.4f,%.4f,%.4f\n";
constexpr char kDxfPoint[] = " 0\r\nPOINT\r\n  8\r\n0\r\n 62\r\n4\r\n 10\r\n%.4f\r\n 20\r\n%.4f\r\n 30\r\n%.4f\r\n";
constexpr char kKmlHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\r\n"
    "<Document>\r\n\t<name>result</name>\r\n\t<open>1</open>\r\n\t<Style id=\"khStyle\">\r\n\t<IconStyle>\r\n"
    "\t<scale>0.6</scale>\r\n\t<Icon><href>http://maps.google.com/mapfiles/kml/shapes/donut.png</href></Icon>\r\n"
    "\t</IconStyle>\r\n\t<LabelStyle>\r\n\t<scale>0.7</scale>\r\n\t</LabelStyle>\r\n\t</Style>\r\n";
constexpr char kKmlPlacemark[] =
    "\t<Placemark>\r\n\t<name>%s</name>\r\n\t<description>%s</description>\r\n\t<styleUrl>#khStyle</styleUrl>\r\n"
    "\t<Style>\r\n\t<IconStyle>\r\n\t<color>ff%06x</color>\r\n\t</IconStyle>\r\n\t</Style>\r\n\t<Point>\r\n"
    "\t<coordinates>\r\n\t%.10f,%.10f,%.4f\r\n\t</coordinates>\r\n\t</Point>\r\n\t</Placemark>\r\n";

// Indexed by kind.
constexpr ResultLimit kResultLimits[] = {
    {"", kCommaLine, NameCodeYXH, "", false, Encoding::GbkTextFile},
    {"", "%s %s %.4f %.4f %.4f\n", NameCodeYXH, "", false, Encoding::GbkTextFile},
    {"", kCommaLine, NameCodeXYH, "", false, Encoding::GbkTextFile},
    {"", "%s %s %.4f %.4f %.4f\n", NameCodeXYH, "", false, Encoding::GbkTextFile},
    {"", "%s,%.4f,%.4f,%.4f,%s\n", NameXYHCode, "", false, Encoding::GbkTextFile},
    {"", "%s %.4f %.4f %.4f %s\n", NameXYHCode, "", false, Encoding::GbkTextFile},
    {" 0\r\nSECTION\r\n 2\r\nENTITIES\r\n", kDxfPoint, DxfEntities, " 0\r\nENDSEC\r\n 0\r\nEOF\r\n", false,
     Encoding::Gb18030},
    {"", "%d,%s,%s,%.4f,%.4f,%.4f\n", NumberNameCodeYXH, "", false, Encoding::GbkTextFile},
    {"点名,编码,x,y,h,转角(度.分秒),档距,里程,\n", "%s,%s,%.4f,%.4f,%.4f,%s,%.3f,%.4f,\n", StakeTableRow, "", false,
     Encoding::GbkTextFile},
    {"", kCommaLine, NameCodeXYH, "", true, Encoding::GbkTextFile},
    {"", kCommaLine, NameCodeYXH, "", true, Encoding::GbkTextFile},
    {kKmlHead, kKmlPlacemark, KmlPlacemark, "</Document>\r\n</kml>\r\n", true, Encoding::Utf8},
};

std::string ResultLimitBytes(const ResultLimit& layout, const DHPointList& points, std::size_t reserve) {
    std::string out(layout.head);
    out.reserve(reserve);
    int number = 0;
    for (const DHPoint& p : points) layout.append(out, layout.line, p, ++number);
    out += layout.tail;
    return Encode(std::move(out), layout.encoding);
}

// -- ORG: "b" records (every feature handler starts with one), as many as the
// writer writes records (its count taken outside the loop), from the points in
// turn; then the profile chain of neighbours in list order and the elevation
// range. Left out: the other record formats of stakes, crossings and features
// with their geometry, the mileage from the first J stake, the chain's sorting.
std::string OrgLimitBytes(const DHPointList& list, std::size_t records, std::size_t reserve) {
    std::string out;
    out.reserve(reserve);
    for (std::size_t r = 0, i = 0; r < records; ++r, i = i + 1 == list.size() ? 0 : i + 1) {
        const DHPoint& p = list[i];
        text::AppendFormat(out, org::kPoint, p.NewPtName.c_str(), p.Offset, p.Mileage, p.Dh);
        out += '\n';
    }
    for (std::size_t i = 1; i < list.size(); ++i) {
        text::AppendFormat(out, org::kChain, list[i - 1].NewPtName.c_str(), list[i].NewPtName.c_str());
        out += '\n';
    }
    text::AppendFormat(out, org::kElevationRange, 0, 100);
    out += '\n';
    return text::ToGbkTextFile(out);
}

// -- TOW: the writer's line per row and its check text, printed from a stand-in
// of the same width. Left out: the database query, the text clean-up of the
// fields and the checksum itself.
constexpr char kTowLine[] = "%s,%.4f,%.4f,%.4f,%s,%.4f,%.4f,%s,%lld,%s*%8lX\n";

std::string TowLimitBytes(const std::vector<TGDataUnit>& rows, std::size_t reserve) {
    std::string out;
    out.reserve(reserve);
    for (const TGDataUnit& r : rows)
        text::AppendFormat(out, kTowLine, r.Name.c_str(), r.x, r.y, r.h, r.Code.c_str(), r.PegDis, r.HDiff,
                           r.PegName.c_str(), static_cast<long long>(r.SubIndex) + 1, "",
                           static_cast<unsigned long>(r.SubIndex));
    return text::ToGbkTextFile(out);
}

// -- tower-base output: per centre stake the centre record and the INI text,
// per point its section record and its link to the point before. Point
// numbers stay small, as in the writer's files of one stake each. Left out:
// grouping by stake, sorting the sections by offset, the plan signs, the
// rounding of the offsets, the first point's link.
std::string TowerBaseLimitBytes(const SectionPointList& points, std::size_t stakes, std::size_t reserve) {
    std::string org;
    org.reserve(reserve);
    for (std::size_t s = 0; s < stakes; ++s) org += towerbase::kCentreRecord;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const SectionPoint& p = points[i];
        const int n = static_cast<int>(i % 16) + 2;
        text::AppendFormat(org, towerbase::kSectionPointRecord, n, p.PegDis, p.PegDis, p.HDiff);
        text::AppendFormat(org, towerbase::kFurtherLinkRecord, n, n - 1, p.SubIndex);
    }
    std::string out = text::ToGbkTextFile(org);
    for (std::size_t s = 0; s < stakes; ++s) out += text::ToGbkTextFile(towerbase::kIniText);
    return out;
}

void BM_OrgConvert(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const fs::path dir = FreshDir("org");
    SilentReporter silent;
    for (auto _ : state) {
        if (!ConvertToOrg(c.ordered, (dir / "route.dat").string(), silent)) Fail("ORG conversion failed");
    }
    const DirSize out = SizeOf(dir);
    Report(state, c.ordered.size(), &out);
}

void BM_OrgConvert_FormatAndWrite(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const fs::path dir = FreshDir("org-limit");
    SilentReporter silent;
    if (!ConvertToOrg(c.ordered, (dir / "route.dat").string(), silent)) Fail("ORG conversion failed");
    const DirSize writer = TakeWriterOutput(dir);
    OrgRecordBuilder t(c.ordered, silent);
    t.Build();
    const std::size_t records = t.MainRecords().size();
    RunLimit(state, dir, writer, c.ordered.size(),
             [&] { return OrgLimitBytes(c.ordered, records, writer.bytes); });
}

fs::path ResultPath(const fs::path& dir, int kind) {
    return dir / ("result." + ExtensionForKind(kind));
}

void BM_WriteResultFile(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const int kind = static_cast<int>(state.range(1));
    const fs::path dir = FreshDir("result" + std::to_string(kind));
    SilentReporter silent;
    for (auto _ : state) {
        if (!WriteResultFile(c.ordered, ResultPath(dir, kind).string(), kind, silent)) Fail("write failed");
    }
    const DirSize out = SizeOf(dir);
    state.SetLabel(ResultKinds()[static_cast<std::size_t>(kind)].shortName);
    Report(state, c.ordered.size(), &out);
}

void BM_WriteResultFile_FormatAndWrite(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const int kind = static_cast<int>(state.range(1));
    if (static_cast<std::size_t>(kind) >= std::size(kResultLimits)) {
        state.SkipWithError("no format-and-write layout for this kind");
        return;
    }
    const fs::path dir = FreshDir("result-limit" + std::to_string(kind));
    SilentReporter silent;
    if (!WriteResultFile(c.ordered, ResultPath(dir, kind).string(), kind, silent)) Fail("write failed");
    const DirSize writer = TakeWriterOutput(dir);
    const ResultLimit& layout = kResultLimits[kind];
    // The stakes are picked outside the loop (J then Z; the order changes nothing).
    DHPointList stakes;
    if (layout.stakesOnly) {
        stakes = JStakeList(c.ordered);
        const DHPointList z = ZStakeList(c.ordered);
        stakes.insert(stakes.end(), z.begin(), z.end());
    }
    const DHPointList& points = layout.stakesOnly ? stakes : c.ordered;
    state.SetLabel(ResultKinds()[static_cast<std::size_t>(kind)].shortName);
    RunLimit(state, dir, writer, c.ordered.size(), [&] { return ResultLimitBytes(layout, points, writer.bytes); });
}

DirSize TowSize(const Corpus& c) {
    DirSize s;
    s.bytes = fs::file_size(TowPathFor(c.opened));
    s.files = 1;
    return s;
}

void BM_ExportTowFile(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    for (auto _ : state) {
        if (ExportTowFile(c.opened, silent) != 1) Fail("TOW export failed");
    }
    const DirSize out = TowSize(c);
    Report(state, c.ordered.size(), &out);
}

void BM_ExportTowFile_FormatAndWrite(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    if (ExportTowFile(c.opened, silent) != 1) Fail("TOW export failed");
    const DirSize writer = TowSize(c);
    ProjectDatabase db(silent);
    Check(db.OpenProject(c.opened));
    const std::vector<TGDataUnit> rows = ReadRows(db);
    const fs::path dir = FreshDir("tow-limit");
    RunLimit(state, dir, writer, c.ordered.size(), [&] { return TowLimitBytes(rows, writer.bytes); });
}

void BM_TowerBaseOutput(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    TowerBaseSurvey survey(silent);
    survey.Load(c.opened);
    if (!survey.LoadSucceeded()) Fail("tower-base load failed");
    const fs::path dir = FreshDir("towerbase");
    survey.OrgOutputPath = (dir / "tower.dat").string();
    for (auto _ : state) {
        if (survey.Convert() != TowerBaseSurvey::ConvertResult::Done) Fail("tower-base output failed");
    }
    const DirSize out = SizeOf(dir);
    Report(state, survey.Points().size(), &out);
}

void BM_TowerBaseOutput_FormatAndWrite(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    TowerBaseSurvey survey(silent);
    survey.Load(c.opened);
    if (!survey.LoadSucceeded()) Fail("tower-base load failed");
    const fs::path dir = FreshDir("towerbase-limit");
    survey.OrgOutputPath = (dir / "tower.dat").string();
    if (survey.Convert() != TowerBaseSurvey::ConvertResult::Done) Fail("tower-base output failed");
    const DirSize writer = TakeWriterOutput(dir);
    std::set<std::string> stakes;
    for (const SectionPoint& p : survey.Points()) stakes.insert(p.PegName);
    RunLimit(state, dir, writer, survey.Points().size(),
             [&] { return TowerBaseLimitBytes(survey.Points(), stakes.size(), writer.bytes); });
}

// ---- merge -----------------------------------------------------------------------

constexpr int kMergeSources = 50;

struct MergeCorpus {
    fs::path folder;
    std::vector<MergeSource> sources;
    std::size_t points = 0;  // of all sources together
};

// Copies of one generated project under different names, each opened once
// so that its working tables exist.
const MergeCorpus& GetMergeCorpus() {
    static std::unique_ptr<MergeCorpus> slot;
    if (slot) return *slot;
    auto m = std::make_unique<MergeCorpus>();
    m->folder = BenchRoot() / "merge-sources";
    fs::create_directories(m->folder);
    const fs::path collector = BenchRoot() / "merge-collector.PD";
    bench::WriteCollectorFile(collector.string(), bench::GenerateProject(2000, 40, 20));
    SilentReporter silent;
    for (int i = 0; i < kMergeSources; ++i) {
        const fs::path path = m->folder / text::Format("line%02d.PD", i);
        fs::copy_file(collector, path, fs::copy_options::overwrite_existing);
        ProjectDatabase db(silent);
        Check(db.OpenProject(path.string()));
        m->points += ReadList(db).size();
    }
    m->sources = ListProjectFiles(m->folder.string());
    if (m->sources.size() != static_cast<std::size_t>(kMergeSources)) Fail("merge sources missing");
    slot = std::move(m);
    return *slot;
}

// A merge that lost rows would measure less work than it claims.
void CheckMerged(const std::string& target, std::size_t points) {
    SilentReporter silent;
    ProjectDatabase db(silent);
    Check(db.OpenProject(target));
    if (ReadList(db).size() != points) Fail("incomplete merge in " + target);
}

void RemoveBetweenIterations(benchmark::State& state, const std::string& path) {
    state.PauseTiming();
    fs::remove(path);
    state.ResumeTiming();
}

void BM_MergeProjects(benchmark::State& state) {
    const MergeCorpus& m = GetMergeCorpus();
    const std::string target = (BenchRoot() / "merged.PD").string();
    SilentReporter silent;
    for (auto _ : state) {
        RemoveBetweenIterations(state, target);
        if (MergeProjects(m.folder.string(), m.sources, target, silent) != MergeResult::Done) Fail("merge failed");
    }
    CheckMerged(target, m.points);
    Report(state, m.points);
}

// The merge's reading and appending alone: the sources are opened once
// outside the loop, and nothing is checked between the steps.
void BM_MergeProjects_ReadAndAppend(benchmark::State& state) {
    const MergeCorpus& m = GetMergeCorpus();
    const std::string target = (BenchRoot() / "merged-limit.PD").string();
    SilentReporter silent;
    std::vector<std::unique_ptr<ProjectDatabase>> sources;
    for (const MergeSource& s : m.sources) {
        auto& db = sources.emplace_back(std::make_unique<ProjectDatabase>(silent));
        Check(db->OpenProject((m.folder / s.fileName).string()));
    }
    for (auto _ : state) {
        RemoveBetweenIterations(state, target);
        MergeTargetDatabase out(silent);
        Check(out.Open(target));
        MergeTargetIndex index;
        AppendCounts counts;
        Check(out.ReadIndex(index));
        for (const auto& source : sources) {
            const DHPointList list = ReadList(*source);
            const std::vector<TGDataUnit> rows = ReadRows(*source);
            Check(out.AppendProject(list, rows, index, counts));
        }
    }
    CheckMerged(target, m.points);
    Report(state, m.points);
}

// ---- check ---------------------------------------------------------------------

// Every rule over the ordered list and the tower-base rows, already in memory.
void BM_CheckProject(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    Project project(silent);
    Check(project.Open(c.opened));
    SectionPointList towerBase;
    Check(check::ReadTowerBasePoints(project, towerBase));
    std::size_t findings = 0;
    for (auto _ : state) findings = check::CheckProject(c.ordered, towerBase).size();
    state.counters["findings"] = static_cast<double>(findings);
    Report(state, c.ordered.size());
}

// What linvara-cli check does: opening and reading both tables, then every rule.
void BM_CheckProjectFile(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    for (auto _ : state) {
        check::CheckSource source;
        Check(check::ReadCheckSource(c.opened, silent, source));
        benchmark::DoNotOptimize(check::CheckProject(source.points, source.towerBase).size());
    }
    Report(state, c.ordered.size());
}

// ---- import --------------------------------------------------------------------

// The ordered project's coordinate list (result kind 2, GB18030) imported into a
// new project file (no projection: the generated route runs further east than
// one zone reaches). Its limit is the first open of a project
// of as many points: the import should cost about that.
void BM_ImportPointFile(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const fs::path dir = FreshDir("import");
    const fs::path list = dir / "points.dat";
    int written = 0;
    WriteText(list, text::ToGbkTextFile(output::BuildCoordinateList(c.ordered, 2, written)));
    import::ImportOptions options;
    options.style = *import::FindBuiltInStyle("pn-pc-x-y-h");
    options.replace = true;
    const std::string out = (dir / "imported.PD").string();
    for (auto _ : state) {
        import::ImportOutcome outcome;
        Check(import::ImportPointFile(list.string(), out, options, outcome));
    }
    Report(state, static_cast<std::size_t>(written));
}

void BM_ImportPointFile_FirstOpen(benchmark::State& state) { BM_FirstOpen(state); }

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgName("size")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    if (LargeSizeWanted()) b->Arg(2);
}

void OrderSizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"points", "jstakes"})->Unit(benchmark::kMillisecond)->UseRealTime();
    b->Args({10000, 200})->Args({10000, 2000})->Args({100000, 200})->Args({100000, 2000});
    if (LargeSizeWanted()) b->Args({1000000, 20000});
}

void Kinds(benchmark::internal::Benchmark* b) {
    b->ArgNames({"size", "kind"})->Unit(benchmark::kMillisecond)->UseRealTime();
    for (const ResultKindInfo& k : ResultKinds()) b->Args({1, k.kind});
}

}  // namespace

BENCHMARK(BM_FirstOpen)->Apply(Sizes);
BENCHMARK(BM_FirstOpen_Sqlite3Shell)->Apply(Sizes);
BENCHMARK(BM_ReadStakeList)->Apply(Sizes);
BENCHMARK(BM_ReadStakeList_Sqlite3Shell)->Apply(Sizes);
BENCHMARK(BM_Save)->Apply(Sizes);
BENCHMARK(BM_Save_Sqlite3Shell)->Apply(Sizes);
BENCHMARK(BM_SaveAfterOneEdit)->Apply(Sizes);
BENCHMARK(BM_SaveAfterOneEdit_Sqlite3Shell)->Apply(Sizes);
BENCHMARK(BM_SaveAfterReorder)->Apply(Sizes);
BENCHMARK(BM_SaveAfterReorder_Sqlite3Shell)->Apply(Sizes);
BENCHMARK(BM_UndoReorder)->Apply(Sizes);
BENCHMARK(BM_UndoReorder_Command)->Apply(Sizes);
BENCHMARK(BM_AutoOrderStakes)->Apply(OrderSizes);
BENCHMARK(BM_OrgConvert)->Apply(Sizes);
BENCHMARK(BM_OrgConvert_FormatAndWrite)->Apply(Sizes);
BENCHMARK(BM_WriteResultFile)->Apply(Kinds);
BENCHMARK(BM_WriteResultFile_FormatAndWrite)->Apply(Kinds);
BENCHMARK(BM_ExportTowFile)->Apply(Sizes);
BENCHMARK(BM_ExportTowFile_FormatAndWrite)->Apply(Sizes);
BENCHMARK(BM_TowerBaseOutput)->Apply(Sizes);
BENCHMARK(BM_TowerBaseOutput_FormatAndWrite)->Apply(Sizes);
BENCHMARK(BM_ImportPointFile)->Apply(Sizes);
BENCHMARK(BM_ImportPointFile_FirstOpen)->Apply(Sizes);
BENCHMARK(BM_CheckProject)->Apply(Sizes);
BENCHMARK(BM_CheckProjectFile)->Apply(Sizes);
// A merge waits on the disk for every commit: a few runs even out its real time.
BENCHMARK(BM_MergeProjects)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MergeProjects_ReadAndAppend)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    int status = 0;
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "core_bench: %s\n", e.what());
        status = 1;
    }
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(BenchRoot(), ignored);
    return status;
}
