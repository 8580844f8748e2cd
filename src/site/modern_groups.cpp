// The modern family groups, notes entries and author page. A family group is a section headed
// by its principal; vitals are description lists; parents, families and children follow in
// the classic order, with the same texts, links and anchors. Icons are inline SVG inside
// links named by their label; the colours of spouses, parents and children are classes that
// read the style sheet's custom properties.
#include <string>

#include "lang/ui_text.h"
#include "site/modern_style.h"

namespace kinloom::site {

const std::string_view kModernGroupRules = R"css(
.family-group, .notes-entry { margin: 1rem 0; overflow-wrap: anywhere; }
.family-group h2, .notes-entry h2 { font-size: 1.3rem; margin: 0.5rem 0; }
.family-group h3 { font-size: 1.1rem; margin: 0.75rem 0 0.25rem; }
.family-group h4 { font-size: 1rem; margin: 0.5rem 0 0.25rem; }
.family { margin-left: 1rem; padding-left: 0.75rem; border-left: 2px solid currentColor; }
.family-group dl { margin: 0.25rem 0; display: grid; grid-template-columns: max-content 1fr;
  column-gap: 0.75rem; row-gap: 0.1rem; }
.family-group dt { font-weight: bold; }
.family-group dd { margin: 0; min-width: 0; }
.group-parents { margin-left: 1rem; }
.group-children { margin: 0.25rem 0; padding-left: 1.25rem; }
.group-children li { margin: 0.25rem 0; }
.aka, .gedcom-id { font-size: 0.85em; }
.marks { white-space: nowrap; }
.icon-link { display: inline-block; padding: 0 0.2em; vertical-align: middle; }
.icon { width: 1.1em; height: 1.1em; fill: none; stroke: currentColor; stroke-width: 1.5;
  stroke-linecap: round; stroke-linejoin: round; vertical-align: middle; }
.red-dot { width: 0.7em; height: 0.7em; fill: #d00000; vertical-align: middle;
  margin-right: 0.25em; }
.spouses { color: var(--spouses); }
.parents { color: var(--parents); }
.children { color: var(--children); }
.note-item { margin: 0.5rem 0 0.5rem 1.5rem; }
.note-item .note-quote { margin: 0.25rem 0 0.25rem 1.5rem; }
.note-label { font-style: italic; }
.owner-contact, .about-program { text-align: center; margin: 1rem 0; }
.owner-note { border-left: 4px solid #c00000; padding: 0.25rem 0.75rem; text-align: start;
  display: inline-block; }
@media (max-width: 36rem) {
  .family > dl { grid-template-columns: 1fr; }
  .family > dl > dd { margin-left: 0.75rem; }
  .family { margin-left: 0.25rem; }
}
@media print {
  .family-group, .notes-entry { break-inside: avoid; }
  .icon-link { display: none; }
}
)css";

namespace {

using lang::FormatText;

constexpr int kLabelRedDot = 12361;
constexpr int kLabelFamily = 12374;
constexpr int kLabelMarriage = 12375;
constexpr int kLabelSpouse = 12376;
constexpr int kLabelChildren = 12377;
constexpr int kLabelParents = 12406;
constexpr int kLabelFather = 12407;
constexpr int kLabelMother = 12408;
constexpr int kLabelFemale = 12409;
constexpr int kLabelMale = 12410;
constexpr int kLabelGender = 12413;
constexpr int kLabelPedigreeKind = 12420;
constexpr int kLabelNotesKind = 12421;
constexpr int kLabelNotShown = 12424;
constexpr int kLabelBorn = 12425;
constexpr int kLabelDied = 12426;

// The colour a group member is written in, as the class of the style sheet that reads it.
enum class Colour { kSpouses, kParents, kChildren };

// The class attribute for a person of `colour` whose unit gives `value` (-1: uncoloured).
// With "Use Text Color for Family Pages" every member has the text colour, which the page
// already has.
std::string ColourClass(const PageWriter& out, Colour colour, std::int64_t value) {
  if (value < 0 || out.context().settings.use_text_color_for_family_pages) return {};
  switch (colour) {
    case Colour::kSpouses: return "spouses";
    case Colour::kParents: return "parents";
    case Colour::kChildren: return "children";
  }
  return {};
}

void OpenClassed(PageWriter& out, std::string_view element, std::string_view classes) {
  out.AppendHtml("<");
  out.AppendHtml(element);
  if (!classes.empty()) {
    out.AppendHtml(" class=\"");
    out.AppendHtml(classes);
    out.AppendHtml("\"");
  }
  out.AppendHtml(">");
}

void RedDot(PageWriter& out, bool wanted) {
  if (!wanted) return;
  out.AppendHtml("<svg class=\"red-dot\" viewBox=\"0 0 10 10\" role=\"img\" aria-label=\"");
  out.AppendHtml(ModernAttribute(out.labels().Get(kLabelRedDot)));
  out.AppendHtml("\"><circle cx=\"5\" cy=\"5\" r=\"4.5\"/></svg>");
}

void GedcomId(PageWriter& out, const std::optional<std::string>& id) {
  if (!id) return;
  out.AppendHtml("<small class=\"gedcom-id\">{");
  out.AppendHtml(EscapeHtml(*id));
  out.AppendHtml("}</small> ");
}

// A page of lines for the notes icon, a branching line for the pedigree icon.
constexpr std::string_view kNotesIconPath = "M4 1.5h6l3 3v10H4zM6 6.5h5M6 9h5M6 11.5h3";
constexpr std::string_view kPedigreeIconPath = "M2 8h4M6 3.5v9M6 3.5h4M6 12.5h4M10 3.5h4M10 12.5h4";

void Icon(PageWriter& out, const std::string& target, int label, std::string_view path) {
  if (target.empty()) return;
  const std::string name = ModernAttribute(out.labels().Get(label));
  out.AppendHtml(" <a class=\"icon-link\" href=\"");
  out.AppendHtml(target);
  out.AppendHtml("\" aria-label=\"");
  out.AppendHtml(name);
  out.AppendHtml("\" title=\"");
  out.AppendHtml(name);
  out.AppendHtml("\"><svg class=\"icon\" viewBox=\"0 0 16 16\" aria-hidden=\"true\" "
                 "focusable=\"false\"><path d=\"");
  out.AppendHtml(path);
  out.AppendHtml("\"/></svg></a>");
}

// The GEDCOM id, notes icon and pedigree icon after a name.
void Marks(PageWriter& out, const PersonMarks& marks) {
  if (!marks.gedcom_id && marks.notes_target.empty() && marks.pedigree_target.empty()) return;
  out.AppendHtml(" <span class=\"marks\">");
  GedcomId(out, marks.gedcom_id);
  Icon(out, marks.notes_target, kLabelNotesKind, kNotesIconPath);
  Icon(out, marks.pedigree_target, kLabelPedigreeKind, kPedigreeIconPath);
  out.AppendHtml("</span>");
}

void AlsoKnownAs(PageWriter& out, std::string_view also_known_as) {
  if (also_known_as.empty()) return;
  out.AppendHtml(" <small class=\"aka\">[aka: ");
  out.AppendHtml(EscapeHtml(also_known_as));
  out.AppendHtml("]</small>");
}

// The name of a person described in full: "Surname, Given Title", as the classic heading
// writes it (the given names and the title each followed by a blank when present).
void FullName(PageWriter& out, const FullPersonUnit& person) {
  out.AppendHtml(person.surname);
  out.AppendHtml(", ");
  if (!person.given_names.empty()) {
    out.AppendHtml(person.given_names);
    out.AppendHtml(" ");
  }
  if (!person.title.empty()) {
    out.AppendHtml(person.title);
    out.AppendHtml(" ");
  }
}

void Link(PageWriter& out, const GroupLinkUnit& link, Colour colour) {
  out.AppendHtml("<a");
  if (link.name_anchor) {
    out.AppendHtml(" id=\"");
    out.AppendHtml(*link.name_anchor);
    out.AppendHtml("\"");
  }
  const std::string classes = ColourClass(out, colour, link.colour);
  if (!classes.empty()) {
    out.AppendHtml(" class=\"");
    out.AppendHtml(classes);
    out.AppendHtml("\"");
  }
  out.AppendHtml(" href=\"");
  out.AppendHtml(link.target);
  out.AppendHtml("\">");
  RedDot(out, link.red_dot);
  out.AppendHtml(link.name);
  out.AppendHtml("</a>");
  Marks(out, link.marks);
}

// The parents block under a heading of `level` (3 for the principal, 4 inside a family).
void Parents(PageWriter& out, const ParentsUnit& parents, char level) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<div class=\"group-parents\"><h");
  out.AppendHtml(std::string_view(&level, 1));
  out.AppendHtml(">");
  out.AppendHtml(labels.Get(kLabelParents));
  out.AppendHtml("</h");
  out.AppendHtml(std::string_view(&level, 1));
  out.AppendHtml(">");
  if (parents.father || parents.mother) {
    out.AppendHtml("<dl>");
    if (parents.father) {
      out.AppendHtml("<dt>");
      out.AppendHtml(labels.Get(kLabelFather));
      out.AppendHtml("</dt><dd>");
      Link(out, *parents.father, Colour::kParents);
      out.AppendHtml("</dd>");
    }
    if (parents.mother) {
      out.AppendHtml("<dt>");
      out.AppendHtml(labels.Get(kLabelMother));
      out.AppendHtml("</dt><dd>");
      Link(out, *parents.mother, Colour::kParents);
      out.AppendHtml("</dd>");
    }
    out.AppendHtml("</dl>");
  }
  out.AppendHtml("</div>\n");
}

// A spouse or child described in full: the name in bold, the marks, the vitals.
void FullMember(PageWriter& out, PageStyle& style, const FullPersonUnit& person, Colour colour) {
  const std::string classes = ColourClass(out, colour, person.colour);
  OpenClassed(out, "strong", classes.empty() ? std::string_view("name") : classes);
  RedDot(out, person.red_dot);
  FullName(out, person);
  out.AppendHtml("</strong>");
  AlsoKnownAs(out, person.also_known_as);
  Marks(out, person.marks);
  style.Vitals(out, person.vitals);
}

void Marriage(PageWriter& out, const MarriageUnit& marriage) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<dt>");
  out.AppendHtml(labels.Get(kLabelMarriage));
  out.AppendHtml("</dt><dd>");
  if (!marriage.date.empty()) {
    if (marriage.withheld)
      out.AppendHtml(labels.Get(kLabelNotShown));
    else
      out.AppendHtml(marriage.date);
  }
  if (!marriage.place.empty()) {
    out.AppendHtml(" ");
    out.AppendHtml(marriage.place);
  }
  Icon(out, marriage.notes_target, kLabelNotesKind, kNotesIconPath);
  out.AppendHtml("</dd>");
}

void Family(PageWriter& out, PageStyle& style, const FamilyBlockUnit& family) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<section class=\"family\"><h3>");
  out.AppendHtml(labels.Get(kLabelFamily));
  out.AppendHtml("</h3>\n");
  if (family.marriage || family.spouse) {
    out.AppendHtml("<dl>");
    if (family.marriage) Marriage(out, *family.marriage);
    if (const std::optional<GroupMemberUnit>& spouse = family.spouse) {
      out.AppendHtml("<dt>");
      out.AppendHtml(labels.Get(kLabelSpouse));
      out.AppendHtml("</dt><dd>");
      if (spouse->in_full) {
        FullMember(out, style, spouse->full, Colour::kSpouses);
        if (spouse->full.parents) Parents(out, *spouse->full.parents, '4');
      } else {
        Link(out, spouse->link, Colour::kSpouses);
      }
      out.AppendHtml("</dd>");
    }
    out.AppendHtml("</dl>\n");
  }
  if (family.has_children) {
    out.AppendHtml("<h4>");
    out.AppendHtml(labels.Get(kLabelChildren));
    out.AppendHtml("</h4>\n");
    if (!family.children.empty()) {
      out.AppendHtml("<ul class=\"group-children\">\n");
      for (const GroupMemberUnit& child : family.children) {
        out.AppendHtml("<li>");
        if (child.in_full)
          FullMember(out, style, child.full, Colour::kChildren);
        else
          Link(out, child.link, Colour::kChildren);
        out.AppendHtml("</li>\n");
      }
      out.AppendHtml("</ul>\n");
    }
  }
  out.AppendHtml("</section>\n");
}

// The text of a birth after its label: the withheld notice or the date, then the place.
void WriteBirthText(PageWriter& out, const ShownEvent& birth) {
  if (birth.withheld) {
    out.AppendHtml(out.labels().Get(kLabelNotShown));
    out.AppendHtml(" ");
  } else if (!birth.date.empty()) {
    out.AppendHtml(birth.date);
    out.AppendHtml(" ");
  }
  out.AppendHtml(birth.place);
}

}  // namespace

void ModernStyle::Vitals(PageWriter& out, const VitalsUnit& vitals) {
  const lang::LabelSet& labels = out.labels();
  const std::string* sex = vitals.sex == 1   ? &labels.Get(kLabelFemale)
                           : vitals.sex == 2 ? &labels.Get(kLabelMale)
                                             : nullptr;
  const ShownEvent& birth = vitals.dates.birth;
  const ShownEvent& death = vitals.dates.death;
  if (vitals.inline_form) {
    if (!sex && !birth.shown && !death.shown) return;
    out.AppendHtml(" <span class=\"vitals-inline\">");
    if (sex) {
      out.AppendHtml("[");
      out.AppendHtml(*sex);
      out.AppendHtml("] ");
    }
    if (birth.shown) {
      out.AppendHtml(labels.Get(kLabelBorn));
      out.AppendHtml(" ");
      WriteBirthText(out, birth);
    }
    if (death.shown) {
      if (birth.shown) out.AppendHtml(" - ");
      out.AppendHtml(labels.Get(kLabelDied));
      out.AppendHtml(" ");
      out.AppendHtml(death.date);
      out.AppendHtml(" ");
      out.AppendHtml(death.place);
    }
    out.AppendHtml("</span>");
    return;
  }

  if (!sex && !birth.shown && !death.shown) return;
  out.AppendHtml("<dl class=\"vitals\">");
  if (birth.shown) {
    out.AppendHtml("<dt>");
    out.AppendHtml(labels.Get(kLabelBorn));
    out.AppendHtml("</dt><dd>");
    WriteBirthText(out, birth);
    out.AppendHtml("</dd>");
  }
  if (death.shown) {
    out.AppendHtml("<dt>");
    out.AppendHtml(labels.Get(kLabelDied));
    out.AppendHtml("</dt><dd>");
    out.AppendHtml(death.date);
    out.AppendHtml(" ");
    out.AppendHtml(death.place);
    out.AppendHtml("</dd>");
  }
  if (sex) {
    out.AppendHtml("<dt>");
    out.AppendHtml(labels.Get(kLabelGender));
    out.AppendHtml("</dt><dd>");
    out.AppendHtml(*sex);
    out.AppendHtml("</dd>");
  }
  out.AppendHtml("</dl>\n");
}

void ModernStyle::FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) {
  const FullPersonUnit& principal = group.principal;
  out.AppendHtml("<section class=\"family-group\">\n");
  if (group.back_link) out.WriteBackLink();
  out.AppendHtml("<h2 id=\"");
  out.AppendHtml(std::to_string(group.anchor));
  out.AppendHtml("\">");
  const std::string classes = ColourClass(out, Colour::kSpouses, principal.colour);
  OpenClassed(out, "span", classes.empty() ? std::string_view("name") : classes);
  RedDot(out, principal.red_dot);
  FullName(out, principal);
  out.AppendHtml("</span>");
  AlsoKnownAs(out, principal.also_known_as);
  Marks(out, principal.marks);
  out.AppendHtml("</h2>\n");
  Vitals(out, principal.vitals);
  if (principal.parents) Parents(out, *principal.parents, '3');
  for (const FamilyBlockUnit& family : group.families) Family(out, *this, family);
  out.AppendHtml("</section>\n");
}


// ---- notes pages ----

namespace {

constexpr int kLabelAnd = 12400;
constexpr int kLabelMarriageOf = 12427;
constexpr int kLabelField = 12611;

// One person of an entry's heading: the name (a link to the person's group when there are
// such pages), the GEDCOM id and "(b. …,&nbsp;d. …)". `heading_anchor` is the anchor the
// heading itself carries; any other anchor of the person is set on its name.
void NotesPerson(PageWriter& out, const NotesPersonUnit& person,
                 const std::optional<int>& heading_anchor) {
  const lang::LabelSet& labels = out.labels();
  RedDot(out, person.red_dot);
  const bool own_anchor = person.anchor && person.anchor != heading_anchor;
  if (person.target) {
    out.AppendHtml("<a");
    if (own_anchor) {
      out.AppendHtml(" id=\"");
      out.AppendHtml(std::to_string(*person.anchor));
      out.AppendHtml("\"");
    }
    out.AppendHtml(" href=\"");
    out.AppendHtml(*person.target);
    out.AppendHtml("\">");
  } else if (own_anchor) {
    out.AppendHtml("<span id=\"");
    out.AppendHtml(std::to_string(*person.anchor));
    out.AppendHtml("\"></span>");
  }
  out.AppendHtml(person.surname);
  out.AppendHtml(", ");
  if (!person.given_names.empty()) {
    out.AppendHtml(person.given_names);
    out.AppendHtml(" ");
  }
  if (!person.title.empty()) {
    out.AppendHtml(person.title);
    out.AppendHtml(" ");
  }
  if (person.target) out.AppendHtml("</a>");
  GedcomId(out, person.gedcom_id);

  out.AppendHtml("<span class=\"notes-dates\">(");
  out.AppendHtml(labels.Get(kLabelBorn));
  out.AppendHtml(" ");
  if (person.dates.birth.withheld)
    out.AppendHtml(labels.Get(kLabelNotShown));
  else
    out.AppendHtml(person.dates.birth.date);
  if (person.dates.death.shown) {
    out.AppendHtml(",&nbsp;");
    out.AppendHtml(labels.Get(kLabelDied));
    out.AppendHtml(" ");
    out.AppendHtml(person.dates.death.date.empty() ? std::string_view("?")
                                                   : person.dates.death.date);
  }
  out.AppendHtml(")</span>");
}

void NotesItem(PageWriter& out, const NotesItemUnit& item) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<div class=\"note-item\">");
  if (item.label) {
    out.AppendHtml("<strong class=\"note-label\">");
    out.AppendHtml(*item.label);
    out.AppendHtml(":</strong> ");
  }
  if (item.from_record) {
    if (item.context_label) {
      out.AppendHtml(" (");
      out.AppendHtml(*item.context_label);
      out.AppendHtml(")<br>");
    }
    out.AppendHtml(item.text);
    for (const NotesItemUnit::Reference& note : item.notes) {
      out.AppendHtml("<br><em>");
      out.AppendHtml(note.label);
      out.AppendHtml(":</em> ");
      out.AppendHtml(note.text);
    }
    for (const NotesItemUnit::Reference& repository : item.repositories) {
      out.AppendHtml("<div class=\"note-reference\"><em>");
      out.AppendHtml(repository.label);
      out.AppendHtml(":</em><div class=\"note-quote\">");
      out.AppendHtml(repository.text);
      out.AppendHtml("</div></div>");
    }
    if (!item.rest.empty()) {
      out.AppendHtml("<div class=\"note-quote\">");
      out.AppendHtml(item.rest);
      out.AppendHtml("</div>");
    }
  } else {
    if (item.context_label) {
      out.AppendHtml(" (");
      out.AppendHtml(*item.context_label);
      out.AppendHtml(" ");
      out.AppendHtml(labels.Get(kLabelField));
      out.AppendHtml(")<br>");
    }
    if (item.withheld) {
      out.AppendHtml(labels.Get(kLabelNotShown));
    } else if (item.christening_place) {
      // The christening item is made of the date and the place; the place is still shown.
      out.AppendHtml(labels.Get(kLabelNotShown));
      if (!item.christening_place->empty()) {
        out.AppendHtml(" ");
        out.AppendHtml(*item.christening_place);
      }
    } else {
      out.AppendHtml(item.text);
    }
  }
  out.AppendHtml("</div>\n");
}

}  // namespace

void ModernStyle::NotesPageStart(PageWriter&) {}

void ModernStyle::NotesEntry(PageWriter& out, const NotesEntryUnit& entry) {
  // The heading carries the entry's anchor, which is on its first person.
  std::optional<int> anchor;
  for (const NotesPersonUnit& person : entry.people)
    if (person.anchor) {
      anchor = person.anchor;
      break;
    }
  out.AppendHtml("<article class=\"notes-entry\">\n<h2");
  if (anchor) {
    out.AppendHtml(" id=\"");
    out.AppendHtml(std::to_string(*anchor));
    out.AppendHtml("\"");
  }
  out.AppendHtml(">");
  if (entry.family) out.AppendHtml(out.labels().Get(kLabelMarriageOf));
  for (std::size_t k = 0; k < entry.people.size(); ++k) {
    if (k > 0) {
      out.AppendHtml(" ");
      out.AppendHtml(out.labels().Get(kLabelAnd));
      out.AppendHtml(" ");
    }
    NotesPerson(out, entry.people[k], anchor);
  }
  out.AppendHtml("</h2>\n");
  for (const NotesItemUnit& item : entry.items) NotesItem(out, item);
  out.AppendHtml("</article>\n");
}


// ---- author page ----

namespace {

constexpr int kLabelMoreInformation = 12393;
constexpr int kLabelContact = 12394;
constexpr int kLabelVisitHomepage = 12395;
constexpr int kLabelAt = 12396;
constexpr int kLabelTranslation = 12428;
constexpr int kLabelCompiledOn = 12429;
constexpr int kLabelAddress = 12430;  // French only ("l'adresse")
constexpr int kLabelWebPage = 12432;
constexpr int kLabelOwnerNote = 12447;
constexpr int kLabelNoOwnerName = 12448;
constexpr int kLabelNoOwnerEmail = 12449;

constexpr int kFrench = 1;

// A mail address for an href: the blanks of a subject line as %20.
std::string MailTarget(std::string_view address) {
  std::string target = "mailto:";
  for (char c : address) {
    if (c == ' ')
      target += "%20";
    else
      target += c;
  }
  return ModernAttribute(target);
}

}  // namespace

void ModernStyle::AuthorPage(PageWriter& out, const AuthorPageUnit& page) {
  const lang::LabelSet& labels = out.labels();
  const bool french = out.language().language == kFrench;
  out.AppendHtml("<section class=\"owner-contact\">\n<p class=\"owner-note\">");
  out.AppendHtml(labels.Get(kLabelOwnerNote));
  out.AppendHtml("</p>\n<p>");
  if (!page.owner_email.empty()) {
    out.AppendHtml("<a href=\"");
    out.AppendHtml(MailTarget(page.owner_email));
    out.AppendHtml("\">");
  }
  if (!page.owner_name.empty()) {
    out.AppendHtml(page.owner_name);
  } else {
    out.AppendHtml("[");
    out.AppendHtml(labels.Get(kLabelNoOwnerName));
    out.AppendHtml("]");
  }
  if (!page.owner_email.empty()) {
    out.AppendHtml(" [");
    out.AppendHtml(page.owner_email);
    out.AppendHtml("]</a>");
  } else {
    out.AppendHtml("<br>[");
    out.AppendHtml(labels.Get(kLabelNoOwnerEmail));
    out.AppendHtml("]");
  }
  out.AppendHtml("</p>\n</section>\n");
  out.WriteRule();

  out.AppendHtml("<section class=\"about-program\">\n<p><i>");
  out.AppendHtml(page.produced_sentence);
  out.AppendHtml(labels.Get(kLabelCompiledOn));
  out.AppendHtml(" ");
  out.AppendHtml(page.build_date);
  out.AppendHtml(".</i></p>\n");
  if (page.translator_name) {
    out.AppendHtml("<p><i>");
    out.AppendHtml(labels.Get(kLabelTranslation));
    out.AppendHtml(" ");
    out.AppendHtml(*page.translator_name);
    out.AppendHtml(" <a href=\"");
    out.AppendHtml(MailTarget(page.translator_address));
    out.AppendHtml("\">");
    out.AppendHtml(page.translator_address);
    out.AppendHtml("</a></i></p>\n");
  }
  out.AppendHtml("<p><i>");
  out.AppendHtml(labels.Get(kLabelMoreInformation));
  out.AppendHtml(" ");
  out.AppendHtml(page.product);
  out.AppendHtml(", ");
  out.AppendHtml(labels.Get(kLabelContact));
  out.AppendHtml(" ");
  out.AppendHtml(page.author_name);
  out.AppendHtml(" ");
  out.AppendHtml(labels.Get(kLabelAt));
  out.AppendHtml(" <a href=\"");
  out.AppendHtml(MailTarget(page.contact_address + page.contact_subject + " " +
                            FormatText("%2.2f", page.version)));
  out.AppendHtml("\">");
  out.AppendHtml(page.contact_address);
  out.AppendHtml("</a><br>");
  out.AppendHtml(labels.Get(kLabelVisitHomepage));
  out.AppendHtml(" ");
  out.AppendHtml(page.product);
  out.AppendHtml(" ");
  if (!french) out.AppendHtml(labels.Get(kLabelWebPage));
  out.AppendHtml(" ");
  out.AppendHtml(labels.Get(kLabelAt));
  out.AppendHtml(" ");
  if (french) out.AppendHtml(labels.Get(kLabelAddress));
  out.AppendHtml(" <a href=\"");
  out.AppendHtml(ModernAttribute(page.home_page));
  out.AppendHtml("\">");
  out.AppendHtml(page.home_page);
  out.AppendHtml("</a></i>.</p>\n</section>\n");
  if (page.back_link) out.WriteBackLink();
  // The author page ends itself: it has no foot.
  out.AppendHtml("</main>\n</body>\n</html>\n");
}

}  // namespace kinloom::site
