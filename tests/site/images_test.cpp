#include "site/images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/resources.h"
#include "site/page_writer_fixture.h"

namespace kinloom::site {
namespace {

struct Gif {
  int width = 0, height = 0, table_size = 0;
  std::vector<std::uint8_t> pixels;
  int transparent = -1;
};

int U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

// Reads the screen descriptor, the colour table and the one image of a GIF89a file.
Gif Decode(std::string_view b) {
  Gif g;
  EXPECT_EQ(b.substr(0, 6), "GIF89a");
  g.width = U16(b, 6);
  g.height = U16(b, 8);
  const std::uint8_t flags = static_cast<std::uint8_t>(b[10]);
  EXPECT_TRUE(flags & 0x80) << "global colour table";
  g.table_size = 2 << (flags & 7);
  std::size_t pos = 13 + 3 * static_cast<std::size_t>(g.table_size);
  while (b.at(pos) == 0x21) {
    if (static_cast<std::uint8_t>(b.at(pos + 1)) == 0xF9 && (b.at(pos + 3) & 1))
      g.transparent = static_cast<std::uint8_t>(b.at(pos + 6));
    pos += 2;
    while (b.at(pos)) pos += static_cast<std::uint8_t>(b.at(pos)) + 1;
    ++pos;
  }
  EXPECT_EQ(b.at(pos), ',');
  EXPECT_EQ(U16(b, pos + 5), g.width);
  EXPECT_EQ(U16(b, pos + 7), g.height);
  pos += 10;
  const int min_size = static_cast<std::uint8_t>(b.at(pos++));
  std::vector<std::uint8_t> stream;
  while (b.at(pos)) {
    std::size_t n = static_cast<std::uint8_t>(b.at(pos));
    stream.insert(stream.end(), b.begin() + pos + 1, b.begin() + pos + 1 + n);
    pos += n + 1;
  }
  EXPECT_EQ(b.at(pos + 1), ';');

  const int clear = 1 << min_size;
  std::vector<std::vector<std::uint8_t>> table;
  int size = 0;
  std::size_t bit = 0;
  std::vector<std::uint8_t> prev;
  auto reset = [&] {
    table.clear();
    for (int i = 0; i < clear + 2; ++i) table.push_back({static_cast<std::uint8_t>(i)});
    size = min_size + 1;
    prev.clear();
  };
  reset();
  while (bit + size <= stream.size() * 8) {
    int code = 0;
    for (int i = 0; i < size; ++i, ++bit) code |= ((stream[bit / 8] >> (bit % 8)) & 1) << i;
    if (code == clear) {
      reset();
      continue;
    }
    if (code == clear + 1) break;
    std::vector<std::uint8_t> entry;
    if (code < static_cast<int>(table.size())) {
      entry = table[code];
      if (!prev.empty()) {
        table.push_back(prev);
        table.back().push_back(entry[0]);
      }
    } else {
      entry = prev;
      entry.push_back(prev.at(0));
      table.push_back(entry);
    }
    g.pixels.insert(g.pixels.end(), entry.begin(), entry.end());
    prev = entry;
    if (static_cast<int>(table.size()) == (1 << size) && size < 12) ++size;
  }
  EXPECT_EQ(g.pixels.size(), static_cast<std::size_t>(g.width * g.height));
  return g;
}

struct Expected {
  int number;
  const char* name;
  int width, height, table_size;
};

constexpr Expected kExpected[] = {
    {152, "q2.gif", 150, 84, 256}, {153, "q1.gif", 32, 32, 256}, {177, "q5.gif", 10, 10, 16},
    {164, "q3.gif", 32, 32, 256},  {170, "q4.gif", 32, 32, 256}, {159, "q6.gif", 7, 55, 256},
    {160, "q7.gif", 7, 55, 256},   {161, "q8.gif", 7, 55, 256},  {165, "qa.gif", 7, 55, 256},
    {166, "qb.gif", 7, 55, 256},   {167, "qc.gif", 7, 55, 256},  {162, "q9.gif", 32, 21, 16},
    {163, "q0.gif", 32, 21, 16},
};

TEST(ImagesTest, EveryImageIsWrittenWithItsSizeAndColourTable) {
  testing::WriterTestRun t;
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(ImageFileName(e.number), e.name);
    EXPECT_EQ(ExtractImage(t.writer, e.number), 1);
    const std::string written = t.fs.Read(std::string("/out/") + e.name);
    EXPECT_EQ(written, *platform::FindResource(e.name)) << "written byte for byte";
    Gif g = Decode(written);
    EXPECT_EQ(g.width, e.width);
    EXPECT_EQ(g.height, e.height);
    EXPECT_EQ(g.table_size, e.table_size);
  }
  EXPECT_EQ(t.writer.pages_written(), 13);
  EXPECT_EQ(t.writer.buffer_writes(), 13);
  EXPECT_TRUE(t.ui.messages.empty());
}

// The chart pieces stacked in one table column must form unbroken lines: a piece that
// reaches its top or bottom edge does so in the middle pixel column, and every horizontal
// stroke lies in the middle pixel row, reaching the left or the right edge.
TEST(ImagesTest, PedigreePiecesJoin) {
  struct Piece {
    const char* name;
    bool up, down, left, right;
  };
  const Piece pieces[] = {
      {"q6.gif", false, true, false, true}, {"q7.gif", true, false, false, true},
      {"q8.gif", true, true, false, false}, {"qa.gif", true, true, true, false},
      {"qb.gif", true, false, true, false}, {"qc.gif", false, true, true, false},
  };
  for (const Piece& p : pieces) {
    SCOPED_TRACE(p.name);
    Gif g = Decode(*platform::FindResource(p.name));
    ASSERT_EQ(g.pixels.size(), 7u * 55u);
    ASSERT_GE(g.transparent, 0);
    auto drawn = [&](int x, int y) { return g.pixels[y * 7 + x] != g.transparent; };
    EXPECT_EQ(drawn(3, 0), p.up);
    EXPECT_EQ(drawn(3, 54), p.down);
    EXPECT_EQ(drawn(0, 27), p.left);
    EXPECT_EQ(drawn(6, 27), p.right);
    EXPECT_TRUE(drawn(3, 27)) << "strokes meet in the middle";
    for (int y = 0; y < 55; ++y) {
      if (y == 27) continue;
      for (int x = 0; x < 7; ++x) {
        if (x != 3) {
          EXPECT_FALSE(drawn(x, y)) << "stray pixel " << x << "," << y;
        }
      }
      EXPECT_EQ(drawn(3, y), y < 27 ? p.up : p.down);
    }
  }
}

TEST(ImagesTest, UnknownNumberWritesNothing) {
  testing::WriterTestRun t;
  EXPECT_EQ(ExtractImage(t.writer, 151), 0);
  EXPECT_TRUE(t.fs.files.empty());
  EXPECT_TRUE(t.ui.messages.empty());
  EXPECT_EQ(t.writer.pages_written(), 0);
}

TEST(ImagesTest, MissingResourceIsReportedAndTheRunGoesOn) {
  testing::WriterTestRun t;
  auto none = [](std::string_view) -> std::optional<std::string_view> { return std::nullopt; };
  EXPECT_EQ(ExtractImage(t.writer, kImageLogo, none), 0);
  ASSERT_EQ(t.ui.messages.size(), 1u);
  EXPECT_EQ(t.ui.messages[0].text,
            "Unable to copy the pedigree image file q1.gif to location /out/q1.gif.\n"
            "  Error = No such file or directory");
  EXPECT_EQ(t.ui.messages[0].icon, platform::MessageIcon::kWarning);
  EXPECT_TRUE(t.fs.files.empty());
  EXPECT_EQ(t.writer.pages_written(), 0);
}

TEST(ImagesTest, ReplacesAnExistingFileAndFailsQuietlyWhenItCannot) {
  testing::WriterTestRun t;
  t.fs.files["/out/q5.gif"] = "old";
  EXPECT_EQ(ExtractImage(t.writer, kImageRedDot), 1);
  EXPECT_EQ(t.fs.files["/out/q5.gif"].substr(0, 6), "GIF89a");

  t.fs.fail_create.insert("/out/q3.gif");
  EXPECT_EQ(ExtractImage(t.writer, kImagePedigreeIcon), 0);
  EXPECT_TRUE(t.ui.messages.empty());
  EXPECT_EQ(t.writer.pages_written(), 1);
}

}  // namespace
}  // namespace kinloom::site
