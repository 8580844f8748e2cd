// How a page looks. A style receives whole units of a page (the page frame with its
// notices, a family block, an outline level, a chart's grid, a surname group) and turns them
// into page text through the page writer, which is only the file sink: buffer, CR LF,
// encoding, counters. What a unit holds (which people, which dates, which links and
// anchors) is decided before it reaches the style, from the site's layout and the page
// facts; a style never reads the store.
//
// ClassicStyle (site/classic_style.h) writes the program's classic HTML pages.
#pragma once

#include "site/chart_units.h"
#include "site/group_units.h"
#include "site/page_writer.h"

namespace kinloom::site {

class PageStyle {
 public:
  virtual ~PageStyle() = default;

  // ---- page frame: head, notices, rules, foot ----

  // The notice that marks the direct ancestors of the chosen individual, with that
  // individual's name (texts as stored).
  struct AncestorNotice {
    bool ancestor_known = false;  // false: the notice names nobody
    bool linked = false;          // the name links to `target`
    std::string target;
    std::string given_names, surname, title;
    bool privacy_follows = false;  // the privacy notice shares the notice's block
  };

  // One custom meta tag (texts in the page's text encoding, not yet made safe for markup).
  struct MetaTag {
    std::string name, content;
  };

  // Everything above a page's body text: head, body attributes, heading and notices.
  struct PageHead {
    std::string title;  // page text
    bool refresh = false;
    unsigned long long refresh_seconds = 0;
    bool meta_tags = false;  // the program's meta tags and the custom ones
    std::vector<MetaTag> custom_meta_tags;
    bool meta_table_full = false;  // every slot of the custom table has a name
    bool custom_colours = false;
    bool background_colour = false;  // with custom colours and no background image
    std::uint32_t background = 0, text = 0, link = 0, visited_link = 0;  // 0x00RRGGBB
    std::vector<std::string> background_images;  // in order, each a file name
    bool ancestor_notice = false;
    AncestorNotice ancestor;
    bool privacy_notice = false;
  };

  // The link back to the main index page of the language.
  struct MainPageLink {
    std::string target;  // "index.htm"
  };

  // Everything below a page's body text.
  struct PageFoot {
    std::string author_page;  // target of the produced-by line: "r.htm"
    bool back_link = false;
    MainPageLink main_page;
    bool source_line = false;
    std::string source_name;  // the GEDCOM file's name as page text
    std::string date_stamp;
    bool copyright = false;
    int copyright_year = 0;
    std::string owner;
  };

  virtual void WritePageHead(PageWriter& out, const PageHead& head) = 0;
  // A separator between the parts of a page.
  virtual void WriteRule(PageWriter& out) = 0;
  virtual void WriteAncestorNotice(PageWriter& out, const AncestorNotice& notice) = 0;
  virtual void WriteMainPageLink(PageWriter& out, const MainPageLink& link) = 0;
  // The foot ends the page's text; the caller then closes the file.
  virtual void WritePageFoot(PageWriter& out, const PageFoot& foot) = 0;


  // ---- family group pages ----
  // One family group: its principal with vitals and parents, then each of its families.
  virtual void FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) = 0;
  // The birth and death data of a person described in full, alone or inline.
  virtual void Vitals(PageWriter& out, const VitalsUnit& vitals) = 0;


  // ---- notes pages ----
  // What opens a notes page, after its head and before its first entry.
  virtual void NotesPageStart(PageWriter& out) = 0;
  // One entry of a notes page: its heading and its note items.
  virtual void NotesEntry(PageWriter& out, const NotesEntryUnit& entry) = 0;


  // ---- author page ----
  // The author page's text after its head, to its very end.
  virtual void AuthorPage(PageWriter& out, const AuthorPageUnit& page) = 0;


  // ---- descendancy pages ----
  // A descendancy page after its head, and before its foot when another page follows.
  virtual void BeginDescendancyPage(PageWriter& out, const ChartPageUnit& page) = 0;
  virtual void EndDescendancyPage(PageWriter& out, const ChartPageUnit& page) = 0;
  // The start of one tree, before its root's level.
  virtual void BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) = 0;
  // Opens the level of a person: the person, then its dates through `dates`. The person's
  // families, each with its children's levels or its continuation, follow before the level
  // is closed.
  virtual void OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                                const WriteDates& dates) = 0;
  // One family of the level's person: the spouse (its dates through `spouse_dates`) and the
  // marriage.
  virtual void WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                                  const WriteDates& spouse_dates) = 0;
  virtual void WriteOutlineContinuation(PageWriter& out,
                                        const OutlineContinuationUnit& continuation) = 0;
  virtual void CloseOutlineLevel(PageWriter& out, const OutlinePersonUnit& person) = 0;


  // ---- pedigree pages ----
  // A pedigree page after its head.
  virtual void BeginPedigreePage(PageWriter& out, const ChartPageUnit& page) = 0;
  // One whole four-generation chart: its people, lines, continuation arrows and marks.
  virtual void WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) = 0;


  // ---- surname lists, surname index pages, main index page ----

  // One letter of a letter bar, linked to its surname index page when that page exists.
  struct IndexLetter {
    std::string letter;  // "A", or Æ, Ø, Å as page text
    bool present = false;
    std::string target;  // "b_a.htm"
  };

  // The letters of one page kind's surname index pages: A … Z, the page of the other
  // initials, then Æ, Ø, Å when at least one of them has a page.
  struct LetterBar {
    bool heading = false;   // the bar is headed with the kind's name
    std::string kind_name;  // "Grouped by Family"
    std::vector<IndexLetter> letters;
    bool other_present = false;
    std::string other_target;  // "b_0.htm"
    std::vector<IndexLetter> nordic_letters;  // empty when none of them has a page
  };

  // The frame of the groups of a list of surnames (the list's page head and foot aside).
  struct SurnameList {
    PageKind list_kind = PageKind::kFamilySurnameList;
  };

  // One surname of a list of surnames, with the number of individuals that bear it.
  struct SurnameGroup {
    bool starts_initial = false;  // the first group of its initial: the initial heads it
    bool other_initial = false;   // the initial is no index letter ("NONE/OTHER")
    std::string initial;          // upper-case initial as page text, when it is one
    std::string surname;          // empty for the group without surname
    std::string target;           // the surname's place on its surname index page
    long count = 0;
  };

  // The top of a surname index page, below its head: the letter bar and the way back.
  struct SurnameIndexTop {
    LetterBar letters;
    bool back_link = false;
    MainPageLink main_page;
  };

  // The body of the main index page, between its head and its foot.
  struct MainIndexPage {
    struct Link {
      std::string target, text;
    };
    struct KindIndex {
      LetterBar letters;
      std::string surname_list;  // "c.htm"
    };
    std::vector<Link> languages;  // the other languages' main pages; empty with one language
    long individuals = 0, families = 0, surnames = 0;
    std::string date_stamp;
    bool gedcom_link = false;
    std::string gedcom_url;   // the copy of the GEDCOM file, as a relative URL
    std::string gedcom_name;  // its name as page text
    std::uint64_t gedcom_size = 0;
    int gedcom_lines = 0;
    bool ancestor_notice = false;
    AncestorNotice ancestor;
    std::vector<KindIndex> kinds;  // family, pedigree, notes, descendancy, those made
    bool custom_links = false;
    std::string custom_links_title;
    std::vector<Link> links;
    bool links_top = false;  // the links open in the whole window
    bool owner = false;
    std::string owner_name;
    std::vector<std::string> address;  // the lines up to the first empty one
    std::string email;
    std::vector<std::string> homepages;  // the non-empty ones
    bool homepages_top = false;
  };

  // A link to a person as the family group, notes and surname index pages show it (the
  // person links of every page kind).
  struct PersonLink {
    bool linked = true;  // false: the name stands without a link of its own
    std::string target;
    bool name_anchor = false;  // the anchor of the person's surname is set here
    std::string anchor_name;
    bool coloured = false;
    std::uint32_t colour = 0;  // 0xRRGGBB
    bool red_dot = false;      // a direct ancestor of the chosen individual
    std::string name;          // "Smith, John "
    bool show_id = false;
    std::string id;  // the GEDCOM id as read
    bool notes_icon = false;
    std::string notes_target;
    bool pedigree_icon = false;
    std::string pedigree_target;
  };

  // One tree of a descendancy chart in which a person appears, named by its root couple.
  struct ChartTree {
    std::string target;
    std::string first_surname;
    bool couple = false;
    std::string second_surname;
  };

  // An entry of a surname index page: the link, the dates shown and, for an entry without a
  // link of its own, the descendancy trees that show the person.
  struct PersonEntry {
    PersonLink link;  // without colour and icons
    enum class Birth { kNone, kWithheld, kDate };
    Birth birth = Birth::kNone;
    std::string birth_date;
    bool death = false;
    std::string death_date;  // the death date, else the burial date
    std::vector<ChartTree> trees;
  };

  virtual void WritePersonLink(PageWriter& out, const PersonLink& link) = 0;
  virtual void WritePersonEntry(PageWriter& out, const PersonEntry& entry) = 0;
  virtual void WriteLetterBar(PageWriter& out, const LetterBar& bar) = 0;
  virtual void WriteSurnameListStart(PageWriter& out, const SurnameList& list) = 0;
  virtual void WriteSurnameGroup(PageWriter& out, const SurnameGroup& group) = 0;
  virtual void WriteSurnameListEnd(PageWriter& out, const SurnameList& list) = 0;
  virtual void WriteSurnameIndexTop(PageWriter& out, const SurnameIndexTop& top) = 0;
  virtual void WriteMainIndexBody(PageWriter& out, const MainIndexPage& page) = 0;


};

}  // namespace kinloom::site
