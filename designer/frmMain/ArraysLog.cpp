#include "designer/frmMain/ArraysLog.h"

#include <charconv>
#include <cstdio>

#include "designer/rtnFiles.h"

namespace vantorell {
namespace {

// The pieces of a line follow printf-like patterns ("%25s", "%4d", "%10.2f"): right-aligned
// in their width, "." as the decimal separator whatever the locale.
class Line {
public:
    explicit Line(std::string& out) : out_(out) {}
    ~Line() { out_ += "\r\n"; }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    Line& text(std::string_view s, std::size_t width, const char* tail) {
        if (s.size() < width) {
            out_.append(width - s.size(), ' ');
        }
        out_ += s;
        out_ += tail;
        return *this;
    }
    Line& integer(long long value, std::size_t width, const char* tail) {
        return text(std::to_string(value), width, tail);
    }
    Line& fixed(double value, int decimals, std::size_t width, const char* tail) {
        char buffer[400];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                             std::chars_format::fixed, decimals);
        return text(ec == std::errc()
                        ? std::string_view(buffer, static_cast<std::size_t>(end - buffer))
                        : std::string_view("?"),
                    width, tail);
    }

private:
    std::string& out_;
};

void line(std::string& out, std::string_view text) {
    Line(out).text(text, 0, "");
}

std::string loggedText(const std::tm& t) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int month = t.tm_mon >= 0 && t.tm_mon < 12 ? t.tm_mon : 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Logged: %04d-%s-%02d @ %02d:%02d:%02d", t.tm_year + 1900,
                  months[month], t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return buffer;
}

}  // namespace

std::string strArraysLogText(const std::string& caption, const std::tm& logged,
                             const TArrDimensions& dimensions, const std::string& checksum,
                             const TArrIrregularities& irregularities,
                             const TArrMeasureValues& values, const TArrMeasures& measures,
                             const TArrCategories& categories) {
    std::string out;
    out.reserve(256 + 80 * (dimensions.size() + categories.size() + measures.size()) +
                64 * (values.size() + irregularities.size()));
    line(out, " ");
    line(out, std::string(56, '-'));
    line(out, caption);
    line(out, " ");
    line(out, loggedText(logged));
    line(out, " ");

    line(out, "[Dimensions]");
    Line(out).text("Idx", 4, ": ").text("strName", 25, ", ").text("strCode", 25, " ");
    for (std::size_t i = 0; i < dimensions.size(); ++i) {
        const TDimensionRecord& d = dimensions[i];
        Line(out)
            .integer(static_cast<long long>(i), 4, ": ")
            .text(d.strName.str(), 25, ", ")
            .text(d.strCode.str(), 25, " ");
    }

    line(out, " ");
    line(out, "[Categories]");
    Line(out)
        .text("Idx", 4, ": ")
        .text("strName", 25, ", ")
        .text("strCode", 25, ", ")
        .text("bytLevelNumber", 2, ", ")
        .text("intParentDimensionIndex", 3, " ");
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const TCategoryRecord& c = categories[i];
        Line(out)
            .integer(static_cast<long long>(i), 4, ": ")
            .text(c.strName.str(), 25, ", ")
            .text(c.strCode.str(), 25, ", ")
            .integer(c.bytLevelNumber, 2, ", ")
            .integer(c.intParentDimensionIndex, 3, " ");
    }

    line(out, " ");
    line(out, "[Measures]");
    Line(out)
        .text("Idx", 4, ": ")
        .text("strName", 25, ", ")
        .text("strCode", 25, ", ")
        .text("chrType", 1, ", ")
        .text("dblPosTotal", 13, ", ")
        .text("dblNegTotal", 13, ", ")
        .text("intIrregularityType", 2, ", ")
        .text("intGlobalPercent", 3, ", ")
        .text("intSourceMeasureIndex", 3, ", ")
        .text("intWeightingDimensionIndex", 3, " ");
    for (std::size_t i = 0; i < measures.size(); ++i) {
        const TMeasureRecord& m = measures[i];
        Line(out)
            .integer(static_cast<long long>(i), 4, ": ")
            .text(m.strName.str(), 25, ", ")
            .text(m.strCode.str(), 25, ", ")
            .text(std::string(1, m.chrType), 1, ", ")
            .fixed(m.dblPosTotal, 2, 10, ", ")
            .fixed(m.dblNegTotal, 2, 10, ", ")
            .integer(m.intIrregularityType, 2, ", ")
            .integer(m.intGlobalPercent, 3, ", ")
            .integer(m.intSourceMeasureIndex, 3, ", ")
            .integer(m.intWeightingDimensionIndex, 3, " ");
    }

    line(out, " ");
    line(out, "[MeasureValues]");
    Line(out)
        .text("Idx", 4, ": ")
        .text("intMeasureIndex", 2, ", ")
        .text("intDimensionIndex", 2, ", ")
        .text("intCategoryIndex", 2, ", ")
        .text("intPercentage", 2, ", ")
        .text("intNegPercentage", 2, ", ")
        .text("dblMaximumRatio", 5, " ")
        .text("dblAverageRatio", 5, ", ")
        .text("dblMinimumRatio", 5, ", ");
    for (std::size_t i = 0; i < values.size(); ++i) {
        const TMeasureValueRecord& v = values[i];
        Line(out)
            .integer(static_cast<long long>(i), 4, ": ")
            .integer(v.intMeasureIndex, 2, ", ")
            .integer(v.intDimensionIndex, 2, ", ")
            .integer(v.intCategoryIndex, 2, ", ")
            .integer(v.intPercentage, 2, ", ")
            .integer(v.intNegPercentage, 2, ", ")
            .fixed(v.dblMaximumRatio, 2, 2, " ")
            .fixed(v.dblAverageRatio, 2, 2, ", ")
            .fixed(v.dblMinimumRatio, 2, 2, ", ");
    }

    line(out, " ");
    line(out, "[Irregularities]");
    Line(out)
        .text("Idx", 4, ": ")
        .text("intMeasureIndex", 2, ", ")
        .text("intDimensionIndex", 2, ", ")
        .text("dblStandardIrregularity", 7, ", ")
        .text("dblInterFamilyIrregularity", 7, ", ")
        .text("intIrregularityFamilyNumber", 2, " ");
    for (std::size_t i = 0; i < irregularities.size(); ++i) {
        const TIrregularityRecord& r = irregularities[i];
        Line(out)
            .integer(static_cast<long long>(i), 4, ": ")
            .integer(r.intMeasureIndex, 2, ", ")
            .integer(r.intDimensionIndex, 2, ", ")
            .fixed(r.dblStandardIrregularity, 3, 3, ", ")
            .fixed(r.dblInterFamilyIrregularity, 3, 3, ", ")
            .integer(r.intIrregularityFamilyNumber, 2, " ");
    }

    line(out, " ");
    line(out, "CheckSum: " + checksum);
    return out;
}

void nulArraysLogWrite(const std::string& path, const std::string& caption,
                       const TArrDimensions& dimensions, const std::string& checksum,
                       const TArrIrregularities& irregularities, const TArrMeasureValues& values,
                       const TArrMeasures& measures, const TArrCategories& categories,
                       const std::tm& logged) {
    nulFileAppendText(path, strArraysLogText(caption, logged, dimensions, checksum, irregularities,
                                             values, measures, categories));
}

}  // namespace vantorell
