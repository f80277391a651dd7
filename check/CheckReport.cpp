#include "check/CheckReport.h"

#include <algorithm>

namespace sorvel::check {

Severity EntryReport::severity() const {
  if (installed) return Severity::None;
  return causes.empty() ? Severity::Warning : Severity::Error;
}

namespace {

int CountOf(const CheckReport& report, Severity severity) {
  const auto entries =
      report.scanned ? std::count_if(report.entries.begin(), report.entries.end(),
                                     [severity](const auto& e) { return e.severity() == severity; })
                     : 0;
  const auto findings =
      std::count_if(report.findings.begin(), report.findings.end(),
                    [severity](const auto& f) { return f.severity() == severity; });
  return static_cast<int>(entries + findings);
}

}  // namespace

int CheckReport::Errors() const { return CountOf(*this, Severity::Error); }

int CheckReport::Warnings() const { return CountOf(*this, Severity::Warning); }

int CheckReport::ExitCode() const {
  if (incomplete) return kExitUnreadable;
  return Errors() > 0 ? 1 : 0;
}

}  // namespace sorvel::check
