// The dates and places a person shows on each page kind: the christening and burial
// fallbacks, the withheld birth dates of the living, and when each kind writes a birth or
// death part at all; then the marriage, ordinance and christening-item rules.
#include "site/page_facts.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace kinloom::site {
namespace {

using store::IndividualRecord;

constexpr std::array<DatesOn, 6> kPages = {DatesOn::kFamilyGroup, DatesOn::kDescendancy,
                                           DatesOn::kPedigree,    DatesOn::kNotesHeading,
                                           DatesOn::kIndexEntry,  DatesOn::kGendex};

// "-" for a part that is not written; "[date|place]" otherwise, "*" for a withheld date.
std::string Describe(const ShownEvent& event) {
  if (!event.shown) return "-";
  std::string date = event.withheld ? "*" : std::string(event.date);
  return "[" + date + "|" + std::string(event.place) + "]";
}

std::string Describe(const ShownDates& dates) {
  return "b" + Describe(dates.birth) + " d" + Describe(dates.death);
}

struct Case {
  const char* name;
  std::function<void(IndividualRecord&, settings::Settings&)> make;
  // Family group, descendancy, pedigree, notes heading, index entry, gendex.
  std::array<const char*, 6> expected;
};

IndividualRecord Deceased() {
  IndividualRecord p;
  p.defined = true;
  p.deceased = true;
  return p;
}

TEST(ShownDatesTest, EachPageKindKeepsItsOwnRules) {
  const Case cases[] = {
      {"birth and death",
       [](IndividualRecord& p, settings::Settings&) {
         p.birth_seen = true;
         p.birth_date = "1 JAN 1900";
         p.birth_place = "York";
         p.death_date = "2 FEB 1970";
         p.death_place = "Leeds";
       },
       {"b[1 JAN 1900|York] d[2 FEB 1970|Leeds]", "b[1 JAN 1900|York] d[2 FEB 1970|Leeds]",
        "b[1 JAN 1900|York] d[2 FEB 1970|Leeds]", "b[1 JAN 1900|York] d[2 FEB 1970|Leeds]",
        "b[1 JAN 1900|York] d[2 FEB 1970|Leeds]", "b[1 JAN 1900|York] d[2 FEB 1970|Leeds]"}},
      {"christening and burial with Use Baptism",
       [](IndividualRecord& p, settings::Settings& s) {
         s.use_baptism = 1;
         p.christening_seen = true;
         p.christening_date = "6 JUN 1926";
         p.christening_place = "Hull";
         p.burial_seen = true;
         p.burial_date = "1 MAY 1990";
         p.burial_place = "Ely";
       },
       {"b[6 JUN 1926|Hull] d[1 MAY 1990|Ely]", "b[6 JUN 1926|Hull] d[1 MAY 1990|Ely]",
        "b[6 JUN 1926|Hull] d[1 MAY 1990|Ely]", "b[6 JUN 1926|Hull] d[1 MAY 1990|Ely]",
        "b[6 JUN 1926|Hull] d[1 MAY 1990|Ely]", "b[|] d[1 MAY 1990|Ely]"}},
      {"christening without Use Baptism",
       [](IndividualRecord& p, settings::Settings& s) {
         s.use_baptism = 0;
         p.christening_seen = true;
         p.christening_date = "6 JUN 1926";
         p.christening_place = "Hull";
       },
       // The notes heading takes the christening whatever the option says.
       {"b[|] d-", "b[|] d-", "b[|] d-", "b[6 JUN 1926|Hull] d[|]", "b- d-", "b[|] d[|]"}},
      {"a birth date beside a christening",
       [](IndividualRecord& p, settings::Settings& s) {
         s.use_baptism = 1;
         p.birth_seen = p.christening_seen = true;
         p.birth_date = "1 JAN 1900";
         p.christening_date = "6 JAN 1900";
         p.christening_place = "Hull";
       },
       // A birth was read, so its (empty) place is not replaced, except on notes headings.
       {"b[1 JAN 1900|] d-", "b[1 JAN 1900|] d-", "b[1 JAN 1900|] d-",
        "b[1 JAN 1900|Hull] d[|]", "b[1 JAN 1900|] d-", "b[1 JAN 1900|] d[|]"}},
      {"living, Suppress Living on",
       [](IndividualRecord& p, settings::Settings& s) {
         s.suppress_living = 1;
         p.deceased = false;
         p.birth_seen = true;
         p.birth_date = "3 MAR 1990";
         p.birth_place = "Hull";
       },
       {"b[*|Hull] d-", "b[*|Hull] d-", "b[*|Hull] d-", "b[*|Hull] d-", "b[*|Hull] d-",
        "b[*|Hull] d[|]"}},
      {"living, Suppress Living off",
       [](IndividualRecord& p, settings::Settings& s) {
         s.suppress_living = 0;
         p.deceased = false;
         p.birth_seen = true;
         p.birth_date = "3 MAR 1990";
       },
       {"b[3 MAR 1990|] d-", "b[3 MAR 1990|] d-", "b[3 MAR 1990|] d-", "b[3 MAR 1990|] d-",
        "b[3 MAR 1990|] d-", "b[3 MAR 1990|] d[|]"}},
      {"living, christened only",
       [](IndividualRecord& p, settings::Settings& s) {
         s.suppress_living = 1;
         s.use_baptism = 1;
         p.deceased = false;
         p.christening_seen = true;
         p.christening_date = "6 JUN 1990";
         p.christening_place = "Hull";
       },
       // gendex.txt shows no christening, so it has nothing to withhold.
       {"b[*|Hull] d-", "b[*|Hull] d-", "b[*|Hull] d-", "b[*|Hull] d-", "b[*|Hull] d-",
        "b[|] d[|]"}},
      {"deceased without any data",
       [](IndividualRecord&, settings::Settings&) {},
       {"b- d-", "b- d-", "b- d-", "b[|] d[|]", "b- d-", "b[|] d[|]"}},
      {"places without dates",
       [](IndividualRecord& p, settings::Settings&) {
         p.birth_place = "York";  // a BIRT with a PLAC but no DATE: no birth was seen
         p.death_place = "Leeds";
       },
       {"b- d[|Leeds]", "b- d[|Leeds]", "b- d-", "b[|York] d[|Leeds]", "b- d-",
        "b[|York] d[|Leeds]"}},
      {"an empty birth date line",
       [](IndividualRecord& p, settings::Settings& s) {
         s.use_baptism = 1;
         p.birth_seen = true;  // DATE with no value
         p.christening_date = "6 JUN 1926";
       },
       {"b[|] d-", "b[|] d-", "b[|] d-", "b[6 JUN 1926|] d[|]", "b- d-", "b[|] d[|]"}},
  };
  for (const Case& c : cases) {
    IndividualRecord person = Deceased();
    settings::Settings options;
    c.make(person, options);
    for (std::size_t k = 0; k < kPages.size(); ++k) {
      SCOPED_TRACE(std::string(c.name) + ", page kind " + std::to_string(k));
      EXPECT_EQ(Describe(DatesShown(person, kPages[k], options)), c.expected[k]);
    }
  }
}

TEST(ShownDatesTest, DatesViewTheRecordAndRulesCanBeCombined) {
  IndividualRecord p = Deceased();
  p.christening_date = "6 JUN 1926";
  p.christening_place = "Hull";
  settings::Settings options;
  DateRules rules;
  rules.christening = DateRules::Christening::kWhenNoBirthDate;
  rules.birth = DateRules::BirthPart::kWhenDateShown;
  rules.death = DateRules::DeathPart::kAlways;
  ShownDates shown = DatesShown(p, rules, options);
  EXPECT_EQ(Describe(shown), "b[6 JUN 1926|Hull] d[|]");
  EXPECT_EQ(shown.birth.date.data(), p.christening_date.data());
}

TEST(PrivacyRulesTest, MarriageOrdinancesAndChristeningItems) {
  settings::Settings options;
  IndividualRecord dead = Deceased();
  IndividualRecord living = Deceased();
  living.deceased = false;

  options.suppress_living = 1;
  EXPECT_TRUE(MarriageDateWithheld(&dead, &living, options));
  EXPECT_TRUE(MarriageDateWithheld(&living, nullptr, options));
  EXPECT_TRUE(MarriageDateWithheld(nullptr, &living, options));
  EXPECT_FALSE(MarriageDateWithheld(&dead, &dead, options));
  EXPECT_FALSE(MarriageDateWithheld(nullptr, nullptr, options));
  options.suppress_living = 0;
  EXPECT_FALSE(MarriageDateWithheld(&living, &living, options));

  constexpr int kEndl = 52, kSlgs = 112, kBapm = 16;
  struct Switches {
    int living, deceased;
    bool living_withheld, deceased_withheld;
  };
  for (Switches s : {Switches{1, 1, true, true}, Switches{1, 0, true, false},
                     Switches{0, 1, false, true}, Switches{0, 0, false, false}}) {
    SCOPED_TRACE(std::to_string(s.living) + std::to_string(s.deceased));
    options.suppress_lds_living = s.living;
    options.suppress_lds_deceased = s.deceased;
    EXPECT_EQ(OrdinanceWithheld(kEndl, true, options), s.living_withheld);
    EXPECT_EQ(OrdinanceWithheld(kSlgs, false, options), s.deceased_withheld);
    EXPECT_FALSE(OrdinanceWithheld(kBapm, true, options));  // not an ordinance
  }

  living.christening_date = "6 JUN 1990";
  dead.christening_date = "6 JUN 1920";
  options.suppress_living = 1;
  EXPECT_TRUE(ChristeningItemDateWithheld(living, options));
  EXPECT_FALSE(ChristeningItemDateWithheld(dead, options));
  living.christening_date.clear();  // only the place: nothing to withhold
  EXPECT_FALSE(ChristeningItemDateWithheld(living, options));
  living.christening_date = "6 JUN 1990";
  options.suppress_living = 0;
  EXPECT_FALSE(ChristeningItemDateWithheld(living, options));
}

}  // namespace
}  // namespace kinloom::site
