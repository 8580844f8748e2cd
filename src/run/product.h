// The program's fixed identity: product name, version, author and the maker's addresses.
// Pages, meta tags and messages show them.
#pragma once

namespace kinloom::run {

inline constexpr char kProductString[] = "KINLOOM\xA9 ";
inline constexpr double kProgramVersion = 2.52;
inline constexpr char kAuthorName[] = "Alden Brennick";
inline constexpr char kContactAddress[] = "support@kinloom-genealogy.org";
inline constexpr char kHomePage[] = "https://kinloom-genealogy.org/";
inline constexpr char kAuthorCredit[] = "Alden Brennick";

}  // namespace kinloom::run
