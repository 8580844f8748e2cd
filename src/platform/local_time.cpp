#include "platform/local_time.h"

#include <time.h>

namespace kinloom::platform {

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  if (localtime_r(&moment, &local) == nullptr) return std::tm{};
  return local;
}

}  // namespace kinloom::platform
