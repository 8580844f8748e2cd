// gendex.txt: one "|"-separated line per listed individual in the GENDEX index format, so
// that genealogy index sites can link to the individual's family group entry. Written for
// each language generated; the file of the last one remains.
#pragma once

#include <string>

#include "site/page_writer.h"
#include "store/records.h"

namespace kinloom::site {

// The line of one individual: family group target, surname (upper case), full name, birth
// date, birth place, death (or burial) date and place, each followed by "|", then "\n".
// Bytes of 128 and above are left out of the two name fields.
std::string GendexLine(PageWriter& writer, const store::IndividualRecord& person);

// Writes "<output folder>/gendex.txt" with a line for every defined individual in table
// order. A file that cannot be created or closed is reported and ends the program.
void WriteGendexFile(PageWriter& writer);

}  // namespace kinloom::site
