#include "lang/date_stamps.h"

namespace kinloom::lang {

// The French stamp uses the German words, with two blanks after "um".
const char* const kDateStampFormats[kDateStampLanguages] = {
    "%m.%d.%Y at %H:%M:%S GMT ",     // English
    "%d.%m.%Y um  %H:%M:%S MEZ ",    // French
    "%d.%m.%Y um %H:%M:%S MEZ ",     // German
    "%d.%m.%Y om %H:%M:%S GMT ",     // Dutch
    "%d.%m.%Y a las GMT %H:%M:%S ",  // Spanish
    "%d.%m.%Y - %H:%M:%S GMT ",      // Danish
    "%d.%m.%Y kl %H:%M:%S GMT ",     // Norwegian
    "%d.%m.%Y alle %H:%M:%S GMT ",   // Italian
    "%d/%m/%Y \xE0s %H:%M:%S GMT ",  // Portuguese (Brazil)
};

DateStamps MakeDateStampsAt(std::time_t moment) {
  DateStamps stamps;
  std::tm utc{};
  if (const std::tm* t = std::gmtime(&moment)) {
    utc = *t;
  } else {
    return stamps;  // a moment the calendar cannot hold: every stamp stays empty
  }
  for (int i = 0; i < kDateStampLanguages; ++i) {
    char buffer[128];
    std::size_t n = std::strftime(buffer, sizeof buffer, kDateStampFormats[i], &utc);
    stamps[i].assign(buffer, n);  // 0 when the result does not fit
  }
  return stamps;
}

DateStamps MakeDateStamps(const std::function<std::time_t()>& clock) {
  return MakeDateStampsAt(clock ? clock() : std::time(nullptr));
}

}  // namespace kinloom::lang
