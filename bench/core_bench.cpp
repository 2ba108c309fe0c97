// Core operations on generated large projects. Each operation has a companion
// "limit" case measured in the same run: the sqlite3 shell doing the same
// database work, or plain formatting of as many bytes plus writing them.
// Compare real times (every case runs with UseRealTime: the shell is a child process).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "db/project_database.h"
#include "model/options.h"
#include "model/stake_sequence.h"
#include "org/org_transition.h"
#include "output/result_kinds.h"
#include "output/result_writer.h"
#include "project_generator.h"
#include "reporter.h"
#include "text/format.h"
#include "towerbase/tow_file.h"
#include "towerbase/tower_base_survey.h"

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
constexpr Size kSizes[] = {{10000, 200, 50}, {100000, 2000, 1000}};

void Fail(const std::string& what) { throw std::runtime_error(what); }

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
    CProjectDatabase db(silent);
    if (!db.OpenProject(c->opened)) Fail("cannot open " + c->opened);
    c->ordered = db.ReadStakeList();
    COptions options;
    AutoOrderStakes(c->ordered, options);
    if (!db.UpdateAllPoints(c->ordered) || !db.RewriteOrder(c->ordered)) Fail("cannot save " + c->opened);
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

// The limit of a writer: printf-formatting point fields into memory until the
// writer's byte count is reached, then writing them as the same number of files.
void FormatAndWrite(const DHPointList& list, const fs::path& dir, const DirSize& target) {
    std::string buf;
    buf.reserve(static_cast<std::size_t>(target.bytes) + 128);
    std::size_t i = 0;
    while (buf.size() < target.bytes) {
        const DHPoint& p = list[i++ % list.size()];
        text::AppendFormat(buf, "%s,%s,%.3f,%.3f,%.3f,%.3f,%.2f\r\n", p.NewPtName.c_str(), p.Code.c_str(), p.Dx,
                           p.Dy, p.Dh, p.Mileage, p.Offset);
    }
    const std::size_t files = target.files == 0 ? 1 : target.files;
    const std::size_t chunk = buf.size() / files + 1;
    for (std::size_t f = 0; f < files; ++f) {
        const std::size_t from = std::min(buf.size(), f * chunk);
        const std::size_t count = std::min(chunk, buf.size() - from);
        const fs::path path = dir / ("limit" + std::to_string(f) + ".txt");
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr) Fail("cannot write " + path.string());
        std::fwrite(buf.data() + from, 1, count, out);
        std::fclose(out);
    }
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
        CProjectDatabase db(silent);
        if (!db.OpenProject(work)) Fail("open failed");
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
    WriteText(sql, "BEGIN;\n" + CProjectDatabase::ExportTableSql() + ";\n" + CProjectDatabase::OrderTableSql() +
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
    CProjectDatabase db(silent);
    if (!db.OpenProject(c.opened)) Fail("open failed");
    for (auto _ : state) benchmark::DoNotOptimize(db.ReadStakeList());
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

void BM_Save(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    SilentReporter silent;
    CProjectDatabase db(silent);
    if (!db.OpenProject(c.opened)) Fail("open failed");
    const DHPointList list = db.ReadStakeList();
    for (auto _ : state) {
        if (!db.UpdateAllPoints(list) || !db.RewriteOrder(list)) Fail("save failed");
    }
    Report(state, list.size());
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

// ---- AutoOrderStakes -----------------------------------------------------------

void BM_AutoOrderStakes(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    const int jStakes = static_cast<int>(state.range(1));
    static std::map<std::pair<int, int>, DHPointList> lists;
    auto [it, fresh] = lists.try_emplace({points, jStakes});
    if (fresh) it->second = bench::ToWorkingList(bench::GenerateProject(points, jStakes, 0));
    COptions options;
    for (auto _ : state) {
        state.PauseTiming();
        DHPointList list = it->second;
        state.ResumeTiming();
        AutoOrderStakes(list, options);
        benchmark::DoNotOptimize(list.data());
    }
    Report(state, it->second.size());
}

// ---- writers -------------------------------------------------------------------

void BM_OrgConvert(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const fs::path dir = FreshDir("org");
    SilentReporter silent;
    for (auto _ : state) {
        OrgTransition t(c.ordered, silent);
        t.OutputPath = (dir / "route.dat").string();
        if (!t.Convert()) Fail("ORG conversion failed");
    }
    const DirSize out = SizeOf(dir);
    Report(state, c.ordered.size(), &out);
}

void BM_OrgConvert_FormatAndWrite(benchmark::State& state) {
    const Corpus& c = GetCorpus(static_cast<int>(state.range(0)));
    const fs::path dir = FreshDir("org-limit");
    SilentReporter silent;
    OrgTransition t(c.ordered, silent);
    t.OutputPath = (dir / "route.dat").string();
    t.Convert();
    const DirSize target = SizeOf(dir);
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (auto _ : state) FormatAndWrite(c.ordered, dir, target);
    Report(state, c.ordered.size(), &target);
}

fs::path ResultPath(const fs::path& dir, int kind) {
    return dir / ("result" + DefaultExtensionForKind(kind, ""));
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
    const fs::path dir = FreshDir("result-limit" + std::to_string(kind));
    SilentReporter silent;
    WriteResultFile(c.ordered, ResultPath(dir, kind).string(), kind, silent);
    const DirSize target = SizeOf(dir);
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (auto _ : state) FormatAndWrite(c.ordered, dir, target);
    state.SetLabel(ResultKinds()[static_cast<std::size_t>(kind)].shortName);
    Report(state, c.ordered.size(), &target);
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
    ExportTowFile(c.opened, silent);
    const DirSize target = TowSize(c);
    const fs::path dir = FreshDir("tow-limit");
    for (auto _ : state) FormatAndWrite(c.ordered, dir, target);
    Report(state, c.ordered.size(), &target);
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
    const fs::path dir = FreshDir("towerbase-limit");
    survey.OrgOutputPath = (dir / "tower.dat").string();
    survey.Convert();
    const DirSize target = SizeOf(dir);
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (auto _ : state) FormatAndWrite(c.ordered, dir, target);
    Report(state, survey.Points().size(), &target);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgName("size")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void Kinds(benchmark::internal::Benchmark* b) {
    b->ArgNames({"size", "kind"})->Unit(benchmark::kMillisecond)->UseRealTime();
    for (int kind = 0; kind < 12; ++kind) b->Args({1, kind});
}

}  // namespace

BENCHMARK(BM_FirstOpen)->Apply(Sizes);
BENCHMARK(BM_FirstOpen_Sqlite3Shell)->Apply(Sizes);
BENCHMARK(BM_ReadStakeList)->Apply(Sizes);
BENCHMARK(BM_ReadStakeList_Sqlite3Shell)->Apply(Sizes);
BENCHMARK(BM_Save)->Apply(Sizes);
BENCHMARK(BM_Save_Sqlite3Shell)->Apply(Sizes);
BENCHMARK(BM_AutoOrderStakes)
    ->ArgNames({"points", "jstakes"})
    ->Args({10000, 200})
    ->Args({10000, 2000})
    ->Args({100000, 200})
    ->Args({100000, 2000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_OrgConvert)->Apply(Sizes);
BENCHMARK(BM_OrgConvert_FormatAndWrite)->Apply(Sizes);
BENCHMARK(BM_WriteResultFile)->Apply(Kinds);
BENCHMARK(BM_WriteResultFile_FormatAndWrite)->Apply(Kinds);
BENCHMARK(BM_ExportTowFile)->Apply(Sizes);
BENCHMARK(BM_ExportTowFile_FormatAndWrite)->Apply(Sizes);
BENCHMARK(BM_TowerBaseOutput)->Apply(Sizes);
BENCHMARK(BM_TowerBaseOutput_FormatAndWrite)->Apply(Sizes);

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
