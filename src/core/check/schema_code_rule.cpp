#include "check/schema_code_rule.h"

#include "check/rules.h"
#include "db/schema_guard.h"

namespace linvara::check {

void AddSchemaCodeFinding(const std::vector<std::string>& schemaCode, Findings& findings) {
    if (schemaCode.empty()) return;
    const std::string text = db::ForeignSchemaCodeText(schemaCode) + "；用 linvara-cli clean 可写出不含它们的副本";
    findings.insert(findings.begin(), Found(RuleNamed("schema-code"), Place::Project, text));
}

}  // namespace linvara::check
