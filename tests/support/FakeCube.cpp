#include "tests/support/FakeCube.h"

#include <algorithm>

#include "designer/rtnReaderWriter/ModelNumbers.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "platform/FileSystem.h"

namespace vantorell::test {
namespace {

class FakeList : public CubeCategoryList {
public:
    explicit FakeList(FakeCubeTool& tool) : tool_(tool) {}
    void add(int position, const std::string& name) override {
        tool_.call("add", std::to_string(position) + " " + name);
        names.push_back(name);
    }
    void setShareOf(bool shareOf) override { tool_.call("setShareOf", shareOf ? "1" : "0"); }
    std::vector<std::string> names;

private:
    FakeCubeTool& tool_;
};

const FakeList& asFake(const CubeCategoryList& list) {
    return dynamic_cast<const FakeList&>(list);
}

std::vector<std::string> valuesOf(const FakeCategory& c, std::size_t measures);

// The sums of the categories' values, as texts.
std::vector<std::string> sumsOf(const std::vector<FakeCategory>& categories, std::size_t measures) {
    std::vector<double> sums(measures, 0.0);
    for (const FakeCategory& c : categories) {
        const std::vector<std::string> v = valuesOf(c, measures);
        for (std::size_t m = 0; m < measures; ++m) {
            double x = 0.0;
            sums[m] += flgParseDouble(v[m], x) ? x : 0.0;
        }
    }
    std::vector<std::string> texts;
    for (const double s : sums) {
        texts.push_back(floatText(s).str());
    }
    return texts;
}

// The value texts of a category: its own, or its children's sums.
std::vector<std::string> valuesOf(const FakeCategory& c, std::size_t measures) {
    if (!c.values.empty() || c.children.empty()) {
        std::vector<std::string> v = c.values;
        v.resize(measures, "0");
        return v;
    }
    return sumsOf(c.children, measures);
}

class FakeReport : public CubeReport {
public:
    explicit FakeReport(FakeCubeTool& tool) : tool_(tool) {}

    void newReport(const std::string& cubeFile, int kind) override {
        tool_.call("newReport", cubeFile + " " + std::to_string(kind));
        const auto found = tool_.cubes.find(cubeFile);
        if (found == tool_.cubes.end() || kind != 1) {
            throw CubeAutomationError("The cube " + cubeFile + " cannot be opened.");
        }
        cube_ = &found->second;
    }
    void setExplorerMode(bool on) override { tool_.call("setExplorerMode", on ? "1" : "0"); }
    void setVisible(bool visible) override { tool_.call("setVisible", visible ? "1" : "0"); }
    std::unique_ptr<CubeCategoryList> categoryList() override {
        tool_.call("categoryList");
        return std::make_unique<FakeList>(tool_);
    }
    int dimensionLineCount() override {
        tool_.call("dimensionLineCount");
        return static_cast<int>(cube().dimensions.size());
    }
    std::string dimensionLineItemName(int d) override {
        tool_.call("dimensionLineItemName", std::to_string(d));
        return cube().dimensions.at(static_cast<std::size_t>(d - 1)).name;
    }
    void columnsRemove() override {
        tool_.call("columnsRemove");
        columns_ = 0;
    }
    void columnsAdd(const CubeCategoryList& list) override {
        tool_.call("columnsAdd", asFake(list).names.at(0));
        columns_ = 1;
    }
    void columnsItemAddLowestLevelCategories(int column, bool shareOf) override {
        tool_.call("columnsItemAddLowestLevelCategories",
                   std::to_string(column) + " " + (shareOf ? "1" : "0"));
        columns_ = static_cast<int>(cube().measures.size());
    }
    int columnsCount() override {
        tool_.call("columnsCount");
        return columns_;
    }
    void rowsRemove() override {
        tool_.call("rowsRemove");
        rows_.clear();
    }
    void rowsAdd(const CubeCategoryList& list) override {
        const std::string& name = asFake(list).names.at(0);
        tool_.call("rowsAdd", name);
        const auto& dims = cube().dimensions;
        const auto found = std::find_if(dims.begin(), dims.end(),
                                        [&](const FakeDimension& d) { return d.name == name; });
        if (found == dims.end()) {
            throw CubeAutomationError("No dimension " + name + ".");
        }
        dimension_ = &*found;
        rows_ = {Row{nullptr, false}};
    }
    int rowsCount() override {
        tool_.call("rowsCount");
        return static_cast<int>(rows_.size());
    }
    std::string rowsItemName(int r) override {
        tool_.call("rowsItemName", std::to_string(r));
        const Row& row = rowAt(r);
        return row.category ? row.category->name : dimension_->name;
    }
    bool rowsItemCanDrillDown(int r) override {
        tool_.call("rowsItemCanDrillDown", std::to_string(r));
        const Row& row = rowAt(r);
        return !row.drilled && !childrenOf(row).empty();
    }
    void rowsItemDrillDown(int r) override {
        tool_.call("rowsItemDrillDown", std::to_string(r));
        Row& row = rowAt(r);
        row.drilled = true;
        std::vector<Row> added;
        for (const FakeCategory& child : childrenOf(row)) {
            added.push_back(Row{&child, false});
        }
        rows_.insert(rows_.begin() + r, added.begin(), added.end());
    }
    void saveAs(const std::string& file, int format) override {
        tool_.call("saveAs", file + " " + std::to_string(format));
        if (format != 3) {
            throw CubeAutomationError("Unknown export format.");
        }
        const std::size_t m = cube().measures.size();
        std::string text = "\"" + extractFileName(file) + "\"\r\n\"Report\"\r\n\"";
        for (const FakeDimension& d : cube().dimensions) {
            text += d.name + ",";
        }
        text += cube().measuresDimension + "\"\r\n,\"" + cube().measuresHeading + "\"";
        for (const std::string& measure : cube().measures) {
            text += ",\"" + measure + "\"";
        }
        text += "\r\n";
        for (const Row& row : rows_) {
            const std::vector<std::string> values =
                row.category ? valuesOf(*row.category, m) : sumsOf(dimension_->categories, m);
            text += "\"" + (row.category ? row.category->name : dimension_->name) + "\",";
            double sum = 0.0;
            for (const std::string& v : values) {
                double x = 0.0;
                sum += flgParseDouble(v, x) ? x : 0.0;
            }
            text += floatText(sum).str();
            for (const std::string& v : values) {
                text += "," + v;
            }
            text += "\r\n";
        }
        writeFileAtomically(file, text);
    }
    void close() override { tool_.call("close"); }

private:
    struct Row {
        const FakeCategory* category;  // nullptr: the dimension's own row
        bool drilled;
    };
    const FakeCubeData& cube() const {
        if (cube_ == nullptr) {
            throw CubeAutomationError("No cube is open.");
        }
        return *cube_;
    }
    Row& rowAt(int r) {
        if (r < 1 || static_cast<std::size_t>(r) > rows_.size()) {
            throw CubeAutomationError("No row " + std::to_string(r) + ".");
        }
        return rows_[static_cast<std::size_t>(r - 1)];
    }
    const std::vector<FakeCategory>& childrenOf(const Row& row) const {
        return row.category ? row.category->children : dimension_->categories;
    }

    FakeCubeTool& tool_;
    const FakeCubeData* cube_ = nullptr;
    const FakeDimension* dimension_ = nullptr;
    int columns_ = 0;
    std::vector<Row> rows_;
};

class FakeApplication : public CubeApplication {
public:
    explicit FakeApplication(FakeCubeTool& tool) : tool_(tool) {}
    bool isVisible() override {
        tool_.call("isVisible");
        return tool_.applicationVisible;
    }
    void minimize() override { tool_.call("minimize"); }
    void quit() override { tool_.call("quit"); }

private:
    FakeCubeTool& tool_;
};

}  // namespace

void FakeCubeTool::call(const std::string& member, const std::string& arguments) {
    if (logCalls) {
        calls.push_back(arguments.empty() ? member : member + " " + arguments);
    }
    if (!failingMember.empty() && member == failingMember) {
        throw CubeAutomationError("The cube tool failed in " + member + ".");
    }
}

std::unique_ptr<CubeApplication> FakeCubeTool::createApplication(
    const std::string& programmaticId) {
    if (installed.count(programmaticId) == 0) {
        return nullptr;
    }
    created.push_back(programmaticId);
    return std::make_unique<FakeApplication>(*this);
}

std::unique_ptr<CubeReport> FakeCubeTool::createReport(const std::string& programmaticId) {
    if (installed.count(programmaticId) == 0) {
        return nullptr;
    }
    created.push_back(programmaticId);
    return std::make_unique<FakeReport>(*this);
}

FakeCategory fakeLeaf(const std::string& name, std::vector<std::string> values) {
    return FakeCategory{name, std::move(values), {}};
}

FakeCategory fakeParent(const std::string& name, std::vector<FakeCategory> children) {
    return FakeCategory{name, {}, std::move(children)};
}

}  // namespace vantorell::test
