// The shared arithmetic and the binary reader/writer that every file format uses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "core/arith.h"
#include "core/binio.h"
#include "core/files.h"

TEST(Round, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(-1.5), -2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(22.5), 22);  // a text width of 24/32 at size 30
  EXPECT_EQ(Round(26.25), 26);
  EXPECT_EQ(Round(2.4999), 2);
  EXPECT_EQ(Round(2.5001), 3);
  EXPECT_EQ(Round(-7.6), -8);
}

TEST(Round, NonFiniteValuesStayInRange) {
  EXPECT_EQ(Round(std::nan("")), 0);
  EXPECT_EQ(Round(1e300), INT32_MAX);
  EXPECT_EQ(Round(-1e300), INT32_MIN);
}

TEST(DivTrunc, TruncatesTowardsZero) {
  EXPECT_EQ(DivTrunc(7, 2), 3);
  EXPECT_EQ(DivTrunc(-7, 2), -3);
  EXPECT_EQ(DivTrunc(-1, 10), 0);
  EXPECT_EQ(DivTrunc(5, 0), 0);
}

TEST(Random, StaysInRangeAndReplaysWithTheSameSeed) {
  SeedRandom(42);
  int first[50];
  bool seen[8] = {};
  for (int& v : first) {
    v = Random(8);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 8);
    seen[v] = true;
  }
  for (bool s : seen) EXPECT_TRUE(s);
  SeedRandom(42);
  for (int v : first) EXPECT_EQ(Random(8), v);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(1), 0);
}

TEST(ByteReader, ReadsLittleEndianAndRefusesBytesPastTheEnd) {
  const uint8_t bytes[] = {0x34, 0x12, 0xff, 0xff, 0xff, 0xff, 0x00, 0x00, 0x80, 0x3f};
  ByteReader in(bytes, sizeof bytes);
  EXPECT_EQ(in.U16(0), 0x1234);
  EXPECT_EQ(in.I32(2), -1);
  EXPECT_FLOAT_EQ(in.F32(6), 1.0f);
  EXPECT_TRUE(in.Has(6, 4));
  EXPECT_FALSE(in.Has(7, 4));
  EXPECT_FALSE(in.Has(SIZE_MAX, 2));  // no overflow in the bounds check
  EXPECT_EQ(in.U32(8), 0u);           // partly outside: 0, never a read past the end
  uint8_t out[4] = {9, 9, 9, 9};
  EXPECT_FALSE(in.Bytes(8, out, 4));
  EXPECT_EQ(out[0], 9);
}

TEST(ByteWriter, WritesWhatTheReaderReads) {
  ByteWriter w(12);
  w.U16(0, 0xBEEF);
  w.I32(2, -123456);
  w.F32(6, 0.45f);
  w.U8(10, 7);
  ByteReader r(w.Result());
  EXPECT_EQ(r.U16(0), 0xBEEF);
  EXPECT_EQ(r.I32(2), -123456);
  EXPECT_FLOAT_EQ(r.F32(6), 0.45f);
  EXPECT_EQ(r.U8(10), 7);
  EXPECT_EQ(r.U8(11), 0);
}

class AtomicWrite : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/quorbels-files-XXXXXX";
    dir_ = mkdtemp(tmpl);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
};

TEST_F(AtomicWrite, ReplacesTheFileAndLeavesNoTemporary) {
  std::string path = dir_ + "/save.dat";
  std::ofstream(path) << "old";
  ASSERT_TRUE(WriteFileAtomic(path, "new!", 4));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new!");
  EXPECT_NE(access((path + ".tmp").c_str(), F_OK), 0);
}

TEST_F(AtomicWrite, AFailedWriteKeepsTheOldFileAndSaysWhy) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  std::string path = dir_ + "/save.dat";
  std::ofstream(path) << "old";
  chmod(dir_.c_str(), 0555);
  std::string why;
  EXPECT_FALSE(WriteFileAtomic(path, "new!", 4, &why));
  chmod(dir_.c_str(), 0755);
  EXPECT_FALSE(why.empty());
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");
}

TEST_F(AtomicWrite, AMissingFolderIsReportedNotIgnored) {
  std::string why;
  EXPECT_FALSE(WriteFileAtomic(dir_ + "/no/such/folder/save.dat", "x", 1, &why));
  EXPECT_NE(why.find("temporary"), std::string::npos);
}

TEST(RequiredRecord, AShortFileEndsTheProgramNamingTheFile) {
  std::string path = "/tmp/quorbels-short-record.dat";
  std::ofstream(path) << "abc";
  EXPECT_EXIT(ReadRequiredRecord(path, 7), ::testing::ExitedWithCode(1), "quorbels-short-record.dat");
  EXPECT_EXIT(ReadRequiredRecord("/tmp/does-not-exist.dat", 7), ::testing::ExitedWithCode(1),
              "does-not-exist.dat");
  std::vector<uint8_t> bytes = ReadRequiredRecord(path, 2);
  EXPECT_EQ(bytes.size(), 2u);
  std::remove(path.c_str());
}
