// "Arrays.log" and the elapsed time of the status bar.
#include "designer/frmMain/ArraysLog.h"

#include <gtest/gtest.h>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/ElapsedTime.h"
#include "designer/rtnFiles.h"
#include "platform/FileSystem.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEditors.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using namespace test;

ModelArrays loggedModel() {
    ModelArrays m;
    m.dimensions = {dimension("Region", "REG"),
                    dimension("A name longer than twenty-five bytes", "X")};
    m.categories = {category("North", "N", 1, 0), category("Ports", "P", 12, 1)};
    TMeasureRecord units = weighted("Units", "UNI", 0, 1);
    units.dblPosTotal = 12345678901.126;
    units.dblNegTotal = -0.5;
    units.intIrregularityType = -1;
    units.intGlobalPercent = 100;
    m.measures = {independent("Sales", "SAL", 1250.5, 20, 2, 0), units};
    m.values = {share(0, 0, 0, 1000000, 1000000), ratios(1, 1, 1, 1.0 / 3, 2.5, 1.25)};
    m.irregularities = {irregularity(0, 0, 0.25, 0.5, 1)};
    return m;
}

const char* const kLoggedModel =
    " \r\n"
    "--------------------------------------------------------\r\n"
    "Internalizing for file load... /models/sales.vtm\r\n"
    " \r\n"
    "Logged: 2024-Mar-05 @ 14:07:09\r\n"
    " \r\n"
    "[Dimensions]\r\n"
    " Idx:                   strName,                   strCode \r\n"
    "   0:                    Region,                       REG \r\n"
    "   1: A name longer than twenty-five bytes,                         X \r\n"
    " \r\n"
    "[Categories]\r\n"
    " Idx:                   strName,                   strCode, bytLevelNumber, "
    "intParentDimensionIndex \r\n"
    "   0:                     North,                         N,  1,   0 \r\n"
    "   1:                     Ports,                         P, 12,   1 \r\n"
    " \r\n"
    "[Measures]\r\n"
    " Idx:                   strName,                   strCode, chrType,   dblPosTotal,   "
    "dblNegTotal, intIrregularityType, intGlobalPercent, intSourceMeasureIndex, "
    "intWeightingDimensionIndex \r\n"
    "   0:                     Sales,                       SAL, I,    1250.50,      20.00,  2,   "
    "0,   0,   0 \r\n"
    "   1:                     Units,                       UNI, W, 12345678901.13,      -0.50, "
    "-1, 100,   0,   1 \r\n"
    " \r\n"
    "[MeasureValues]\r\n"
    " Idx: intMeasureIndex, intDimensionIndex, intCategoryIndex, intPercentage, intNegPercentage, "
    "dblMaximumRatio dblAverageRatio, dblMinimumRatio, \r\n"
    "   0:  0,  0,  0, 1000000, 1000000, 0.00 0.00, 0.00, \r\n"
    "   1:  1,  1,  1,  0,  0, 2.50 1.25, 0.33, \r\n"
    " \r\n"
    "[Irregularities]\r\n"
    " Idx: intMeasureIndex, intDimensionIndex, dblStandardIrregularity, "
    "dblInterFamilyIrregularity, intIrregularityFamilyNumber \r\n"
    "   0:  0,  0, 0.250, 0.500,  1 \r\n"
    " \r\n"
    "CheckSum: 0123abcd\r\n";

TEST(ArraysLogTest, LayoutOfOneDump) {
    const ModelArrays m = loggedModel();
    EXPECT_EQ(strArraysLogText("Internalizing for file load... /models/sales.vtm", fixedLocalTime(),
                               m.dimensions, "0123abcd", m.irregularities, m.values, m.measures,
                               m.categories),
              kLoggedModel);
}

TEST(ArraysLogTest, DumpsAreAppended) {
    TempFolder folder;
    const ModelArrays m = loggedModel();
    const std::string path = folder.file("Arrays.log");
    for (int i = 0; i < 2; ++i) {
        nulArraysLogWrite(path, "Internalizing for file load... /models/sales.vtm", m.dimensions,
                          "0123abcd", m.irregularities, m.values, m.measures, m.categories,
                          fixedLocalTime());
    }
    EXPECT_EQ(folder.read("Arrays.log"), std::string(kLoggedModel) + kLoggedModel);
    EXPECT_THROW(
        nulArraysLogWrite(folder.file("none/Arrays.log"), "x", m.dimensions, "", m.irregularities,
                          m.values, m.measures, m.categories, fixedLocalTime()),
        FileIoError);
}

TEST(ArraysLogTest, ConversionsLogWhenTheArrayDebugMaskIsSet) {
    TempFolder program;
    TestMessages messages;
    TestEditors editors(program.path());
    ASSERT_TRUE(editors.internalize(smallModel()));
    EXPECT_FALSE(fileExists(program.file("Arrays.log")));

    editors.intArrayDebugFlags = 1;
    ModelArrays given = smallModel();
    const ModelArrays copy = given;
    std::string checksum;
    ASSERT_TRUE(nulInternalizeReaderWriterArrays(editors, given, checksum, {}, {}, false,
                                                 "Internalizing for file load... a.vtm",
                                                 "Arrays.log"));
    ModelArrays out;
    std::string outChecksum;
    ASSERT_TRUE(nulExternalizeReaderWriterArrays(
        editors, out, outChecksum, "Externalizing for file save... a.vtm", "Arrays.log"));
    EXPECT_EQ(program.read("Arrays.log"),
              strArraysLogText("Internalizing for file load... a.vtm", fixedLocalTime(),
                               copy.dimensions, checksum, copy.irregularities, copy.values,
                               copy.measures, copy.categories) +
                  strArraysLogText("Externalizing for file save... a.vtm", fixedLocalTime(),
                                   out.dimensions, outChecksum, out.irregularities, out.values,
                                   out.measures, out.categories));
}

TEST(ArraysLogTest, ALogThatCannotBeWrittenIsReportedAndTheConversionGoesOn) {
    TempFolder program;
    TestMessages messages;
    TestEditors editors(program.path() + "missing/");
    editors.intArrayDebugFlags = 1;
    messages.expectContaining("The model arrays could not be written to the log file \"" +
                              program.path() + "missing/Arrays.log\".");
    ASSERT_TRUE(editors.internalize(smallModel()));
    messages.expectContaining("could not be written");
    ModelArrays out;
    std::string checksum;
    EXPECT_TRUE(nulExternalizeReaderWriterArrays(editors, out, checksum, "x", "Arrays.log"));
    EXPECT_EQ(out.measures.size(), 2u);
    EXPECT_FALSE(checksum.empty());
}

TEST(ElapsedTimeTest, HoursMinutesSecondsAndThreeDigitsOfMilliseconds) {
    using std::chrono::milliseconds;
    const std::chrono::steady_clock::time_point start{};
    const std::pair<long long, const char*> cases[] = {
        {0, "00:00:00.000"},     {1005, "00:00:01.005"},    {1250, "00:00:01.250"},
        {59999, "00:00:59.999"}, {3723456, "01:02:03.456"}, {360000000, "100:00:00.000"},
        {-5, "00:00:00.000"},
    };
    for (const auto& [ms, text] : cases) {
        EXPECT_EQ(strElapsedTimeGet(start + milliseconds(ms), start), text) << ms;
    }
}

}  // namespace
}  // namespace vantorell
