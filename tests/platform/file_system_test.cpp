// The machine's file system: what a file is given is what it holds, however the writes are
// cut, for a plain file and for one that replaces another only when complete.
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/temp_folder.h"
#include "run/whole_run.h"

namespace kinloom::platform {
namespace {

using kinloom::testing::ReadAll;

// Bytes that differ from block to block, so that a piece written twice or out of place shows.
std::string Bytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(seed >> 16);
  }
  return bytes;
}

TEST(RealFileSystemTest, SmallAndLargeWritesLandInOrder) {
  // Sizes around the gathered writes' limits: single bytes, just under and over a page,
  // blocks larger than the gathering buffer, and small writes after a large one.
  const std::vector<std::size_t> sizes = {1,    100,    4095, 4096,   4097, 7,      300000,
                                          3,    262143, 5,    262144, 1,    600000, 0,
                                          4096, 2,      8191, 262145, 9};
  kinloom::testing::TempFolder temp;
  for (bool replacing : {false, true}) {
    SCOPED_TRACE(replacing ? "replacing" : "plain");
    const std::string path = temp.path() + (replacing ? "/replaced.bin" : "/plain.bin");
    int error = -1;
    auto file = replacing ? RealFileSystem().CreateReplacing(path, &error)
                          : RealFileSystem().Create(path, &error);
    ASSERT_TRUE(file) << error;
    std::string expected;
    unsigned seed = 1;
    for (std::size_t size : sizes) {
      const std::string piece = Bytes(size, seed++);
      ASSERT_EQ(file->Write(piece.data(), piece.size()), 0);
      expected += piece;
    }
    ASSERT_EQ(file->Close(), 0);
    EXPECT_TRUE(ReadAll(path) == expected) << "the file differs from the bytes written";
  }
}

}  // namespace
}  // namespace kinloom::platform
