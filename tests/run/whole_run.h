// What tests that drive a whole conversion run share: a file's bytes, auxiliary steps
// without the closing pause, and the site step in a style of the test's choosing.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "run/conversion_run.h"
#include "site/site_generation.h"

namespace kinloom::testing {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class NoPause : public run::AuxiliarySteps {
 public:
  void WaitOneSecond() override {}
};

// The conversion run's site step, writing every language in `style` (the classic pages when
// null).
class StyledSite : public run::SiteSteps {
 public:
  explicit StyledSite(site::PageStyle* style) : style_(style) {}
  int GenerateSite(run::RunContext& context, int language) override {
    return site::GenerateSite(context, language, style_);
  }

 private:
  site::PageStyle* style_;
};

}  // namespace kinloom::testing
