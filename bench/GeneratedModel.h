#pragma once
// Model files of a given size written directly as text, for benchmarks: four dimensions of
// three-level trees (the largest first), seven independent measures (three with negative
// totals, two with irregularities) and three weighted measures over the largest dimension.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vantorell::bench {

class GeneratedModel {
public:
    static constexpr int kIndependentMeasures = 7;
    static constexpr int kWeightedMeasures = 3;

    explicit GeneratedModel(int categories) {
        const int sizes[] = {categories * 70 / 100, categories * 25 / 100, categories * 4 / 100};
        int used = 0;
        for (int size : sizes) {
            dimensions_.push_back(shape(size));
            used += size;
        }
        dimensions_.push_back(shape(categories - used));
    }

    std::string text() {
        out_.clear();
        line("VT0200");
        lines({"INFO", "NCAT", std::to_string(categoryCount()), "NPOI", "100000", "*", "MEAS"});
        const int measures = kIndependentMeasures + kWeightedMeasures;
        for (int m = 1; m <= measures; ++m) {
            lines({tag("Measure ", m), tag("MS", m), tag("M", m)});
        }
        lines({"*", "DIM"});
        for (std::size_t d = 1; d <= dimensions_.size(); ++d) {
            lines({tag("Dimension ", d), "", tag("D", d)});
        }
        lines({"*", "CAT"});
        writeCategories();
        line("PER");
        for (int m = 1; m <= kIndependentMeasures; ++m) {
            writeIndependent(m);
        }
        for (int m = kIndependentMeasures + 1; m <= measures; ++m) {
            writeWeighted(m);
        }
        lines({"*", "OUT", "100000", "END"});
        return out_;
    }

    int categoryCount() const {
        int n = 0;
        for (const auto& d : dimensions_) {
            n += static_cast<int>(d.size());
        }
        return n;
    }

private:
    // Levels of one dimension in pre-order: ten top parents of ten parents each, the leaves
    // spread over them; a small dimension is flat.
    static std::vector<int> shape(int count) {
        std::vector<int> levels;
        if (count < 120) {
            levels.assign(static_cast<std::size_t>(count < 1 ? 1 : count), 1);
            return levels;
        }
        const int leaves = count - 110;
        for (int t = 0; t < 10; ++t) {
            levels.push_back(1);
            for (int m = 0; m < 10; ++m) {
                levels.push_back(2);
                const int group = t * 10 + m;
                const int n = leaves * (group + 1) / 100 - leaves * group / 100;
                levels.insert(levels.end(), static_cast<std::size_t>(n), 3);
            }
        }
        return levels;
    }

    // A text followed by a number, e.g. "M" and 3 as "M3".
    static std::string tag(const char* text, std::size_t number) {
        std::string s(text);
        s += std::to_string(number);
        return s;
    }

    void line(const std::string& text) {
        out_ += text;
        out_ += "\r\n";
    }
    void lines(std::initializer_list<std::string> texts) {
        for (const std::string& t : texts) {
            line(t);
        }
    }
    std::string number(double v) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.16g", v);
        return buffer;
    }
    double random() {  // deterministic, so every run reads the same file
        seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(seed_ >> 11) / 9007199254740992.0;
    }

    void writeCategories() {
        leafIds_.assign(dimensions_.size(), {});
        int leaves = 0;
        int parents = 0;
        for (std::size_t d = 0; d < dimensions_.size(); ++d) {
            const std::vector<int>& levels = dimensions_[d];
            const std::string dim = std::to_string(d + 1);
            line("D" + dim);
            for (std::size_t i = 0; i < levels.size(); ++i) {
                const bool parent = i + 1 < levels.size() && levels[i + 1] > levels[i];
                const std::string name = "Category " + dim + tag(".", i);
                if (parent) {
                    lines({">" + name, "K" + dim + tag("_", i), "H" + dim + tag("D", ++parents)});
                } else {
                    const std::string id = "C" + dim + tag("D", ++leaves);
                    lines({name, "K" + dim + tag("_", i), id});
                    leafIds_[d].push_back(id);
                }
                const int next = i + 1 < levels.size() ? levels[i + 1] : 1;
                for (int l = levels[i] - 1; l >= next && !parent; --l) {
                    line("*");
                }
            }
            line("*");
        }
        line("*");
    }

    void writeIndependent(int m) {
        const bool negative = m % 3 == 0;
        const bool irregular = m % 4 == 1;
        line(tag("M", m));
        if (m > 1) {
            line("IND");
        }
        if (negative) {
            line(number(-25000.0 * m));
        }
        line(number(1000000.0 * m));
        if (irregular) {
            lines({"-1", "2"});
            for (std::size_t d = 1; d <= dimensions_.size(); ++d) {
                const std::size_t family = d % 3;
                lines({tag("D", d), "15", std::to_string(family)});
                if (family > 0) {
                    line("5");  // family 0 has no inter-family value
                }
            }
            line("*");
        } else {
            line("10");
        }
        for (std::size_t d = 0; d < dimensions_.size(); ++d) {
            line(tag("D", d + 1));
            for (const std::string& id : leafIds_[d]) {
                line(id);
                line(number(random() * 1000.0));
                if (negative) {
                    line(number(random() * 50.0));
                }
            }
            line("*");
        }
        line("*");
    }

    void writeWeighted(int m) {
        lines({tag("M", m), "WEI", "0", "M1", "D1"});
        for (const std::string& id : leafIds_[0]) {
            const double average = 1.0 + random() * 10.0;
            lines({id, number(average * 0.5), number(average * 2.0), number(average)});
        }
        line("*");
    }

    std::vector<std::vector<int>> dimensions_;
    std::vector<std::vector<std::string>> leafIds_;
    std::uint64_t seed_ = 20240611;
    std::string out_;
};

}  // namespace vantorell::bench
