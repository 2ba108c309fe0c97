#include "import/gauss_kruger.h"

#ifdef LINVARA_WITH_PROJ
#include <proj.h>
#endif
#ifdef _WIN32
#include <windows.h>

#include <cwchar>
#include <filesystem>
#endif

#include <algorithm>
#include <cmath>

#include "text/file_system.h"
#include "text/format.h"

namespace linvara {
namespace {

constexpr double kPrefixUnit = 1e6;  // a zone number stands before the six digits of the east coordinate

bool IsWhole(double v) { return std::fabs(v - std::round(v)) < 1e-9; }

#if defined(LINVARA_WITH_PROJ) && defined(_WIN32)
// PROJ's database (coordinate systems by code) ships in share\proj beside the
// programs' bin folder, wherever the user installed or unpacked them; a
// PROJ_DATA (or the older PROJ_LIB) the user set still wins.
void UseDataBesideProgram(PJ_CONTEXT* context) {
    if (_wgetenv(L"PROJ_DATA") || _wgetenv(L"PROJ_LIB")) return;
    std::wstring program(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0 || length >= program.size()) return;
    program.resize(length);
    const std::filesystem::path data = std::filesystem::path(program).parent_path().parent_path() / L"share" / L"proj";
    const std::string utf8 = text::Utf8FromWide(data.wstring());  // PROJ takes its paths as UTF-8
    const char* paths[] = {utf8.c_str()};
    proj_context_set_search_paths(context, 1, paths);
}
#endif

}  // namespace

#ifdef LINVARA_WITH_PROJ
// One context per converter: PROJ contexts are not shared between threads.
struct GaussKruger::Proj {
    PJ_CONTEXT* context = nullptr;
    PJ* projection = nullptr;
    ~Proj() {
        if (projection) proj_destroy(projection);
        if (context) proj_context_destroy(context);
    }
};
#else
struct GaussKruger::Proj {};
#endif

bool GaussKruger::Available() {
#ifdef LINVARA_WITH_PROJ
    return true;
#else
    return false;
#endif
}

GaussKrugerZone ZoneOfMeridian(double centralMeridian) {
    GaussKrugerZone zone;
    zone.centralMeridian = centralMeridian;
    if (centralMeridian > 0 && IsWhole(centralMeridian / 3)) zone.zonePrefixes.push_back(static_cast<int>(std::lround(centralMeridian / 3)));
    if (centralMeridian > 0 && IsWhole((centralMeridian + 3) / 6))
        zone.zonePrefixes.push_back(static_cast<int>(std::lround((centralMeridian + 3) / 6)));
    return zone;
}

GaussKrugerZone ZoneOfNumber(int number, int width) {
    GaussKrugerZone zone;
    zone.centralMeridian = width == 6 ? 6.0 * number - 3.0 : 3.0 * number;
    zone.zonePrefixes = {number};
    return zone;
}

std::string ProjDefinition(const GaussKrugerZone& zone) {
    return text::Format("+proj=tmerc +lat_0=0 +lon_0=%.10g +k=1 +x_0=%d +y_0=0 +a=6378137 +rf=298.257222101 "
                        "+units=m +no_defs",
                        zone.centralMeridian, zone.falseEasting ? 500000 : 0);
}

CoordinateSystem CoordinateSystemOf(const GaussKrugerZone& zone) {
    CoordinateSystem system;
    system.name = text::Format("CGCS2000 高斯-克吕格，中央子午线%.10g°，东坐标%s500 km", zone.centralMeridian,
                               zone.falseEasting ? "加" : "不加");
    system.definition = ProjDefinition(zone);
    system.zonePrefixes = zone.zonePrefixes;
    return system;
}

std::unique_ptr<GaussKruger> GaussKruger::Create(const GaussKrugerZone& zone, std::string& error) {
    return Create(CoordinateSystemOf(zone), error);
}

std::unique_ptr<GaussKruger> GaussKruger::Create(const CoordinateSystem& system, std::string& error) {
#ifndef LINVARA_WITH_PROJ
    (void)system;
    error = kNotInThisBuild;
    return nullptr;
#else
    auto proj = std::make_unique<Proj>();
    proj->context = proj_context_create();
    if (!proj->context) {
        error = "无法创建PROJ环境";
        return nullptr;
    }
    proj_context_set_enable_network(proj->context, 0);
#ifdef _WIN32
    UseDataBesideProgram(proj->context);
#endif
    proj->projection = proj_create(proj->context, system.definition.c_str());
    if (!proj->projection) {
        error = proj_context_errno_string(proj->context, proj_context_errno(proj->context));
        return nullptr;
    }
    return std::unique_ptr<GaussKruger>(new GaussKruger(system.zonePrefixes, std::move(proj)));
#endif
}

GaussKruger::GaussKruger(std::vector<int> zonePrefixes, std::unique_ptr<Proj> proj)
    : zonePrefixes_(std::move(zonePrefixes)), proj_(std::move(proj)) {}

GaussKruger::~GaussKruger() = default;

bool GaussKruger::StripZonePrefix(double east, double& plain) const {
    plain = east;
    if (!(east >= kPrefixUnit)) return true;
    const int prefix = static_cast<int>(std::floor(east / kPrefixUnit));
    if (std::ranges::find(zonePrefixes_, prefix) == zonePrefixes_.end()) return false;
    plain = east - prefix * kPrefixUnit;
    return true;
}

#ifdef LINVARA_WITH_PROJ
bool GaussKruger::ToGeographic(double north, double east, double& latitude, double& longitude) const {
    double plain = 0;
    if (!StripZonePrefix(east, plain)) return false;
    proj_errno_reset(proj_->projection);
    const PJ_COORD out = proj_trans(proj_->projection, PJ_INV, proj_coord(plain, north, 0, 0));
    if (proj_errno(proj_->projection) != 0 || !std::isfinite(out.lp.lam) || !std::isfinite(out.lp.phi)) return false;
    latitude = proj_todeg(out.lp.phi);
    longitude = proj_todeg(out.lp.lam);
    return true;
}

bool GaussKruger::ToPlane(double latitude, double longitude, double& north, double& east) const {
    proj_errno_reset(proj_->projection);
    const PJ_COORD out =
        proj_trans(proj_->projection, PJ_FWD, proj_coord(proj_torad(longitude), proj_torad(latitude), 0, 0));
    if (proj_errno(proj_->projection) != 0 || !std::isfinite(out.xy.x) || !std::isfinite(out.xy.y)) return false;
    north = out.xy.y;
    east = out.xy.x;
    return true;
}

#else
// Never called: Create gives no converter without PROJ.
bool GaussKruger::ToGeographic(double, double, double&, double&) const { return false; }
bool GaussKruger::ToPlane(double, double, double&, double&) const { return false; }
#endif

}  // namespace linvara
