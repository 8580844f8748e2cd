// The fixed texts that name the product, its version and its maker. They appear in
// messages, window titles, page meta tags and page feet. Texts are Windows-1252 bytes.
#pragma once

namespace kinloom::lang {

// The product name as messages pass it: the copyright sign is one Windows-1252 byte and one
// blank follows it.
inline constexpr char kProductString[] = "KINLOOM\xA9 ";
// The version, always printed with "%1.2f".
inline constexpr double kProgramVersion = 2.52;
inline constexpr char kAuthorName[] = "Alden Brennick";
inline constexpr char kContactAddress[] = "support@kinloom-genealogy.org";
inline constexpr char kHomePage[] = "https://kinloom-genealogy.org/";
// The credit pages and the About box give the author.
inline constexpr char kAuthorCredit[] = "Alden Brennick";
// The credit after "by" in the window titles ("%s %1.2f by %s").
inline constexpr char kTitleCredit[] = "Brennick Software";
// The caption of the run's own message boxes.
inline constexpr char kApplicationTitle[] = "KINLOOM";

}  // namespace kinloom::lang
