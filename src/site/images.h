// The thirteen GIF images that the generated pages use (logo, background, red dot, icons and
// the pedigree chart pieces). They are embedded in the program and written unchanged into
// the output folder under fixed names when the pages that use them are generated.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "settings/settings.h"
#include "site/page_writer.h"

namespace kinloom::site {

// The resource numbers of the images.
inline constexpr int kImageBackground = 152;    // q2.gif
inline constexpr int kImageLogo = 153;          // q1.gif
inline constexpr int kImageRedDot = 177;        // q5.gif
inline constexpr int kImagePedigreeIcon = 164;  // q3.gif
inline constexpr int kImageNotesIcon = 170;     // q4.gif
inline constexpr int kImageFatherLine = 159;    // q6.gif
inline constexpr int kImageMotherLine = 160;    // q7.gif
inline constexpr int kImageVerticalLine = 161;  // q8.gif
inline constexpr int kImageBothParents = 165;   // qa.gif
inline constexpr int kImageFatherOnly = 166;    // qb.gif
inline constexpr int kImageMotherOnly = 167;    // qc.gif
inline constexpr int kImageContinuation = 162;  // q9.gif
inline constexpr int kImageChartEnd = 163;      // q0.gif

// The pieces of the classic pedigree charts, written before the first chart page in this
// order.
inline constexpr int kChartImages[] = {kImageContinuation, kImageFatherLine, kImageMotherLine,
                                       kImageVerticalLine, kImageChartEnd,   kImagePedigreeIcon,
                                       kImageBothParents,  kImageFatherOnly, kImageMotherOnly};

// The images the pages of `language` write with these options: the chart pieces with
// classic pedigree charts, the notes icon with classic notes pages.
std::vector<int> ImagesOfLanguage(const settings::Settings& options, int language);

// The file name of an image resource, or an empty view for a number outside the table.
std::string_view ImageFileName(int number);

// Writes image `number` byte for byte to the output folder, replacing a file of that name,
// and counts it as one page and one buffer write of `writer`. Returns 1 when written, or
// when an earlier language of the run writes the same image (RunState's
// images_written_earlier): the file is then left to it.
// An image the program does not carry is reported with message 2416 and gives 0; a
// destination that cannot be written gives 0 without a message. Never ends the program.
int ExtractImage(PageWriter& writer, int number);

// The same with the resource lookup given (tests stand in a program that lacks an image).
using ResourceLookup = std::function<std::optional<std::string_view>(std::string_view)>;
int ExtractImage(PageWriter& writer, int number, const ResourceLookup& find);

}  // namespace kinloom::site
