// gen-gedcom: writes a deterministic synthetic GEDCOM file for tests and benchmarks.
//
//   gen-gedcom N OUTFILE [--seed S]
//
// Exactly N individuals in families over many generations: founders born some centuries
// ago, then each generation's children marrying spouses from outside and having children of
// their own, down to people born in the last decades (most of them still living). Some
// remarry. Individuals carry birth, christening, death and burial dates and places, titles
// (a few with "&" and "<"), aliases and second names, occupations, notes with CONT and CONC
// lines, pointers to note records and source citations; families carry marriages and notes.
// After the individuals and families come the NOTE, SOUR and REPO records. Names and places
// come from varied lists that include accented Windows-1252 letters; the file declares
// CHAR ANSI and is written in Windows-1252 with LF line ends.
//
// The same N and seed always give the same bytes: the generator uses its own random number
// sequence, not the library's distributions.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_encoding.h"

namespace {

constexpr long long kMaxIndividuals = 50'000'000;
constexpr int kLastYear = 2025;  // nobody is born, married or dies after this year
constexpr int kYoungestBirth = 2019;

const char kUsage[] =
    "usage: gen-gedcom N OUTFILE [--seed S]\n"
    "Writes a synthetic GEDCOM file of exactly N individuals (0 to 50000000) in families\n"
    "over many generations. The same N and seed S (default 1) give the same file.\n";

// splitmix64: small, fast, and the same on every platform.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 … n-1 (n > 0).
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  // True with probability percent/100.
  bool Percent(int percent) { return Below(100) < percent; }

 private:
  std::uint64_t state_;
};

// The lists are written in UTF-8 here and turned into Windows-1252 once at start.
const char* const kSurnamesUtf8[] = {
    "Hollowell", "Ashby",     "Whitcombe",  "Fairbairn", "Llewellyn", "O'Connor",  "MacLeod",
    "Smith",     "Baker",     "Thatcher",   "Müller",    "Schäfer",   "Groß",      "Köhler",
    "Sørensen",  "Ødegård",   "Åberg",      "Lindqvist", "Jürgensen", "Lefèvre",   "Béranger",
    "Dubois",    "Château",   "Deschênes",  "Peña",      "Núñez",     "Muñoz",     "Cortés",
    "García",    "Ibáñez",    "Gonçalves",  "Magalhães", "Simões",    "Conceição", "Rossi",
    "Niccolò",   "Sciarrà",   "de Vries",   "van Dijk",  "Bakker",    "Kovač",     "Šimek",
    "Žáček",     "Œuvray",    "Ÿvert",      "Þórsson",   "Ðuric",     "Ýmisson",   "Zoë-Marsh",
    "Dalby",     "Eriksen",   "Fitzgerald", "Gray",      "Harrington", "Ingram",   "Jervis",
    "Kirkwood",  "Lowther",   "Marston",    "Norwood",   "Pemberton", "Quayle",    "Radcliffe",
    "Stainton",  "Tolliver",  "Underhill",  "Vance",     "Wakefield", "Yardley",   "Zouche",
};
const char* const kMaleNamesUtf8[] = {
    "Thomas", "Edward", "William", "John",  "Henry",  "George",   "Arthur", "Albert",
    "James",  "Robert", "José",    "André", "Søren",  "François", "Jürgen", "Ángel",
    "Jörg",   "Niklas", "Piotr",   "Luís",  "Björn",  "Mattéo",   "Olaf",   "Pål",
};
const char* const kFemaleNamesUtf8[] = {
    "Margaret", "Mary",   "Elizabeth", "Anne",   "Catherine", "Alice",  "Edith",   "Florence",
    "Sarah",    "Emma",   "Zoë",       "Chloé",  "Renée",     "Ingrid", "Åsa",     "Maëlle",
    "Inês",     "Agnès",  "Sofía",     "Brigid", "Mónica",    "Dörte",  "Françoise", "Leonor",
};
const char* const kPlacesUtf8[] = {
    "Ashby Parva, Leicestershire, England", "Leicester, England",
    "York, Yorkshire, England",             "Cardiff, Glamorgan, Wales",
    "Inverness, Scotland",                  "Cork, Ireland",
    "Zürich, Switzerland",                  "Köln, Nordrhein-Westfalen, Germany",
    "München, Bayern, Germany",             "Besançon, Doubs, France",
    "Orléans, Loiret, France",              "Málaga, Andalucía, Spain",
    "Logroño, La Rioja, Spain",             "Århus, Denmark",
    "Tromsø, Norway",                       "Göteborg, Sweden",
    "São Paulo, Brazil",                    "Piauí, Brazil",
    "Forlì, Emilia-Romagna, Italy",         "Gent, Oost-Vlaanderen, Belgium",
    "'s-Hertogenbosch, Noord-Brabant, Netherlands", "Reykjavík, Iceland",
    "Boston, Massachusetts, USA",           "Québec, Canada",
};
const char* const kOccupations[] = {"Stonemason", "Farmer",   "Weaver",  "Clerk",
                                    "Schoolteacher", "Miller", "Carpenter", "Nurse",
                                    "Blacksmith", "Engineer", "Merchant", "Sailor"};
const char* const kTitlesUtf8[] = {"Sir", "Lady", "Duke of Hill & Dale", "Rev.", "Dr.",
                                   "Baron <Elder>", "Comtesse de Lévis", "Capt."};
const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                               "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char* const kWords[] = {"the",     "family", "lived",  "near",   "church", "and",
                              "moved",   "after",  "the",    "war",    "records", "show",
                              "a",       "farm",   "by",     "river",  "letters", "survive",
                              "from",    "this",   "time",   "parish", "book",   "entry"};

std::vector<std::string> ToCp1252(const char* const* items, std::size_t count) {
  std::vector<std::string> out;
  out.reserve(count);
  for (std::size_t i = 0; i < count; ++i) out.push_back(kinloom::platform::Utf8ToCp1252(items[i]));
  return out;
}
template <std::size_t N>
std::vector<std::string> ToCp1252(const char* const (&items)[N]) {
  return ToCp1252(items, N);
}

struct Person {
  std::int32_t famc = -1;
  std::int32_t fams[2] = {-1, -1};
  std::int16_t birth = 0;
  std::uint16_t surname = 0;
  std::uint16_t given = 0;
  std::uint8_t sex = 0;  // 'M' or 'F'
};

struct Family {
  std::int32_t husband = -1, wife = -1;
  std::int32_t first_child = 0, child_count = 0;
  std::int16_t married = 0;
};

class Generator {
 public:
  Generator(long long individuals, std::uint64_t seed)
      : target_(individuals),
        random_(seed),
        surnames_(ToCp1252(kSurnamesUtf8)),
        male_names_(ToCp1252(kMaleNamesUtf8)),
        female_names_(ToCp1252(kFemaleNamesUtf8)),
        places_(ToCp1252(kPlacesUtf8)),
        titles_(ToCp1252(kTitlesUtf8)) {
    note_records_ = std::max<long long>(1, target_ / 50);
    source_records_ = std::max<long long>(1, target_ / 200);
    repositories_ = std::max<long long>(1, target_ / 5000);
  }

  void Build() {
    people_.reserve(static_cast<std::size_t>(target_));
    // About 1.7 children per person marry on: enough generations to reach the target.
    const long long founders = std::clamp<long long>(target_ / 5000, 2, 200);
    const double per_couple = std::max(1.0, static_cast<double>(target_) / (3.0 * founders));
    const int generations = std::clamp(static_cast<int>(std::ceil(std::log(per_couple) / std::log(1.7))), 1, 16);
    const int first_birth = kLastYear - 15 - 28 * generations;
    for (long long f = 0; f < founders && Room(); ++f) FounderCouple(first_birth);
    std::size_t cursor = 0;
    while (Room()) {
      if (cursor >= people_.size()) {  // every line has ended: start a new one
        FounderCouple(first_birth + random_.Between(0, 28 * (generations - 1)));
        continue;
      }
      const std::int32_t p = static_cast<std::int32_t>(cursor++);
      if (people_[static_cast<std::size_t>(p)].fams[0] != -1) continue;  // founders, spouses
      const int birth = people_[static_cast<std::size_t>(p)].birth;
      if (birth + 20 > kLastYear || !random_.Percent(78)) continue;  // stays single
      Marry(p, birth + random_.Between(19, 32), 0);
      if (Room() && random_.Percent(9)) {
        const int again = people_[static_cast<std::size_t>(p)].birth + random_.Between(35, 50);
        if (again <= kLastYear) Marry(p, again, 1);
      }
    }
    // The generation estimate is rough: move every year so that the youngest are born a
    // few years ago, whatever the depth turned out to be.
    int youngest = first_birth;
    for (const Person& p : people_) youngest = std::max<int>(youngest, p.birth);
    const int shift = kYoungestBirth - youngest;
    for (Person& p : people_) p.birth = static_cast<std::int16_t>(p.birth + shift);
    for (Family& f : families_)
      f.married = static_cast<std::int16_t>(std::min(f.married + shift, kLastYear));
  }

  bool Write(std::FILE* out) {
    out_ = out;
    Put("0 HEAD\n1 SOUR GEN-GEDCOM\n2 VERS 1.0\n1 DATE 1 JAN 2026\n1 SUBM @U1@\n"
        "1 GEDC\n2 VERS 5.5\n2 FORM LINEAGE-LINKED\n1 CHAR ANSI\n0 @U1@ SUBM\n"
        "1 NAME Generated Owner\n");
    for (std::size_t i = 0; i < people_.size(); ++i) WritePerson(static_cast<std::int32_t>(i));
    for (std::size_t f = 0; f < families_.size(); ++f) WriteFamily(static_cast<std::int32_t>(f));
    for (long long n = 1; n <= note_records_; ++n) WriteNoteRecord(n);
    for (long long s = 1; s <= source_records_; ++s) WriteSourceRecord(s);
    for (long long r = 1; r <= repositories_; ++r) WriteRepository(r);
    Put("0 TRLR\n");
    Flush();
    return !failed_;
  }

  std::size_t individuals() const { return people_.size(); }
  std::size_t families() const { return families_.size(); }
  long long level0_notes() const { return note_records_ + source_records_ + repositories_; }

 private:
  bool Room() const { return static_cast<long long>(people_.size()) < target_; }

  std::int32_t NewPerson(std::uint8_t sex, int birth, int surname) {
    Person p;
    p.sex = sex;
    p.birth = static_cast<std::int16_t>(std::min(birth, kLastYear));
    p.surname = static_cast<std::uint16_t>(surname);
    p.given = static_cast<std::uint16_t>(
        random_.Below(static_cast<int>(sex == 'M' ? male_names_.size() : female_names_.size())));
    people_.push_back(p);
    return static_cast<std::int32_t>(people_.size() - 1);
  }

  int RandomSurname() { return random_.Below(static_cast<int>(surnames_.size())); }

  void FounderCouple(int birth) {
    const std::int32_t husband = NewPerson('M', birth + random_.Between(-5, 5), RandomSurname());
    if (!Room()) return;
    const std::int32_t wife = NewPerson('F', birth + random_.Between(-5, 5), RandomSurname());
    MakeFamily(husband, wife, std::max(people_[husband].birth, people_[wife].birth) +
                                  random_.Between(19, 30),
               0);
  }

  // `p` marries a spouse from outside (its slot-th marriage) in `year`.
  void Marry(std::int32_t p, int year, int slot) {
    if (!Room()) return;
    const Person& person = people_[static_cast<std::size_t>(p)];
    const std::uint8_t sex = person.sex == 'M' ? 'F' : 'M';
    const int birth = std::min(year - 18, person.birth + random_.Between(-6, 6));
    const std::int32_t spouse = NewPerson(sex, birth, RandomSurname());
    if (sex == 'F')
      MakeFamily(p, spouse, year, slot);
    else
      MakeFamily(spouse, p, year, slot);
  }

  void MakeFamily(std::int32_t husband, std::int32_t wife, int married, int slot) {
    Family family;
    family.husband = husband;
    family.wife = wife;
    family.married = static_cast<std::int16_t>(std::min(married, kLastYear));
    const std::int32_t f = static_cast<std::int32_t>(families_.size());
    Person& h = people_[static_cast<std::size_t>(husband)];
    Person& w = people_[static_cast<std::size_t>(wife)];
    h.fams[h.fams[0] == -1 ? 0 : 1] = f;
    w.fams[w.fams[0] == -1 ? 0 : 1] = f;
    family.first_child = static_cast<std::int32_t>(people_.size());
    int children = random_.Below(5);
    if (random_.Percent(22)) children += random_.Between(1, 4);
    if (slot > 0) children = children / 2;
    int year = married + random_.Between(1, 2);
    const int surname = people_[static_cast<std::size_t>(husband)].surname;
    for (int c = 0; c < children && Room() && year <= kLastYear; ++c) {
      const std::int32_t child = NewPerson(random_.Percent(50) ? 'M' : 'F', year, surname);
      people_[static_cast<std::size_t>(child)].famc = f;
      ++family.child_count;
      year += random_.Between(1, 4);
    }
    families_.push_back(family);
  }

  // "12 MAR 1890", sometimes "ABT 1890" or "1890".
  std::string Date(int year) {
    const int kind = random_.Below(20);
    if (kind == 0) return "ABT " + std::to_string(year);
    if (kind == 1) return std::to_string(year);
    return std::to_string(random_.Between(1, 28)) + " " + kMonths[random_.Below(12)] + " " +
           std::to_string(year);
  }
  const std::string& Place() { return places_[static_cast<std::size_t>(random_.Below(static_cast<int>(places_.size())))]; }
  std::string Words(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
      if (i > 0) out += ' ';
      out += kWords[random_.Below(static_cast<int>(std::size(kWords)))];
    }
    return out;
  }
  std::string Name(std::int32_t i) const {
    const Person& p = people_[static_cast<std::size_t>(i)];
    const std::string& given =
        p.sex == 'M' ? male_names_[p.given] : female_names_[p.given];
    return given + " /" + surnames_[p.surname] + "/";
  }

  void Event(const char* tag, int year) {
    Put("1 ");
    Put(tag);
    Put("\n2 DATE ");
    Put(Date(year));
    Put("\n2 PLAC ");
    Put(Place());
    Put("\n");
  }

  // A note of several lines: the first on the NOTE line, then CONT and CONC lines.
  void LongNote(int level) {
    const std::string sub = std::to_string(level + 1);
    Put(Words(random_.Between(3, 9)));
    Put("\n");
    const int lines = random_.Between(1, 4);
    for (int l = 0; l < lines; ++l) {
      Put(sub);
      Put(random_.Percent(70) ? " CONT " : " CONC ");
      Put(Words(random_.Between(2, 10)));
      Put("\n");
    }
    if (random_.Percent(20)) {  // an empty CONT: a blank line in the note
      Put(sub);
      Put(" CONT\n");
    }
  }

  void WritePerson(std::int32_t i) {
    const Person& p = people_[static_cast<std::size_t>(i)];
    Put("0 @I" + std::to_string(i + 1) + "@ INDI\n1 NAME " + Name(i) + "\n");
    Put(p.sex == 'M' ? "1 SEX M\n" : "1 SEX F\n");
    if (random_.Percent(2)) Put("1 TITL " + titles_[static_cast<std::size_t>(random_.Below(static_cast<int>(titles_.size())))] + "\n");
    if (random_.Percent(2)) Put("1 NAME " + Name(i).insert(0, "Jack ") + "\n");
    if (random_.Percent(2)) Put("1 ALIA " + surnames_[static_cast<std::size_t>(RandomSurname())] + "\n");
    if (random_.Percent(90)) Event("BIRT", p.birth);
    if (random_.Percent(12)) Event(random_.Percent(50) ? "CHR" : "BAPM", std::min(p.birth + random_.Between(0, 1), kLastYear));
    // Older people have died; most born in the last ninety years are living.
    const int age = random_.Between(random_.Percent(10) ? 0 : 40, 98);
    const bool dies = p.birth + age <= kLastYear && (p.birth < 1935 || random_.Percent(15));
    if (dies && random_.Percent(4)) {
      Put("1 DEAT Y\n");  // known to be dead, with no date
    } else if (dies) {
      Event("DEAT", p.birth + age);
      if (random_.Percent(35)) Event("BURI", std::min(p.birth + age, kLastYear));
    }
    if (random_.Percent(20)) {
      Put("1 OCCU ");
      Put(kOccupations[random_.Below(static_cast<int>(std::size(kOccupations)))]);
      Put("\n");
    }
    if (random_.Percent(8)) {
      Put("1 NOTE ");
      LongNote(1);
    }
    if (random_.Percent(4)) Put("1 NOTE @N" + std::to_string(1 + random_.Below(static_cast<int>(note_records_))) + "@\n");
    if (random_.Percent(10)) {
      Put("1 SOUR @S" + std::to_string(1 + random_.Below(static_cast<int>(source_records_))) + "@\n");
      Put("2 PAGE Entry " + std::to_string(random_.Between(1, 400)) + "\n");
    }
    if (p.famc != -1) Put("1 FAMC @F" + std::to_string(p.famc + 1) + "@\n");
    for (std::int32_t f : p.fams)
      if (f != -1) Put("1 FAMS @F" + std::to_string(f + 1) + "@\n");
  }

  void WriteFamily(std::int32_t f) {
    const Family& family = families_[static_cast<std::size_t>(f)];
    Put("0 @F" + std::to_string(f + 1) + "@ FAM\n");
    Put("1 HUSB @I" + std::to_string(family.husband + 1) + "@\n");
    Put("1 WIFE @I" + std::to_string(family.wife + 1) + "@\n");
    if (random_.Percent(85)) Event("MARR", family.married);
    for (std::int32_t c = 0; c < family.child_count; ++c)
      Put("1 CHIL @I" + std::to_string(family.first_child + c + 1) + "@\n");
    if (random_.Percent(3)) {
      Put("1 NOTE ");
      LongNote(1);
    }
  }

  void WriteNoteRecord(long long n) {
    Put("0 @N" + std::to_string(n) + "@ NOTE ");
    LongNote(0);
  }

  void WriteSourceRecord(long long s) {
    Put("0 @S" + std::to_string(s) + "@ SOUR\n");
    Put("1 TITL Parish register of " + Place() + "\n");
    if (random_.Percent(60)) Put("1 AUTH " + surnames_[static_cast<std::size_t>(RandomSurname())] + " & Sons\n");
    if (random_.Percent(40)) {
      Put("1 PUBL ");
      LongNote(1);
    }
    Put("1 REPO @R" + std::to_string(1 + random_.Below(static_cast<int>(repositories_))) + "@\n");
    if (random_.Percent(20)) Put("1 NOTE @N" + std::to_string(1 + random_.Below(static_cast<int>(note_records_))) + "@\n");
  }

  void WriteRepository(long long r) {
    Put("0 @R" + std::to_string(r) + "@ REPO\n");
    Put("1 NAME Record Office of " + Place() + "\n");
    Put("1 ADDR " + std::to_string(random_.Between(1, 200)) + " High Street\n");
    Put("2 CONT " + Place() + "\n");
  }

  void Put(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= (1u << 20)) Flush();
  }
  void Flush() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size())
      failed_ = true;
    buffer_.clear();
  }

  long long target_;
  Random random_;
  std::vector<std::string> surnames_, male_names_, female_names_, places_, titles_;
  std::vector<Person> people_;
  std::vector<Family> families_;
  long long note_records_ = 1, source_records_ = 1, repositories_ = 1;
  std::FILE* out_ = nullptr;
  std::string buffer_;
  bool failed_ = false;
};

bool ParseCount(const char* text, long long max, long long* out) {
  if (*text == '\0') return false;
  long long value = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + (*c - '0');
    if (value > max) return false;
  }
  *out = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  long long individuals = 0;
  long long seed = 1;
  std::vector<const char*> positional;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seed") == 0) {
      if (i + 1 >= argc || !ParseCount(argv[++i], 1'000'000'000'000'000LL, &seed)) {
        std::fputs(kUsage, stderr);
        return 2;
      }
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (positional.size() != 2 || !ParseCount(positional[0], kMaxIndividuals, &individuals)) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  Generator generator(individuals, static_cast<std::uint64_t>(seed));
  generator.Build();
  std::FILE* out = std::fopen(positional[1], "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "gen-gedcom: cannot create %s: %s\n", positional[1], std::strerror(errno));
    return 1;
  }
  const bool written = generator.Write(out);
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "gen-gedcom: cannot write %s: %s\n", positional[1], std::strerror(errno));
    return 1;
  }
  std::fprintf(stderr, "gen-gedcom: %zu individuals, %zu families, %lld note records in %s\n",
               generator.individuals(), generator.families(), generator.level0_notes(),
               positional[1]);
  return 0;
}
