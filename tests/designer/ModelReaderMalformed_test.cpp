// The sample model damaged in every place: cut after each record, a number replaced by
// garbage, a record replaced by a structure keyword. The reader never crashes or hangs; it
// returns false or raises ModelFileError naming the record and its line.
#include <gtest/gtest.h>

#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "platform/FileSystem.h"
#include "tests/support/KeyedRecords.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

class ModelReaderMalformedTest : public ::testing::Test {
protected:
    std::vector<std::string> sample_ =
        test::splitLines(readWholeFile(test::sourcePath("examples/sales.vtm")));
    test::TempFolder folder_;
    test::TestMessages messages_;

    bool read(const std::vector<std::string>& lines) {
        ModelArrays m;
        std::int32_t points = 0;
        return flgReadFile(folder_.write("damaged.vtm", test::joinLines(lines)), points, m);
    }
};

TEST_F(ModelReaderMalformedTest, CutAfterEveryRecord) {
    for (std::size_t keep = 0; keep < sample_.size(); ++keep) {
        SCOPED_TRACE("records kept: " + std::to_string(keep));
        const std::vector<std::string> cut(sample_.begin(),
                                           sample_.begin() + static_cast<std::ptrdiff_t>(keep));
        EXPECT_FALSE(read(cut));
    }
    EXPECT_TRUE(read(sample_));
}

TEST_F(ModelReaderMalformedTest, GarbageInPlaceOfEachNumber) {
    const auto npoiValue = static_cast<std::size_t>(
        std::find(sample_.begin(), sample_.end(), "NPOI") - sample_.begin() + 1);
    int numbers = 0;
    for (std::size_t i = 0; i < sample_.size(); ++i) {
        double ignored = 0.0;
        if (!flgParseDouble(sample_[i], ignored)) {
            continue;
        }
        ++numbers;
        for (const std::string garbage : {"4O0", "", "1e999", "12.5.1", "nan", "- 3"}) {
            SCOPED_TRACE("line " + std::to_string(i + 1) + " as \"" + garbage + "\"");
            std::vector<std::string> damaged = sample_;
            damaged[i] = garbage;
            if (i == npoiValue) {
                EXPECT_TRUE(read(damaged));  // the point count in INFO is not read
                continue;
            }
            try {
                read(damaged);
                ADD_FAILURE() << "no error";
            } catch (const ModelFileError& e) {
                EXPECT_NE(std::string(e.what()).find("The record \"" + garbage + "\" on line " +
                                                     std::to_string(i + 1) + " of the model file"),
                          std::string::npos)
                    << e.what();
            }
        }
    }
    EXPECT_GT(numbers, 100);  // the number records were found
}

TEST_F(ModelReaderMalformedTest, StructureRecordsInPlaceOfEachRecord) {
    for (std::size_t i = 0; i < sample_.size(); ++i) {
        for (const std::string replacement : {"*", "END", "D1", ">x", "-1"}) {
            SCOPED_TRACE("line " + std::to_string(i + 1) + " as \"" + replacement + "\"");
            std::vector<std::string> damaged = sample_;
            damaged[i] = replacement;
            try {
                read(damaged);
            } catch (const ModelFileError&) {
            }
        }
    }
}

// A carriage return inside a line would put a line break into a name, which no save could
// write back: the file is refused with the line named. One at the end of the line ends it.
TEST_F(ModelReaderMalformedTest, CarriageReturnInsideALine) {
    const auto name = static_cast<std::size_t>(std::find(sample_.begin(), sample_.end(), "MEAS") -
                                               sample_.begin() + 1);
    for (const std::string& damage :
         {sample_[name] + "\r", std::string("A\rB"), "\r" + sample_[name]}) {
        std::vector<std::string> damaged = sample_;
        damaged[name] = damage;
        try {
            read(damaged);
            ADD_FAILURE() << "no error";
        } catch (const ModelFileError& e) {
            EXPECT_NE(std::string(e.what()).find("on line " + std::to_string(name + 1) +
                                                 " of the model file"),
                      std::string::npos)
                << e.what();
            EXPECT_NE(std::string(e.what()).find("holds a line break"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace vantorell
