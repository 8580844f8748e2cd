// A small family for the family group page tests: Hal Ward, married twice, with his parents,
// a child placed in his group, a married child who heads another group, and a living
// second wife.
#pragma once

#include "site/site_fixture.h"

namespace kinloom::testing {

inline void AddWardFamily(TestRun& run) {
  run.AddPerson("HAL", "Hal /Ward/", 2);
  run.AddPerson("WILMA", "Wilma /Stone/", 1);
  run.AddPerson("WENDY", "Wendy /Marsh/", 1);
  run.AddPerson("KID", "Kid /Ward/", 2);
  run.AddPerson("KATE", "Kate /Ward/", 1);
  run.AddPerson("SAM", "Sam /Cole/", 2);
  run.AddPerson("OLD", "Old /Ward/", 2);
  run.AddPerson("MA", "Ma /Ward/", 1);
  run.AddFamily("F0", "OLD", "MA", {"HAL"});
  run.AddFamily("F1", "HAL", "WILMA", {"KID", "KATE"});
  run.AddFamily("F2", "HAL", "WENDY");
  run.AddFamily("F3", "SAM", "KATE");

  store::IndividualRecord& hal = run.Person("HAL");
  hal.birth_seen = true;
  hal.birth_date = "1 JAN 1900";
  hal.birth_place = "York";
  hal.death_date = "2 FEB 1970";
  hal.death_place = "Leeds";
  hal.also_known_as = "Harry <H>";  // the empty piece after the surname adds ", "
  run.Person("WILMA").birth_seen = true;
  run.Person("WILMA").birth_date = "1905";
  store::IndividualRecord& wendy = run.Person("WENDY");
  wendy.deceased = false;
  wendy.birth_seen = true;
  wendy.birth_date = "3 MAR 1960";
  wendy.birth_place = "Hull";
  store::IndividualRecord& kid = run.Person("KID");
  kid.christening_seen = true;
  kid.christening_date = "6 JUN 1926";
  kid.christening_place = "York";
  store::FamilyRecord& f1 = run.Family("F1");
  f1.marriage_seen = true;
  f1.marriage_date = "4 APR 1925";
  f1.marriage_place = "York";
  store::FamilyRecord& f2 = run.Family("F2");
  f2.marriage_seen = true;
  f2.marriage_date = "5 MAY 1980";
  f2.marriage_place = "Hull";

  run.settings.colours[settings::kColourHusbandAndWife] = 0x112233;
  run.settings.colours[settings::kColourParents] = 0x445566;
  run.settings.colours[settings::kColourChildren] = 0x778899;
  run.settings.colours[settings::kColourText] = 0x0A0B0C;
}

}  // namespace kinloom::testing
