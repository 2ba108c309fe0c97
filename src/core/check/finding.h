#pragma once
#include <string>
#include <vector>

namespace linvara::check {

enum class Severity {
    Error,    // an output would be wrong or incomplete
    Warning,  // worth a look; the outputs can still be made
};

// "错误" / "警告".
const char* SeverityText(Severity severity);

// Where a finding points: a point of the working stake list, a row of the
// tower-base table, or the project as a whole.
enum class Place { Project, ListRow, TowerBaseRow, TowerBaseStake };

// One problem found by a rule, linked to the point it is about.
struct Finding {
    Severity severity = Severity::Error;
    const char* rule = "";  // stable identifier of the rule, e.g. "aux-missing"
    Place place = Place::Project;
    int row = -1;           // 0-based: position in the working list, or tower-base row
    std::string point;      // the point's NewPtName, or the centre stake's name
    std::string gpsId;      // the point's GPS_ID (list rows only): how a view finds it again
    std::string section;    // the section letter (tower-base findings)
    std::string message;    // what is wrong, in the system's words
    bool spoilsOrg = false; // the ORG file would come out wrong or incomplete (the rule's row says)
};

using Findings = std::vector<Finding>;

// Whether any finding is an error.
bool HasErrors(const Findings& findings);

// How many findings spoil the ORG file, and how many of them are errors.
struct OrgRisk {
    long long findings = 0;
    long long errors = 0;
};
OrgRisk OrgRiskOf(const Findings& findings);

}  // namespace linvara::check
