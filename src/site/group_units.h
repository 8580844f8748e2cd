// The units a page style receives for the family group pages, the notes pages and the author
// page. Each holds content already decided from the layout and the page facts: which people,
// which dates after the privacy rules, which link targets and anchors. Names, dates, places
// and note texts are the store's escaped texts; a style adds only its own markup.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "site/page_facts.h"

namespace kinloom::site {

// ---- family group pages ----

// The birth and death data of a person described in full.
struct VitalsUnit {
  ShownDates dates;
  std::int16_t sex = 0;      // 1 female, 2 male; 0 when no gender is shown
  bool inline_form = false;  // one line with the name (descendancy pages)
};

// The marks after a person's name. Empty texts stand for marks not shown.
struct PersonMarks {
  std::optional<std::string> gedcom_id;  // the id as the store holds it (not escaped)
  std::string notes_target;              // where the notes icon leads
  std::string pedigree_target;           // where the pedigree icon leads
};

// A name written as a link to the group that describes the person in full.
struct GroupLinkUnit {
  std::string target;
  std::optional<std::string> name_anchor;  // the surname anchor the link also carries
  std::int64_t colour = -1;                // 0xRRGGBB, or -1 for none
  bool red_dot = false;
  std::string name;  // surname, ", ", given names and a blank, title
  PersonMarks marks;
};

// The parents block: shown when the person's parents family has a husband or a wife; each
// parent with a name is a link.
struct ParentsUnit {
  std::optional<GroupLinkUnit> father;
  std::optional<GroupLinkUnit> mother;
};

// A person described in full on a family group.
struct FullPersonUnit {
  enum class Role { kPrincipal, kSpouse, kChild };
  Role role = Role::kPrincipal;
  std::string_view surname, given_names, title;
  std::string_view also_known_as;  // not escaped; empty for none (and for children)
  std::int64_t colour = -1;        // the font colour, -1 for none
  bool red_dot = false;
  PersonMarks marks;
  VitalsUnit vitals;
  std::optional<ParentsUnit> parents;  // never for children
};

// A spouse or child: described in full here, or a link to its own group.
struct GroupMemberUnit {
  bool in_full = false;
  FullPersonUnit full;
  GroupLinkUnit link;
};

struct MarriageUnit {
  bool withheld = false;  // the date is withheld for a living partner
  std::string_view date, place;
  std::string notes_target;  // the family's notes icon, empty for none
};

// One family in which the principal is a spouse.
struct FamilyBlockUnit {
  std::optional<MarriageUnit> marriage;  // a marriage was read with a date or a place
  std::optional<GroupMemberUnit> spouse;
  bool has_children = false;  // the family lists children (perhaps none with a name)
  std::vector<GroupMemberUnit> children;
};

// One family group: its principal with vitals and parents, then each family.
struct FamilyGroupUnit {
  bool back_link = false;
  int anchor = 0;  // the group's anchor on its page
  FullPersonUnit principal;
  std::vector<FamilyBlockUnit> families;
};

// ---- notes pages ----

// A person named in the heading of a notes entry.
struct NotesPersonUnit {
  bool red_dot = false;
  std::optional<int> anchor;          // the entry's anchor, on its first person
  std::optional<std::string> target;  // the person's family group, if there are such pages
  std::string_view surname, given_names, title;
  std::optional<std::string> gedcom_id;  // not escaped
  ShownDates dates;                      // notes-heading rules
};

// One note item of an entry.
struct NotesItemUnit {
  std::optional<std::string> label;  // the tag's label in the page language, if it has one
  // Sources: the label of the enclosing tag. A plain-text source always shows it (with the
  // "Field" label); a source taken from a note record only when that tag is labelled.
  std::optional<std::string> context_label;
  bool from_record = false;  // the text is a note record's (composed with its references)
  std::string text;          // the item's text, or the record's
  // A record's note reference and repository, in the user-interface language's labels.
  struct Reference {
    std::string label;
    std::string text;
  };
  std::vector<Reference> notes;         // each "<br><I>label:</I> text"
  std::vector<Reference> repositories;  // each "<I>label:</I><BLOCKQUOTE>text</BLOCKQUOTE>"
  std::string rest;                     // the item's text after the record's id, when kept
  bool withheld = false;                // an LDS ordinance withheld
  std::optional<std::string_view> christening_place;  // the christening date withheld
};

struct NotesEntryUnit {
  bool family = false;                  // "Marriage of" husband "and" wife
  std::vector<NotesPersonUnit> people;  // one, or the partners of a family
  std::vector<NotesItemUnit> items;
};

// ---- author page ----

struct AuthorPageUnit {
  std::string owner_name;   // "User Name", empty when not supplied
  std::string owner_email;  // "Email Address", empty when not supplied
  std::string product;      // the product name in the page's text encoding
  std::string produced_sentence;
  std::string build_date;
  std::optional<std::string> translator_name;  // every language but English
  std::string translator_address;
  std::string author_name, contact_address, contact_subject, home_page;
  double version = 0;
  bool back_link = false;
};

}  // namespace kinloom::site
