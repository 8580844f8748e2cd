// Every user option of the program, in one record that lives for the whole process.
// Each field is named after the registry value it is stored under (the comment gives the
// exact value name); per-language options are arrays indexed by the language index
// 0 English, 1 French, 2 German, 3 Dutch, 4 Spanish, 5 Danish, 6 Norwegian, 7 Italian,
// 8 Portuguese (Brazil). Integer flags hold 0 or 1; colours are 0x00RRGGBB.
//
// A default-constructed record holds the documented defaults: what a first start writes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "lang/ui_text.h"
#include "platform/text_encoding.h"

namespace kinloom::settings {

// The settings version this program writes into "Version Number".
inline constexpr double kSettingsVersion = 2.52;

inline constexpr int kLanguageCount = 9;
inline constexpr int kLinkLanguageCount = 6;  // languages 0 … 5 have custom links
inline constexpr int kLinkSlots = 256;
inline constexpr int kColourCount = 13;

template <typename T>
using PerLanguage = std::array<T, kLanguageCount>;

// Indexes into Settings::colours, in the stored order.
enum ColourIndex {
  kColourBackground = 0,
  kColourText,
  kColourLink,
  kColourVisitedLink,
  kColourHusbandAndWife,
  kColourParents,
  kColourChildren,
  kColourLevel1,  // … kColourLevel1 + 5 is level 6
};

// Bits of "Debugging".
enum DebugBit : std::uint32_t {
  kDebugShowDebugButton = 0x01,
  kDebugStatistics = 0x02,
  kDebugCloseWhenDone = 0x04,
  kDebugNoteCounts = 0x08,
  kDebugBetaLanguages = 0x10,
  kDebugShowRunTime = 0x20,
  kDebugShowStatisticsLog = 0x40,
  kDebugRunningTime = 0x80,
  kDebugMetaTags = 0x100,
  kDebugMinimize = 0x200,
};

struct CustomLink {
  std::string text;       // "Custom Link Text Number n"; empty means an empty slot
  std::string hyperlink;  // "Custom Link Hyperlink Number n"
};

struct OwnerBlock {
  std::string user_name;                  // "User Name"
  std::string email_address;              // "Email Address"
  std::array<std::string, 5> homepages;   // "Homepage", "Homepage2" … "Homepage5"
  int hp_top = 0;                         // "HP _top"
  std::array<std::string, 4> address;     // "Address Line 1" … "Address Line 4"
};

struct Settings {
  // Bookkeeping and files
  int initialized = 0;               // "Initialized"
  double version_number = kSettingsVersion;  // "Version Number"
  int labels_in_french = 0;          // "Lables In French"
  std::uint32_t debugging = 0;       // "Debugging"
  std::string input_file;            // "Input File"
  std::string output_file;           // "Output File" (the platform default is set at start-up)
  int htm = 1;                       // "HTM"

  // Per language: "Index Name k", "Index Title k", "… Page Text A/B k", "Custom Links Title k"
  PerLanguage<std::string> index_name{"index",  "indexf", "indexg", "indexd", "indexs",
                                      "indexa", "indexn", "indexi", "indexp"};
  PerLanguage<std::string> index_title;
  PerLanguage<std::string> family_page_text_a, family_page_text_b;
  PerLanguage<std::string> descendancy_page_text_a, descendancy_page_text_b;
  PerLanguage<std::string> pedigree_page_text_a, pedigree_page_text_b;
  PerLanguage<std::string> notes_page_text_a, notes_page_text_b;
  PerLanguage<std::string> custom_links_title;

  // Output languages and page kinds: "Create English Pages" … "Create Portuguese Pages",
  // "Create Notes Pages", "Create Notes Pages French" … "Create Notes Pages Portuguese".
  PerLanguage<int> create_pages{1, 0, 0, 0, 0, 0, 0, 0, 0};
  PerLanguage<int> create_notes_pages{1, 0, 0, 0, 0, 0, 0, 0, 0};
  int create_family_groups = 1;       // "Create Family Groups"
  int create_descendancy_groups = 1;  // "Create Descendancy Groups"
  int group_only_for_topmost = 1;     // "Group Only For Topmost"
  int create_pedigree_groups = 1;     // "Create Pedigree Groups"
  int create_ascendancy_groups = 1;   // "Create Ascendancy Groups"

  // Page size
  std::uint32_t groups = 10;              // "Groups"
  std::uint32_t groups_descendancy = 5;   // "Groups Descendancy"
  std::uint32_t groups_pedigree = 10;     // "Groups Pedigree"
  std::uint32_t groups_notes = 20;        // "Groups Notes"

  // Content switches
  int index_dates = 1;                 // "Index Dates"
  int gender = 1;                      // "Gender"
  int text_file = 0;                   // "Text File"
  int create_link_to_gedcom_file = 1;  // "Create Link To GEDCOM file"
  int include_copyright = 0;           // "Include Copyright"
  int include_custom_links = 0;        // "Include Custom Links"
  int mark_all_ancestors = 0;          // "Mark All Ancestors"
  std::string ancestor_id;             // "Ancestor Id"
  int show_gedcom_ids = 0;             // "Show GEDCOM ID's"
  int use_baptism = 1;                 // "Use Baptism"
  // "Skip Broken Links": 1 drops a reference to a missing or wrong record, and a second
  // record with an id already used, with a warning instead of ending the program.
  std::uint32_t skip_broken_links = 0;
  // "Page Style": 0 the classic pages, 1 the modern pages (HTML5 and a style sheet); any
  // other value reads as classic.
  std::uint32_t page_style = 0;
  int cl_top = 0;                      // "CL _top"
  int meta_refresh_tag = 0;            // "Meta Refresh Tag"
  std::uint32_t meta_refresh_value = 12;  // "Meta Refresh Value"
  int minimize_absolute = 0;           // "Minimize Abosoute"
  int one_index_page_link = 0;         // "One Index Page Link"
  int no_colors = 0;                   // "No Colors"
  std::string notes_to_include;        // "Notes To Include" (default: lang::DefaultNotesToInclude)

  // Privacy
  int suppress_living = 1;          // "Suppress Living"
  std::uint32_t born = 1920;        // "Born"
  std::uint32_t married = 1930;     // "Married"
  int suppress_lds_living = 1;      // "Suppress LDS Living"
  int suppress_lds_deceased = 1;    // "Suppress LDS Deceased"

  // Colours and backgrounds
  int use_custom_colors = 0;                // "Use Custom Colors"
  int use_text_color = 0;                   // "Use Text Color"
  int use_text_color_for_family_pages = 0;  // "Use Text Color For Familypages"
  // "Color Background", "Color Text", "Color Link", "Color VLink", "Color Husband and Wife",
  // "Color Parents", "Color Children", "Color Level1 " … "Color Level6 "
  std::array<std::uint32_t, kColourCount> colours{0xFFFFFF, 0x000000, 0x0000FF, 0xFF0000,
                                                  0x000000, 0x000000, 0x000000, 0xFF0000,
                                                  0xFF8040, 0x800000, 0x0000FF, 0xFF00FF,
                                                  0x008000};
  int use_custom_background = 0;      // "Use Custom Background"
  int use_default_background = 1;     // "Use Default Background"
  std::string custom_background_path; // "Custom Background Path"
  std::string custom_background;      // "Custom Background"

  OwnerBlock owner;

  // Custom links of languages 0 … 5 (keys "Links", "LinksF", "LinksG", "LinksD", "LinksS",
  // "LinksA").
  std::array<std::array<CustomLink, kLinkSlots>, kLinkLanguageCount> custom_links;
  // The custom meta tags of every page head (key "Meta Tags", kept as a link table is): the
  // name in `text`, the content in `hyperlink`.
  std::array<CustomLink, kLinkSlots> meta_tags;

  Settings();

  // The user-interface language these settings choose.
  operator lang::UiLanguage() const { return {labels_in_french == 1}; }

  // The site is written in the modern page style.
  bool modern_pages() const { return page_style == 1; }
};

// The documented defaults of the per-language texts (Windows-1252).
enum class DefaultText {
  kIndexTitle, kPageTextA, kFamilyB, kDescendancyB, kPedigreeB, kNotesB, kCustomLinksTitle
};
std::string DefaultLanguageText(int language, DefaultText which);

// The registry value name of each per-language switch, by language index.
inline constexpr const char* kCreatePagesNames[kLanguageCount] = {
    "Create English Pages", "Create French Pages",    "Create German Pages",
    "Create Dutch Pages",   "Create Spanish Pages",   "Create Danish Pages",
    "Create Norwegian Pages", "Create Italian Pages", "Create Portuguese Pages"};
inline constexpr const char* kCreateNotesPagesNames[kLanguageCount] = {
    "Create Notes Pages",           "Create Notes Pages French",  "Create Notes Pages German",
    "Create Notes Pages Dutch",     "Create Notes Pages Spanish", "Create Notes Pages Danish",
    "Create Notes Pages Norwegian", "Create Notes Pages Italian", "Create Notes Pages Portuguese"};
inline constexpr const char* kColourNames[kColourCount] = {
    "Color Background", "Color Text",    "Color Link",    "Color VLink",   "Color Husband and Wife",
    "Color Parents",    "Color Children", "Color Level1 ", "Color Level2 ", "Color Level3 ",
    "Color Level4 ",    "Color Level5 ", "Color Level6 "};
inline constexpr const char* kLinkKeyNames[kLinkLanguageCount] = {"Links",  "LinksF", "LinksG",
                                                                  "LinksD", "LinksS", "LinksA"};
inline constexpr const char* kMetaTagsKeyName = "Meta Tags";

}  // namespace kinloom::settings
