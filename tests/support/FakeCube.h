#pragma once
// An in-memory cube behind the cube-automation interface: the cube tool as the extraction
// meets it. Cubes are registered by file name; a report opens one, lays a dimension out as
// rows, drills rows down and exports the report as comma-separated text. Every member call
// is logged, and any member can be made to fail.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/CubeAutomation.h"

namespace vantorell::test {

// A category with its values, one text per measure (so a test can give one that is not a
// number). A category without values takes the sums of its children's.
struct FakeCategory {
    std::string name;
    std::vector<std::string> values;
    std::vector<FakeCategory> children;
};

struct FakeDimension {
    std::string name;
    std::vector<FakeCategory> categories;
};

struct FakeCubeData {
    std::vector<FakeDimension> dimensions;
    std::vector<std::string> measures;
    // Heading of the export's first value column, which belongs to the measures dimension.
    std::string measuresHeading = "MEASURES";
    std::string measuresDimension = "MEASURES";
};

class FakeCubeTool : public CubeAutomation {
public:
    // The identifiers that can be created; both generations at first.
    std::set<std::string> installed = {"CognosPowerPlay.Application", "CognosPowerPlay.Report",
                                       "PowerPlay.Application", "PowerPlay.Report"};
    std::map<std::string, FakeCubeData> cubes;  // by cube file name
    bool applicationVisible = true;
    // The member of this name (as the interface names it) raises CubeAutomationError.
    std::string failingMember;
    // Member calls in order, by the interface's names ("newReport /c/sales.mdc 1", ...),
    // while `logCalls` is set.
    std::vector<std::string> calls;
    bool logCalls = true;
    // Objects created, by identifier.
    std::vector<std::string> created;

    std::unique_ptr<CubeApplication> createApplication(const std::string& programmaticId) override;
    std::unique_ptr<CubeReport> createReport(const std::string& programmaticId) override;

    // Logs the call and raises when it is the failing member.
    void call(const std::string& member, const std::string& arguments = std::string());
};

// A leaf with its values.
FakeCategory fakeLeaf(const std::string& name, std::vector<std::string> values);
FakeCategory fakeParent(const std::string& name, std::vector<FakeCategory> children);

}  // namespace vantorell::test
