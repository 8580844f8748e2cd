#include "site/classic_style.h"

#include "lang/ui_text.h"
#include "site/text_pieces.h"

namespace kinloom::site {

// ---- page frame: head, notices, rules, foot ----


// ---- family group pages ----

namespace {

using lang::FormatText;

NumberText Decimal(long long value) { return NumberText::Decimal(value); }
// A colour as six capital hexadecimal digits.
NumberText ColourDigits(std::int64_t colour) {
  return NumberText::Hex(static_cast<unsigned>(colour), 6, true);
}

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
constexpr int kLabelNotShown = 12424;
constexpr int kLabelBorn = 12425;
constexpr int kLabelDied = 12426;

constexpr const char* kRedDotImage = "q5.gif";
constexpr const char* kNotesIconImage = "q4.gif";
constexpr const char* kPedigreeIconImage = "q3.gif";

void RedDot(PageWriter& out, bool wanted) {
  if (wanted) out.Append({"<img src=\"", kRedDotImage, "\" border=0 >"});
}

void GedcomId(PageWriter& out, const std::optional<std::string>& id) {
  if (id) out.Append({"<small>{", EscapeHtml(*id), "}</small> "});
}

void Icon(PageWriter& out, const std::string& target, const char* image) {
  if (!target.empty())
    out.Append({" <a href=\"", target, "\"><IMG SRC=\"", image, "\" border=\"0\"></a>"});
}

// The GEDCOM id, notes icon and pedigree icon after a name, then "<br>".
void Marks(PageWriter& out, const PersonMarks& marks) {
  GedcomId(out, marks.gedcom_id);
  Icon(out, marks.notes_target, kNotesIconImage);
  Icon(out, marks.pedigree_target, kPedigreeIconImage);
  out.AppendHtml("<br>");
}

bool OpenFont(PageWriter& out, std::int64_t colour) {
  if (colour < 0) return false;
  out.Append({"<font color='#", ColourDigits(colour), "'>"});
  return true;
}

void AlsoKnownAs(PageWriter& out, std::string_view also_known_as) {
  if (!also_known_as.empty())
    out.Append({"<small> [aka: ", EscapeHtml(also_known_as), "] </small>"});
}

void Link(PageWriter& out, const GroupLinkUnit& link) {
  if (link.name_anchor)
    out.Append({"<a name=\"", *link.name_anchor, "\" href=\"", link.target, "\""});
  else
    out.Append({"<a href=\"", link.target, "\""});
  if (link.colour >= 0) out.Append({" style=\"color: #", ColourDigits(link.colour), "\""});
  out.AppendHtml(">");
  RedDot(out, link.red_dot);
  out.AppendHtml(link.name);
  out.AppendHtml("</a>");
  Marks(out, link.marks);
}

void Parents(PageWriter& out, const ParentsUnit& parents) {
  const lang::LabelSet& labels = out.labels();
  out.Append({labels.Get(kLabelParents), ":<blockquote>"});
  if (parents.father) {
    out.Append({labels.Get(kLabelFather), ":"});
    Link(out, *parents.father);
  }
  if (parents.mother) {
    out.Append({labels.Get(kLabelMother), ":"});
    Link(out, *parents.mother);
  }
  out.AppendHtml("</blockquote>");
}

// "Surname, Given names Title" between `before` and `after`, as one text.
void FullName(PageWriter& out, std::string_view before, const FullPersonUnit& person,
              std::string_view after) {
  out.Append({before, person.surname, ", ", person.given_names, " ", person.title, after});
}

}  // namespace

void ClassicStyle::Vitals(PageWriter& out, const VitalsUnit& vitals) {
  const lang::LabelSet& labels = out.labels();
  const std::string* sex = vitals.sex == 1   ? &labels.Get(kLabelFemale)
                           : vitals.sex == 2 ? &labels.Get(kLabelMale)
                                             : nullptr;
  if (vitals.inline_form && sex) out.Append({"[", *sex, "] "});
  const ShownEvent& birth = vitals.dates.birth;
  if (birth.shown) {
    out.Append({labels.Get(kLabelBorn), " "});
    if (birth.withheld)
      out.Append({labels.Get(kLabelNotShown), " "});
    else if (!birth.date.empty())
      out.Append({birth.date, " "});
    out.AppendHtml(birth.place);
    if (!vitals.inline_form) out.AppendHtml("<br>");
  }
  const ShownEvent& death = vitals.dates.death;
  if (death.shown) {
    if (vitals.inline_form && birth.shown) out.AppendHtml(" - ");
    out.Append({labels.Get(kLabelDied), " "});
    out.Append({death.date, " "});
    out.AppendHtml(death.place);
    if (!vitals.inline_form) out.AppendHtml("<br>");
  }
  if (!vitals.inline_form && sex)
    out.Append({" ", labels.Get(kLabelGender), ": ", *sex, "<BR>"});
}

void ClassicStyle::FamilyGroup(PageWriter& out, const FamilyGroupUnit& group) {
  const lang::LabelSet& labels = out.labels();
  const FullPersonUnit& principal = group.principal;
  out.AppendHtml("<blockquote>");
  if (group.back_link) out.WriteBackLink();
  out.Append({"<a name=\"", Decimal(static_cast<long>(group.anchor)), "\">"});
  out.AppendHtml("<b>");
  bool font = OpenFont(out, principal.colour);
  RedDot(out, principal.red_dot);
  if (!principal.surname.empty()) out.AppendHtml(principal.surname);
  out.AppendHtml(", ");
  if (!principal.given_names.empty()) out.Append({principal.given_names, " "});
  if (!principal.title.empty()) out.Append({principal.title, " "});
  out.AppendHtml("</b>");
  AlsoKnownAs(out, principal.also_known_as);
  out.AppendHtml("</a>");
  if (font) out.AppendHtml("</font>");
  Marks(out, principal.marks);
  Vitals(out, principal.vitals);
  if (principal.parents) Parents(out, *principal.parents);

  for (const FamilyBlockUnit& family : group.families) {
    out.Append({labels.Get(kLabelFamily), ":<blockquote>"});
    if (const std::optional<MarriageUnit>& marriage = family.marriage) {
      out.Append({" ", labels.Get(kLabelMarriage), ":"});
      if (!marriage->date.empty()) {
        // Without the privacy rule the date is followed by a blank; with it, preceded by one.
        if (marriage->withheld)
          out.AppendHtml(labels.Get(kLabelNotShown));
        else if (!out.context().settings.suppress_living)
          out.Append({marriage->date, " "});
        else
          out.Append({" ", marriage->date});
      }
      if (!marriage->place.empty()) out.Append({" ", marriage->place});
      Icon(out, marriage->notes_target, kNotesIconImage);
      out.AppendHtml("<br>");
    }

    if (const std::optional<GroupMemberUnit>& spouse = family.spouse) {
      out.Append({labels.Get(kLabelSpouse), ":"});
      if (spouse->in_full) {
        const FullPersonUnit& person = spouse->full;
        bool spouse_font = OpenFont(out, person.colour);
        RedDot(out, person.red_dot);
        out.AppendHtml(" <b>");
        FullName(out, "", person, "");
        out.AppendHtml("</b>");
        AlsoKnownAs(out, person.also_known_as);
        if (spouse_font) out.AppendHtml("</font>");
        Marks(out, person.marks);
        Vitals(out, person.vitals);
        if (person.parents) Parents(out, *person.parents);
      } else {
        Link(out, spouse->link);
      }
    }

    if (family.has_children) {
      out.Append({labels.Get(kLabelChildren), ":<ul>"});
      for (const GroupMemberUnit& child : family.children) {
        if (!child.in_full) {
          Link(out, child.link);
          continue;
        }
        const FullPersonUnit& person = child.full;
        bool child_font = OpenFont(out, person.colour);
        RedDot(out, person.red_dot);
        FullName(out, "<b>", person, "</b>");
        if (child_font) out.AppendHtml("</font>");
        Marks(out, person.marks);
        Vitals(out, person.vitals);
      }
      out.AppendHtml("</ul>");
    }
    out.AppendHtml("</blockquote>");
  }
  out.AppendHtml("</blockquote>");
}


// ---- notes pages ----

void ClassicStyle::NotesPageStart(PageWriter& out) { out.AppendHtml("<p>"); }

namespace {

constexpr int kLabelAnd = 12400;
constexpr int kLabelMarriageOf = 12427;
constexpr int kLabelField = 12611;

void NotesPerson(PageWriter& out, const NotesPersonUnit& person) {
  const lang::LabelSet& labels = out.labels();
  RedDot(out, person.red_dot);
  if (person.target) {
    if (person.anchor)
      out.Append({"<a name=\"", Decimal(*person.anchor), "\" href=", *person.target, ">"});
    else
      out.Append({"<a href=", *person.target, ">"});
  } else if (person.anchor) {
    out.Append({"<a name=\"", Decimal(*person.anchor), "\"></a>"});
  }
  if (!person.surname.empty()) out.AppendHtml(person.surname);
  out.AppendHtml(", ");
  if (!person.given_names.empty()) out.Append({person.given_names, " "});
  if (!person.title.empty()) out.Append({person.title, " "});
  if (person.target) out.AppendHtml("</a>");
  GedcomId(out, person.gedcom_id);

  out.Append({"(", labels.Get(kLabelBorn), " "});
  if (person.dates.birth.withheld)
    out.AppendHtml(labels.Get(kLabelNotShown));
  else
    out.AppendHtml(person.dates.birth.date);
  if (person.dates.death.shown) {
    const std::string_view date = person.dates.death.date.empty() ? "?" : person.dates.death.date;
    out.Append({",&nbsp;", labels.Get(kLabelDied), " ", date});
  }
  out.AppendHtml(")");
}

void NotesItem(PageWriter& out, const NotesItemUnit& item) {
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("<BLOCKQUOTE>");
  if (item.label) out.Append({"<I><B>", *item.label, ":</B></I> "});
  if (item.from_record) {
    if (item.context_label) out.Append({" (", *item.context_label, ")<br>"});
    std::string text = item.text;
    for (const NotesItemUnit::Reference& note : item.notes)
      text += "<br><I>" + note.label + ":</I> " + note.text;
    for (const NotesItemUnit::Reference& repository : item.repositories)
      text += "<I>" + repository.label + ":</I><BLOCKQUOTE>" + repository.text + "</BLOCKQUOTE>";
    out.AppendHtml(text);
    if (!item.rest.empty()) {
      out.AppendHtml("<BLOCKQUOTE>");
      out.AppendHtml(item.rest);
      out.AppendHtml("</BLOCKQUOTE>");
    }
  } else {
    if (item.context_label)
      out.Append({" (", *item.context_label, " ", labels.Get(kLabelField), ")<br>"});
    if (item.withheld) {
      out.AppendHtml(labels.Get(kLabelNotShown));
    } else if (item.christening_place) {
      // The christening item is made of the date and the place; the place is still shown.
      out.AppendHtml(labels.Get(kLabelNotShown));
      if (!item.christening_place->empty())
        out.Append({" ", *item.christening_place});
    } else {
      out.AppendHtml(item.text);
    }
  }
  out.AppendHtml("</BLOCKQUOTE>");
}

}  // namespace

void ClassicStyle::NotesEntry(PageWriter& out, const NotesEntryUnit& entry) {
  if (entry.family) out.AppendHtml(out.labels().Get(kLabelMarriageOf));
  for (std::size_t k = 0; k < entry.people.size(); ++k) {
    if (k > 0) out.Append({" ", out.labels().Get(kLabelAnd), " "});
    NotesPerson(out, entry.people[k]);
  }
  for (const NotesItemUnit& item : entry.items) NotesItem(out, item);
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

}  // namespace

void ClassicStyle::AuthorPage(PageWriter& out, const AuthorPageUnit& page) {
  const lang::LabelSet& labels = out.labels();
  const bool french = out.language().language == kFrench;
  const std::string& name = page.owner_name;
  const std::string& email = page.owner_email;
  out.AppendHtml("<center><font color=\"FF0000\">" + labels.Get(kLabelOwnerNote) + "</font><br>");
  if (!email.empty()) out.AppendHtml("<a href=mailto:" + email + ">");
  out.AppendHtml(!name.empty() ? name : "<br>[" + labels.Get(kLabelNoOwnerName) + "]");
  out.AppendHtml(!email.empty() ? " [" + email + "]</a>"
                                : "<br>[" + labels.Get(kLabelNoOwnerEmail) + "]");
  out.AppendHtml("</center>");
  out.WriteRule();

  out.AppendHtml("<center><p><i>" + page.produced_sentence);
  out.AppendHtml(labels.Get(kLabelCompiledOn) + " " + page.build_date + ".<p>");
  if (page.translator_name) {
    out.AppendHtml(labels.Get(kLabelTranslation) + " " + *page.translator_name +
                   " <a href=\"mailto:" + page.translator_address + "\">" +
                   page.translator_address + "</a> <p>");
  }
  out.AppendHtml(labels.Get(kLabelMoreInformation) + " " + page.product + ", " +
                 labels.Get(kLabelContact) + " " + page.author_name + " " + labels.Get(kLabelAt) +
                 " ");
  out.AppendHtml(FormatText("<a href=\"mailto:%s%s %2.2f\">%s</a>", page.contact_address.c_str(),
                            page.contact_subject.c_str(), page.version,
                            page.contact_address.c_str()));
  out.AppendHtml(" <br>" + labels.Get(kLabelVisitHomepage) + " " + page.product + " " +
                 (french ? std::string() : labels.Get(kLabelWebPage)) + " " + labels.Get(kLabelAt) +
                 " " + (french ? labels.Get(kLabelAddress) : std::string()) + " ");
  out.AppendHtml("<a href=\"" + page.home_page + "\">");
  out.AppendHtml(page.home_page + "</a>");
  out.AppendHtml("</i>.</p></center>");
  if (page.back_link) out.WriteBackLink();
  out.AppendHtml("</body></html>");
}


// ---- descendancy pages ----
namespace {

constexpr int kOutlineLabelMarriage = 12375;
constexpr int kOutlineLabelNotShown = 12424;
constexpr int kOutlineLabelMarriedTo = 12610;

void OutlineRedDot(PageWriter& out) { out.AppendHtml("<img src=\"q5.gif\" border=0 >"); }

void OutlineGedcomId(PageWriter& out, const OutlinePersonUnit& person) {
  if (person.show_gedcom_id)
    out.Append({"<small>{", EscapeHtml(person.gedcom_id), "}</small> "});
}

}  // namespace

void ClassicStyle::BeginDescendancyPage(PageWriter& out, const ChartPageUnit& page) {
  if (page.coloured) out.AppendHtml("<font size='2' color='#000000'>");
}

void ClassicStyle::EndDescendancyPage(PageWriter& out, const ChartPageUnit& page) {
  if (page.coloured) out.AppendHtml("</font>");
}

void ClassicStyle::BeginDescendancyTree(PageWriter& out, const OutlineTreeUnit& tree) {
  if (tree.place_anchor >= 0)
    out.Append({"<a name=\"", Decimal(tree.place_anchor), "\"></a>"});
}

void ClassicStyle::OpenOutlineLevel(PageWriter& out, const OutlinePersonUnit& person,
                                    const WriteDates& dates) {
  out.AppendHtml("<ul>");
  bool anchor_open = true;
  if (person.anchor >= 0 && !person.link.empty())
    out.Append({"<a name=\"", Decimal(person.anchor), "\"  href=\"", person.link, "\">"});
  else if (person.anchor >= 0)
    out.Append({"<a name=\"", Decimal(person.anchor), "\">"});
  else if (!person.link.empty())
    out.Append({"<a href=\"", person.link, "\">"});
  else
    anchor_open = false;
  const bool coloured = person.colour != kPlainColour;
  if (coloured)
    out.Append({"<font size='3' color='", ColourDigits(person.colour), "'><strong>"});
  out.AppendHtml("<li>");
  if (person.ancestor) OutlineRedDot(out);
  if (!person.surname.empty()) out.AppendHtml(person.surname);
  out.AppendHtml(", ");
  if (!person.given_names.empty()) out.AppendHtml(person.given_names);
  if (!person.title.empty()) out.AppendHtml(person.title);
  if (anchor_open) out.AppendHtml("</a>");
  if (coloured) out.AppendHtml("</strong></font>");
  OutlineGedcomId(out, person);
  dates();
}

void ClassicStyle::WriteOutlineFamily(PageWriter& out, const OutlineFamilyUnit& family,
                                      const WriteDates& spouse_dates) {
  const lang::LabelSet& labels = out.labels();
  bool dates_line = false;
  if (family.has_spouse) {
    const OutlinePersonUnit& spouse = family.spouse;
    out.Append({"<BR>", labels.Get(kOutlineLabelMarriedTo), " "});
    if (!spouse.link.empty()) out.Append({"<a href=\"", spouse.link, "\">"});
    if (spouse.ancestor) OutlineRedDot(out);
    const bool coloured = spouse.colour != kPlainColour;
    if (coloured)
      out.Append({"<font size=\"3\" color=\"#", ColourDigits(spouse.colour), "\"><strong>"});
    out.Append({spouse.surname, ", ", spouse.given_names, " ", spouse.title});
    if (coloured) out.AppendHtml("</strong></font>");
    if (!spouse.link.empty()) out.AppendHtml("</a>");
    OutlineGedcomId(out, spouse);
    dates_line = spouse_dates();
    if (spouse.anchor >= 0) out.Append({"<a name=\"", Decimal(spouse.anchor), "\">"});
  }
  if (family.marriage == OutlineFamilyUnit::Marriage::kNone) return;
  if (dates_line) out.AppendHtml(" - ");
  out.Append({" ", labels.Get(kOutlineLabelMarriage), ": "});
  if (family.marriage == OutlineFamilyUnit::Marriage::kWithheld)
    out.Append({labels.Get(kOutlineLabelNotShown), " "});
  else if (family.marriage == OutlineFamilyUnit::Marriage::kShown)
    out.Append({family.marriage_date, " "});
  if (!family.marriage_place.empty()) out.AppendHtml(family.marriage_place);
}

void ClassicStyle::WriteOutlineContinuation(PageWriter& out,
                                            const OutlineContinuationUnit& continuation) {
  out.AppendHtml("<ul>");
  out.Append({"<B><a href=\"", continuation.target, "\" style=\"color: #",
              NumberText::Hex(continuation.colour, 6, true),
              "\">Follow this link for descendants of this individual/couple.</a></B><br>"});
  out.AppendHtml("</ul>");
}

void ClassicStyle::CloseOutlineLevel(PageWriter& out, const OutlinePersonUnit&) {
  out.AppendHtml("</ul>");
}


// ---- pedigree pages ----
namespace {

constexpr int kPedigreeLabelNotShown = 12424;
constexpr int kPedigreeLabelBorn = 12425;
constexpr int kPedigreeLabelDied = 12426;

// The cells of each chart row, one letter per cell: S blank, W narrow blank, H chart end,
// 8 vertical line, 6 and 7 the line left of a father or a mother followed by the person,
// R the root person, N the connector to the person's parents, K the continuation arrow,
// c a vertical line only when row 1 is filled.
//
// The narrow cells of the head and foot rows lie in the line columns (2, 4, 6), as in every
// other row; a narrow cell above a name column would hold that column to its narrowest, so
// that names and dates break at every blank and the 55-pixel line images no longer meet.
constexpr const char* kPedigreeHeadAndFoot = "HSWSWSWSH";
constexpr const char* kPedigreeRowCells[kPedigreeRows] = {
    "SSWSWS6K",   // row 0, generation 3
    "SSSS6NS",    // row 1, generation 2
    "SSSScS7K",   // row 2, generation 3
    "SS6NSS",     // row 3, generation 1
    "SS8S8S6K",   // row 4, generation 3
    "SS8S7NSS",   // row 5, generation 2
    "SS8SWS7K",   // row 6, generation 3
    "SRNSWSWSS",  // row 7, generation 0
    "SS8SWS6K",   // row 8, generation 3
    "SS8S6NSS",   // row 9, generation 2
    "SS8S8S7K",   // row 10, generation 3
    "SS7NSWSS",   // row 11, generation 1
    "SSWS8S6K",   // row 12, generation 3
    "SSWS7NSS",   // row 13, generation 2
    "SSWSWS7K",   // row 14, generation 3
};

constexpr const char* kPedigreeBlankCell = "<TD  >&nbsp;</TD>";
constexpr const char* kPedigreeNarrowCell = "<TD WIDTH=7></TD>";
constexpr const char* kPedigreeEndCell = "<TD ><IMG SRC=\"q0.gif\" border=\"0\"></TD>";

void PedigreeLineCell(PageWriter& out, const char* image) {
  out.Append({"<TD ><IMG SRC=\"", image, "\" WIDTH=7></TD>"});
}

void PedigreeConnector(PageWriter& out, const PedigreeChartUnit& chart, int row) {
  const int offset = PedigreeParentOffset(row);
  const bool father = chart.rows[static_cast<std::size_t>(row - offset)].filled;
  const bool mother = chart.rows[static_cast<std::size_t>(row + offset)].filled;
  if (father && mother)
    PedigreeLineCell(out, "qa.gif");
  else if (father)
    PedigreeLineCell(out, "qb.gif");
  else if (mother)
    PedigreeLineCell(out, "qc.gif");
  else
    out.AppendHtml(kPedigreeNarrowCell);
}

void PedigreeContinuationCell(PageWriter& out, const PedigreeCellUnit& cell) {
  if (cell.continuation.empty())
    out.AppendHtml(kPedigreeBlankCell);
  else
    out.Append({"<TD ><A HREF=\"", cell.continuation, "\"><IMG SRC=\"q9.gif\" border=\"0\"></A></TD>"});
}

void PedigreePersonCell(PageWriter& out, const PedigreeChartUnit& chart, int row) {
  const PedigreeCellUnit& cell = chart.rows[static_cast<std::size_t>(row)];
  const lang::LabelSet& labels = out.labels();
  out.AppendHtml("&nbsp;");
  if (row == kPedigreeRootRow && chart.place_anchor >= 0)
    out.Append({"<a name=\"", Decimal(chart.place_anchor), "\"></a>"});
  if (cell.anchor < 0)
    out.AppendHtml("<a");
  else
    out.Append({"<a name=\"", Decimal(cell.anchor), "\""});
  if (!cell.link.empty())
    out.Append({" href=\"", cell.link, "\">"});
  else
    out.AppendHtml(">");
  if (cell.ancestor) out.AppendHtml("<img src=\"q5.gif\" border=0 >");
  if (!cell.surname.empty()) out.AppendHtml(cell.surname);
  out.AppendHtml(", ");
  if (!cell.given_names.empty()) out.AppendHtml(cell.given_names);
  if (!cell.title.empty()) out.Append({" ", cell.title});
  out.AppendHtml("</a>");
  if (cell.show_gedcom_id)
    out.Append({"<small>{", EscapeHtml(cell.gedcom_id), "}</small> "});
  if (cell.birth == PedigreeCellUnit::Birth::kWithheld)
    out.AppendHtml(labels.Get(kPedigreeLabelNotShown));
  else if (cell.birth == PedigreeCellUnit::Birth::kShown)
    out.Append({"<br>&nbsp;", labels.Get(kPedigreeLabelBorn), " ", cell.birth_date});
  if (!cell.death_date.empty())
    out.Append({"<br>&nbsp;", labels.Get(kPedigreeLabelDied), " ", cell.death_date});
}

void PedigreeRow(PageWriter& out, const PedigreeChartUnit& chart, const char* cells, int row) {
  out.AppendHtml("<TR>");
  for (const char* cell = cells; *cell; ++cell) {
    switch (*cell) {
      case 'S':
        out.AppendHtml(kPedigreeBlankCell);
        break;
      case 'W':
        out.AppendHtml(kPedigreeNarrowCell);
        break;
      case 'H':
        out.AppendHtml(kPedigreeEndCell);
        break;
      case '8':
        PedigreeLineCell(out, "q8.gif");
        break;
      case 'c':
        if (chart.rows[1].filled)
          PedigreeLineCell(out, "q8.gif");
        else
          out.AppendHtml(kPedigreeNarrowCell);
        break;
      case '6':
      case '7':
        PedigreeLineCell(out, *cell == '6' ? "q6.gif" : "q7.gif");
        out.AppendHtml("<TD >");
        PedigreePersonCell(out, chart, row);
        out.AppendHtml("</TD>");
        break;
      case 'R':
        out.AppendHtml("<TD >");
        if (chart.place_anchor >= 0)
          out.Append({"<a name=\"", Decimal(chart.place_anchor), "\">"});
        PedigreePersonCell(out, chart, row);
        out.AppendHtml("</TD>");
        break;
      case 'N':
        PedigreeConnector(out, chart, row);
        break;
      case 'K':
        PedigreeContinuationCell(out, chart.rows[static_cast<std::size_t>(row)]);
        break;
    }
  }
  out.AppendHtml("</TR>");
}

}  // namespace

void ClassicStyle::BeginPedigreePage(PageWriter& out, const ChartPageUnit& page) {
  if (!page.extended) out.AppendHtml("<p>");
}

void ClassicStyle::WritePedigreeChart(PageWriter& out, const PedigreeChartUnit& chart) {
  out.AppendHtml("<TABLE cellpadding=0 cellspacing=0 border=0>");
  PedigreeRow(out, chart, kPedigreeHeadAndFoot, -1);
  for (int row = 0; row < kPedigreeRows; ++row)
    if (chart.rows[static_cast<std::size_t>(row)].filled)
      PedigreeRow(out, chart, kPedigreeRowCells[row], row);
  PedigreeRow(out, chart, kPedigreeHeadAndFoot, -1);
  out.AppendHtml("</TABLE>");
}


// ---- surname lists, surname index pages, main index page ----


}  // namespace kinloom::site
