#include "import/collector_project.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>

#include "db/connection_defences.h"
#include "db/lat_lon_tables.h"
#include "db/project_database.h"
#include "model/code_tables.h"
#include "model/dh_point.h"
#include "text/format.h"
#include "text/temporary_file.h"
#include "text/file_system.h"

namespace linvara::import {
namespace {

// The collector's own tables; Electric_Data_TG is declared as the merge declares it.
constexpr const char* kCollectorTables = R"SQL(
CREATE TABLE Point (ID INTEGER PRIMARY KEY, GPSID CHAR, Name CHAR, CODE CHAR, North DOUBLE, East DOUBLE,
  Height DOUBLE, Latitude DOUBLE, Longitude DOUBLE, Altitude DOUBLE, StartTime CHAR, HostIMEI CHAR,
  DeleteSign INTEGER);
CREATE TABLE Electric_Data_DH (ID INTEGER PRIMARY KEY, GPS_ID CHAR, Type INTEGER, Type_Note CHAR,
  [Index] INTEGER, LinkCode INTEGER, LinkCode_Note CHAR, PoleType INTEGER, PoleType_Note CHAR,
  AddHeight DOUBLE, GLAngleOrLength CHAR, GLWidth CHAR, GouType INTEGER, GouType_Note CHAR,
  StartJ CHAR, EndJ CHAR, PtAfterSel CHAR, PtBeforSel CHAR);
)SQL";

constexpr const char* kInsertPoint =
    "INSERT INTO Point (GPSID, Name, CODE, North, East, Height, Latitude, Longitude, Altitude, StartTime, HostIMEI, "
    "DeleteSign) VALUES (?,?,?,?,?,?,?,?,?,?,'',0)";
constexpr const char* kInsertDh =
    "INSERT INTO Electric_Data_DH (GPS_ID, Type, Type_Note, [Index], LinkCode, LinkCode_Note, PoleType, "
    "PoleType_Note, AddHeight, GLAngleOrLength, GLWidth, GouType, GouType_Note, StartJ, EndJ, PtAfterSel, "
    "PtBeforSel) VALUES (?,?,?,?,?,?,1,'',0,'','',?,?,'','','','')";

// The names of the feature a point carries, as the collector notes them.
struct FeatureCodes {
    int link = 0, gou = 0;
    std::string linkNote, gouNote;
};

FeatureCodes FeatureOf(const ImportedPoint& p) {
    FeatureCodes f;
    if (p.feature == 0) return f;
    if (p.kind == CrossingOnePoint) {
        f.link = p.feature;
        f.linkNote = CodeText(CrossingObjectTable(), p.feature);
    } else {
        f.gou = p.feature;
        f.gouNote = CodeText(p.kind == AuxPoint ? PointCodeTable() : FeatureClassTable(), p.feature);
    }
    // The note is the name alone, without the "(code)" of the display text.
    for (std::string* note : {&f.linkNote, &f.gouNote})
        if (const std::size_t open = note->rfind('('); open != std::string::npos) note->resize(open);
    return f;
}

void FillTables(SQLite::Database& db, std::span<const ImportedPoint> points, const CollectorStamp& stamp,
                const CoordinateSystem* system) {
    db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");  // a file no one sees until it is renamed
    db.exec(kCollectorTables);
    db.exec(ProjectDatabase::TowerBaseTableSql());
    SQLite::Transaction tx(db);
    SQLite::Statement point(db, kInsertPoint);
    SQLite::Statement dh(db, kInsertDh);
    const int digits = points.size() < 1000000 ? 6 : 9;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ImportedPoint& p = points[i];
        const std::string gpsId = stamp.gpsIdPrefix + text::Format("%0*zu", digits, i + 1);
        point.bind(1, gpsId);
        point.bind(2, p.name);
        point.bind(3, p.code);
        point.bind(4, p.north);
        point.bind(5, p.east);
        point.bind(6, p.height);
        point.bind(7, p.latitude);
        point.bind(8, p.longitude);
        point.bind(9, p.height);  // the file gives one height
        point.bind(10, stamp.startTime);
        point.exec();
        point.reset();
        const FeatureCodes f = FeatureOf(p);
        dh.bind(1, gpsId);
        dh.bind(2, p.kind);
        dh.bind(3, DHTypeName(p.kind));
        dh.bind(4, static_cast<int64_t>(i));
        dh.bind(5, f.link);
        dh.bind(6, f.linkNote);
        dh.bind(7, f.gou);
        dh.bind(8, f.gouNote);
        dh.exec();
        dh.reset();
    }
    if (system != nullptr) lat_lon_tables::WriteSystem(db, *system);
    tx.commit();
}

// The temporary file beside the target, named, so SQLite can open it; it
// stays open (and locked) until renamed, and is removed on any failure.
class BuildFile {
public:
    explicit BuildFile(const std::string& target) : target_(target) {
        text::RemoveStaleTemporaries(target);
        text::TemporaryFile temp = text::CreateTemporaryFor(target);
        fd_ = temp.fd;
        name_ = temp.name;
        if (fd_ >= 0 && name_.empty()) name_ = text::NameTemporary(fd_, target);
        if (fd_ >= 0 && name_.empty()) Close();
    }
    ~BuildFile() {
        Close();
        if (!name_.empty()) text::RemoveFile(name_);
    }
    bool ok() const { return fd_ >= 0; }
    const std::string& name() const { return name_; }

    // Flushes to disk and renames over (or, without `replace`, beside no) target.
    bool Commit(bool replace) {
#ifdef _WIN32
        // Windows renames no open file; it has no permission bits to set.
        if (::_commit(fd_) != 0) return false;
        Close();
#else
        if (::fchmod(fd_, 0666 & ~CurrentUmask()) != 0 || ::fsync(fd_) != 0) return false;
#endif
        if (replace ? !text::RenameOver(name_, target_) : !text::MoveFileNoReplace(name_, target_)) return false;
        name_.clear();
        Close();
        return true;
    }

private:
#ifndef _WIN32
    static mode_t CurrentUmask() {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }
#endif
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    std::string target_, name_;
    int fd_ = -1;
};

}  // namespace

const char* CollectorSurveyTablesSql() { return kCollectorTables; }

CollectorStamp StampNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = text::LocalTime(now);
    char day[32], time[32];
    std::strftime(day, sizeof day, "%Y%m%d%H%M%S", &local);
    std::strftime(time, sizeof time, "%Y-%m-%d %H:%M:%S", &local);
    // Two imports in the same second still get different identities.
    std::random_device random;
    return {text::Format("%s%04u", day, static_cast<unsigned>(random() % 10000)), time};
}

Status WriteCollectorProject(const std::string& path, std::span<const ImportedPoint> points,
                             const CollectorStamp& stamp, bool replace, const CoordinateSystem* system) {
    if (!replace && text::FileExists(path)) return Status::Failed("文件已存在，未覆盖：" + path);
    BuildFile file(path);
    if (!file.ok()) return Status::Failed(WithCause("无法创建工程文件：" + path, std::strerror(errno)));
    try {
        db::ProjectConnection db(file.name(), SQLite::OPEN_READWRITE, 0);
        FillTables(db, points, stamp, system);
    } catch (const std::exception& e) {
        return Status::Failed(WithCause("写入工程文件失败：" + path, e.what()));
    }
    if (!file.Commit(replace)) {
        const bool exists = errno == EEXIST;
        return Status::Failed(exists ? "文件已存在，未覆盖：" + path
                                     : WithCause("写入工程文件失败：" + path, std::strerror(errno)));
    }
    return Status::Ok();
}

}  // namespace linvara::import
