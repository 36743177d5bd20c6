#include "designer/rtnReaderWriter/CubeDimensionRows.h"

#include "designer/rtnReaderWriter/CheckedIntegers.h"
#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/TextFields.h"

namespace vantorell {
namespace {

constexpr int kDebugDrilling = 2;

bool isLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string rowName(CubeReport& report, int row) {
    std::string name = report.rowsItemName(row);
    if (!name.empty() && (static_cast<unsigned char>(name.back()) < 32 || name.back() == 127)) {
        name.pop_back();
    }
    return name;
}

// Drills `row` when it can be drilled; the number of rows it added.
std::int32_t drilled(CubeReport& report, int row) {
    if (!report.rowsItemCanDrillDown(row)) {
        return 0;
    }
    const int before = report.rowsCount();
    report.rowsItemDrillDown(row);
    const int added = report.rowsCount() - before;
    if (added < 0) {
        throw CubeAutomationError("Drilling down row " + std::to_string(row) +
                                  " took rows off the report.");
    }
    return added;
}

struct Pending {
    std::int32_t parent;  // row index, -1 for the dimension's own row
    std::int32_t left;    // children still to come
};

}  // namespace

std::vector<TCubeRow> arrCubeRowsDrill(CubeReport& report, int debugMask) {
    nulDebugMessage("Drilling down from 1", kDebugDrilling, debugMask);
    std::vector<TCubeRow> rows;
    // Children follow their parent directly, so the rows come in pre-order and each row's
    // parent is the innermost one still waiting for children.
    std::vector<Pending> pending;
    if (const std::int32_t top = drilled(report, 1); top > 0) {
        pending.push_back({-1, top});
    }
    while (!pending.empty()) {
        if (pending.back().left == 0) {
            pending.pop_back();
            continue;
        }
        --pending.back().left;
        const auto index = intCheckedCount(rows.size(), "the row count");
        const int reportRow = intCheckedAdd(index, 2, "the row count");
        rows.push_back({rowName(report, reportRow), pending.back().parent, 0});
        if (const std::int32_t children = drilled(report, reportRow); children > 0) {
            rows.back().children = children;
            pending.push_back({index, children});
        }
    }
    return rows;
}

std::string strCubeNameFilter(const std::string& name) {
    static const TCharSet printable = charSetRange(32, 126);
    std::string filtered;
    strFilterChars(name, printable, filtered);
    return filtered;
}

std::string strCubeCode(const std::string& prefix, const std::string& name) {
    std::string compact;
    strRemoveSpaces(name, compact);
    return prefix + compact.substr(0, 10);
}

TCubeCategories nulCubeCategoriesMake(const std::vector<TCubeRow>& rows, std::int32_t& leafNumber,
                                      std::int32_t& parentNumber) {
    const std::size_t n = rows.size();
    // Which rows keep a leaf below them (or are one), and where each row's subtree ends.
    std::vector<bool> keeps(n, false);
    std::vector<std::size_t> end(n, 0);
    for (std::size_t i = n; i-- > 0;) {
        if (end[i] == 0) {
            end[i] = i + 1;
        }
        if (rows[i].children == 0) {
            keeps[i] = rows[i].name.find('"') == std::string::npos;
        }
        if (rows[i].parent >= 0) {
            const auto p = static_cast<std::size_t>(rows[i].parent);
            keeps[p] = keeps[p] || keeps[i];
            end[p] = std::max(end[p], end[i]);
        }
    }

    TCubeCategories made;
    made.firstLeaf = intCheckedAdd(leafNumber, 1, "the leaf count");
    made.firstParent = intCheckedAdd(parentNumber, 1, "the parent count");
    auto line = [&made](const std::string& text) {
        made.lines += text;
        made.lines += "\r\n";
    };
    auto shown = [](const std::string& filtered) {
        return !filtered.empty() && isLetterOrDigit(filtered.front()) ? filtered : "~" + filtered;
    };
    std::vector<std::size_t> open;  // ends of the parents written and not yet closed
    for (std::size_t i = 0; i < n;) {
        while (!open.empty() && open.back() == i) {
            line("*");
            open.pop_back();
        }
        const std::string filtered = strCubeNameFilter(rows[i].name);
        if (rows[i].children > 0 && keeps[i]) {
            parentNumber = intCheckedAdd(parentNumber, 1, "the parent count");
            const std::string k = std::to_string(parentNumber);
            line(">" + shown(filtered));
            line(strCubeCode("H" + k + "H", filtered));
            line("H" + k);
            made.parentRows.push_back(static_cast<std::int32_t>(i));
            open.push_back(end[i]);
            ++i;
            continue;
        }
        if (rows[i].name.find('"') == std::string::npos) {
            leafNumber = intCheckedAdd(leafNumber, 1, "the leaf count");
            const std::string j = std::to_string(leafNumber);
            line(shown(filtered));
            line(strCubeCode("C" + j + "C", filtered));
            line("C" + j);
            made.leafRows.push_back(static_cast<std::int32_t>(i));
        }
        i = end[i];
    }
    while (!open.empty()) {
        line("*");
        open.pop_back();
    }
    return made;
}

}  // namespace vantorell
