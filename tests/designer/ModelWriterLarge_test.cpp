// Models of many pieces, whose digest input and file bytes are hashed and written on the
// writer's worker thread: the bytes and the digest are those of the records in order, and a
// failure on either thread fails the save and leaves the previous file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QCryptographicHash>
#include <limits>
#include <string>
#include <vector>

#include "designer/rtnReaderWriter/FileKey.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/PieceWorker.h"
#include "designer/rtnReaderWriter/RecordWriter.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "tests/support/ModelCompare.h"
#include "tests/support/RandomModel.h"
#include "tests/support/RecordLayer.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

constexpr int kPoints = 5000;

// About 3.5 MB as a file: more than a dozen pieces of each stream.
ModelArrays largeModel() {
    test::RandomModelOptions options;
    options.minDimensions = 4;
    options.maxDimensions = 4;
    options.totalCategories = 20000;
    options.totalMeasures = 10;
    return test::randomModel(7, options);
}

bool save(const TempFolder& dir, ModelArrays& model, const std::string& target,
          std::string& digest) {
    return flgWriteFile(dir.path(), target, "", "", 0, digest, true, true, true, model, kPoints);
}

// The change digest the records must have, computed independently: SHA-256 over every
// record after its length, seven bits a byte.
std::string digestOfRecords(const std::vector<std::string>& records) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const std::string& record : records) {
        std::string length;
        std::size_t n = record.size();
        while (n >= 0x80) {
            length.push_back(static_cast<char>(0x80 | (n & 0x7F)));
            n >>= 7;
        }
        length.push_back(static_cast<char>(n));
        hash.addData(QByteArrayView(length.data(), static_cast<qsizetype>(length.size())));
        hash.addData(QByteArrayView(record.data(), static_cast<qsizetype>(record.size())));
    }
    return hash.result().toHex().toStdString();
}

// While it lives, no file of this process can grow beyond `bytes`: writes past that fail
// as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        ::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};

TEST(ModelWriterLargeTest, ManyPiecesReadBackWithTheDigestOfTheirLines) {
    TempFolder dir;
    ModelArrays model = largeModel();
    std::string digest;
    ASSERT_TRUE(save(dir, model, dir.file("m.vtm"), digest));
    const std::string bytes = dir.read("m.vtm");
    ASSERT_GT(bytes.size(), 12 * PieceWorker::kPieceSize);

    EXPECT_EQ(digest, digestOfRecords(test::crlfLines(bytes)));
    EXPECT_EQ(digest, test::modelDigest(model, kPoints));

    ModelArrays read;
    std::int32_t points = 0;
    ASSERT_TRUE(flgReadFile(dir.path(), dir.file("m.vtm"), "", "", 0, true, points, read));
    EXPECT_TRUE(test::sameModel(model, read));

    std::string again;
    ASSERT_TRUE(save(dir, model, dir.file("again.vtm"), again));
    EXPECT_EQ(dir.read("again.vtm"), bytes);
    EXPECT_EQ(again, digest);
}

TEST(ModelWriterLargeTest, RecordLayerOfManyPiecesReadsBack) {
    std::vector<std::string> records;
    for (int i = 0; i < 40000; ++i) {
        records.push_back("record " + std::to_string(i) + std::string(i % 40, '~'));
    }
    const std::string key = strFileKeyForm("pass word", true);
    TempFolder dir;
    std::string digest;
    {
        AtomicFile file(dir.file("temp.dat"), 0600);
        RecordWriter out(&file, key, true);
        for (const std::string& r : records) {
            out.nulWriteRecord(r);
        }
        digest = out.nulFinishChecksum();
        file.commit();
    }
    const std::string bytes = dir.read("temp.dat");
    ASSERT_GT(bytes.size(), 4 * PieceWorker::kPieceSize);
    EXPECT_EQ(test::decodeRecordLayer(bytes, key), records);
    EXPECT_EQ(digest, digestOfRecords(records));
}

TEST(ModelWriterLargeTest, AWriteFailingOnTheWorkerFailsTheSave) {
    TempFolder dir;
    const std::string target = dir.write("model.vtm", "previous contents");
    ModelArrays model = largeModel();
    std::string digest = "previous digest";
    bool saved = true;
    {
        // The second piece the worker writes fails.
        FileSizeLimit limit(3 * PieceWorker::kPieceSize / 2);
        saved = save(dir, model, target, digest);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(digest, "previous digest");
    EXPECT_EQ(dir.read("model.vtm"), "previous contents");
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 1u) << "no temporary file is left behind";

    // Once the file can grow, the same arrays save.
    EXPECT_TRUE(save(dir, model, target, digest));
    EXPECT_EQ(digest, test::modelDigest(model, kPoints));
}

// A text refused after many pieces have gone to the worker: the worker is stopped, and
// nothing it wrote stays.
TEST(ModelWriterLargeTest, ARefusalAfterManyPiecesLeavesThePreviousFile) {
    TempFolder dir;
    const std::string target = dir.write("model.vtm", "previous contents");
    ModelArrays model = largeModel();
    // The last independent measure is written after the categories and every other one.
    for (auto m = model.measures.rbegin(); m != model.measures.rend(); ++m) {
        if (m->chrType == 'I') {
            m->dblPosTotal = std::numeric_limits<double>::infinity();
            break;
        }
    }
    std::string digest = "previous digest";
    EXPECT_THROW(save(dir, model, target, digest), ModelWriteError);
    EXPECT_EQ(digest, "previous digest");
    EXPECT_EQ(dir.read("model.vtm"), "previous contents");
    EXPECT_EQ(findEntries(dir.path() + "*").size(), 1u);
}

}  // namespace
}  // namespace vantorell
