#include "site/family_group_pages.h"

#include "lang/ui_text.h"
#include "site/person_links.h"
#include "store/page_layout.h"

namespace kinloom::site {
namespace {

using lang::FormatText;
using store::FamilyRecord;
using store::IndividualRecord;

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

// Opens the font of a name described in full; returns whether one was opened.
bool OpenFont(SiteContext& site, std::int64_t colour) {
  if (colour < 0 || site.ColoursSuppressed()) return false;
  site.writer.AppendHtml(FormatText("<font color='#%06X'>", static_cast<unsigned>(colour)));
  return true;
}

void MaybeRedDot(SiteContext& site, const IndividualRecord& person) {
  if (site.MarkAncestors() && person.ancestor) WriteRedDot(site);
}

void WriteAlsoKnownAs(SiteContext& site, const IndividualRecord& person) {
  if (!person.also_known_as.empty())
    site.writer.AppendHtml("<small> [aka: " + EscapeHtml(person.also_known_as) + "] </small>");
}

// The GEDCOM id, notes icon and pedigree icon after a name described in full, then "<br>".
void WriteMarks(SiteContext& site, const IndividualRecord& person) {
  if (site.settings().show_gedcom_ids) WriteGedcomId(site, person);
  if (site.NotesPagesOn())
    WriteNotesIcon(site, static_cast<int>(&person - site.store().individuals.data()), true);
  if (site.settings().create_pedigree_groups) WritePedigreeIcon(site, person);
  site.writer.AppendHtml("<br>");
}

std::string FullName(const IndividualRecord& person) {
  return person.surname + ", " + person.given_names + " " + person.title;
}

void WriteFamily(SiteContext& site, const IndividualRecord& principal, const FamilyRecord& family,
                 int group, const FamilyPageColours& colours) {
  run::RunContext& run = site.run;
  const settings::Settings& options = site.settings();
  PageWriter& out = site.writer;
  IndividualRecord* husband = store::ResolveIndividual(run, family.husband);
  IndividualRecord* wife = store::ResolveIndividual(run, family.wife);
  IndividualRecord* spouse = nullptr;
  if (husband) spouse = husband == &principal ? wife : husband;

  out.AppendHtml(site.Label(kLabelFamily) + ":<blockquote>");

  if (family.marriage_seen && (!family.marriage_place.empty() || !family.marriage_date.empty())) {
    out.AppendHtml(" " + site.Label(kLabelMarriage) + ":");
    if (!family.marriage_date.empty()) {
      if (!options.suppress_living) {
        out.AppendHtml(family.marriage_date + " ");
      } else if ((husband && IsLiving(*husband)) || (wife && IsLiving(*wife))) {
        out.AppendHtml(site.Label(kLabelNotShown));
      } else {
        out.AppendHtml(" " + family.marriage_date);
      }
    }
    if (!family.marriage_place.empty()) out.AppendHtml(" " + family.marriage_place);
    if (site.NotesPagesOn())
      WriteNotesIcon(site, static_cast<int>(&family - site.store().families.data()), false);
    out.AppendHtml("<br>");
  }

  if (spouse && spouse->defined) {
    out.AppendHtml(site.Label(kLabelSpouse) + ":");
    if (spouse->group == group) {
      bool font = OpenFont(site, colours.spouses);
      MaybeRedDot(site, *spouse);
      out.AppendHtml(" <b>");
      out.AppendHtml(FullName(*spouse));
      out.AppendHtml("</b>");
      WriteAlsoKnownAs(site, *spouse);
      if (font) out.AppendHtml("</font>");
      WriteMarks(site, *spouse);
      WriteVitals(site, *spouse, false);
      WriteParents(site, *spouse);
    } else {
      WritePersonLink(site, PersonLinkKind::kFamilyGroup, *spouse, true, false, kNoColour);
    }
  }

  if (!family.children.empty()) {
    out.AppendHtml(site.Label(kLabelChildren) + ":<ul>");
    for (const std::string& id : family.children) {
      IndividualRecord* child = store::ResolveIndividual(run, id);
      // An individual without a name is on no page.
      if (!child || !child->defined) continue;
      if (child->group == group) {
        bool font = OpenFont(site, colours.children);
        MaybeRedDot(site, *child);
        out.AppendHtml("<b>" + FullName(*child) + "</b>");
        if (font) out.AppendHtml("</font>");
        WriteMarks(site, *child);
        WriteVitals(site, *child, false);
      } else {
        WritePersonLink(site, PersonLinkKind::kFamilyGroup, *child, true, false, colours.children);
      }
    }
    out.AppendHtml("</ul>");
  }
  out.AppendHtml("</blockquote>");
}

}  // namespace

FamilyPageColours FamilyColours(const settings::Settings& settings) {
  FamilyPageColours c;
  bool text = settings.use_text_color != 0;
  bool family_pages = settings.use_text_color_for_family_pages != 0;
  if (!family_pages) {
    c.spouses = settings.colours[settings::kColourHusbandAndWife];
    c.children = settings.colours[settings::kColourChildren];
    c.parents = settings.colours[settings::kColourParents];
  } else if (text) {
    c.spouses = c.children = c.parents = settings.colours[settings::kColourText];
  }
  return c;
}

int WriteFamilyGroupPages(SiteContext& site) {
  const store::GenealogyStore& store = site.store();
  int per_page = site.Groups();
  bool open = false;
  for (int i = 0; i < store.group_count; ++i) {
    if (i % per_page == 0) {
      if (i > 0) {
        ShowProgress(
            site.run, 11,
            FormatText("%s : %d", lang::LoadUiText(2348, site.settings()).c_str(), i / per_page),
            true);
        site.writer.ClosePage();
      }
      std::string file = FormatText("%s_%x.%s", site.Prefix(PageKind::kFamilyGroup).c_str(),
                                    static_cast<unsigned>(i / per_page), site.Extension().c_str());
      std::string title =
          FormatText("%s %li %s", site.language.family_text_a.c_str(),
                     static_cast<long>(i / per_page + 1), site.language.family_text_b.c_str());
      site.writer.OpenPage(site.OutputPath(file), title, true, true);
      open = true;
    }
    WriteFamilyGroup(site, i);
    if (i % per_page != per_page - 1) site.writer.WriteRule();
  }
  if (open) site.writer.ClosePage();
  return 1;
}

void WriteFamilyGroup(SiteContext& site, int group) {
  store::GenealogyStore& store = site.store();
  const settings::Settings& options = site.settings();
  PageWriter& out = site.writer;
  const IndividualRecord& principal = store.individuals[store.group_heads[group]];
  FamilyPageColours colours = FamilyColours(options);

  out.AppendHtml("<blockquote>");
  if (!options.minimize_absolute && !options.one_index_page_link) out.WriteBackLink();
  out.AppendHtml(FormatText("<a name=\"%li\">", static_cast<long>(group % site.Groups())));
  out.AppendHtml("<b>");
  bool font = OpenFont(site, colours.spouses);
  MaybeRedDot(site, principal);
  if (!principal.surname.empty()) out.AppendHtml(principal.surname);
  out.AppendHtml(", ");
  if (!principal.given_names.empty()) out.AppendHtml(principal.given_names + " ");
  if (!principal.title.empty()) out.AppendHtml(principal.title + " ");
  out.AppendHtml("</b>");
  WriteAlsoKnownAs(site, principal);
  out.AppendHtml("</a>");
  if (font) out.AppendHtml("</font>");
  WriteMarks(site, principal);

  WriteVitals(site, principal, false);
  WriteParents(site, principal);

  for (int k = 0;
       k < principal.spouse_family_count && k < static_cast<int>(principal.spouse_families.size());
       ++k) {
    FamilyRecord* family = store::ResolveFamily(site.run, principal.spouse_families[k], principal);
    if (family) WriteFamily(site, principal, *family, group, colours);
  }
  out.AppendHtml("</blockquote>");
}

bool WriteVitals(SiteContext& site, const IndividualRecord& person, bool inline_form) {
  const settings::Settings& options = site.settings();
  PageWriter& out = site.writer;
  const std::string* sex = person.sex == 1   ? &site.Label(kLabelFemale)
                           : person.sex == 2 ? &site.Label(kLabelMale)
                                             : nullptr;
  if (inline_form && options.gender && sex) out.AppendHtml("[" + *sex + "] ");

  bool birth_line = false;
  if ((person.birth_seen || person.christening_seen) &&
      (!person.birth_date.empty() || !person.birth_place.empty() ||
       !person.christening_date.empty() || !person.christening_place.empty())) {
    birth_line = true;
    out.AppendHtml(site.Label(kLabelBorn) + " ");
    bool baptism = !person.birth_seen && options.use_baptism;
    if (!person.birth_date.empty() || !person.christening_date.empty()) {
      if (options.suppress_living && IsLiving(person))
        out.AppendHtml(site.Label(kLabelNotShown) + " ");
      else if (person.birth_seen && !person.birth_date.empty())
        out.AppendHtml(person.birth_date + " ");
      else if (baptism && !person.christening_date.empty())
        out.AppendHtml(person.christening_date + " ");
    }
    if (person.birth_seen && !person.birth_place.empty())
      out.AppendHtml(person.birth_place);
    else if (baptism && !person.christening_place.empty())
      out.AppendHtml(person.christening_place);
    if (!inline_form) out.AppendHtml("<br>");
  }

  bool death_line = false;
  if (person.deceased && (!person.death_date.empty() || !person.death_place.empty() ||
                          !person.burial_date.empty() || !person.burial_place.empty())) {
    death_line = true;
    if (inline_form && birth_line) out.AppendHtml(" - ");
    out.AppendHtml(site.Label(kLabelDied) + " ");
    const std::string& date = person.death_date.empty() ? person.burial_date : person.death_date;
    out.AppendHtml(date + " ");
    out.AppendHtml(person.death_place.empty() ? person.burial_place : person.death_place);
    if (!inline_form) out.AppendHtml("<br>");
  }

  if (!inline_form && options.gender && sex)
    out.AppendHtml(FormatText(" %s: %s<BR>", site.Label(kLabelGender).c_str(), sex->c_str()));
  return birth_line || death_line;
}

void WriteParents(SiteContext& site, const IndividualRecord& person) {
  if (person.parents_family.empty()) return;
  FamilyRecord* family = store::ResolveFamily(site.run, person.parents_family, person);
  if (!family) return;
  IndividualRecord* father = store::ResolveIndividual(site.run, family->husband);
  IndividualRecord* mother = store::ResolveIndividual(site.run, family->wife);
  if (!father && !mother) return;
  std::int64_t colour = FamilyColours(site.settings()).parents;
  PageWriter& out = site.writer;
  out.AppendHtml(site.Label(kLabelParents) + ":<blockquote>");
  if (father && father->defined) {
    out.AppendHtml(site.Label(kLabelFather) + ":");
    WritePersonLink(site, PersonLinkKind::kFamilyGroup, *father, false, true, colour);
  }
  if (mother && mother->defined) {
    out.AppendHtml(site.Label(kLabelMother) + ":");
    WritePersonLink(site, PersonLinkKind::kFamilyGroup, *mother, false, true, colour);
  }
  out.AppendHtml("</blockquote>");
}

}  // namespace kinloom::site
