// The classic pages: HTML 3.2-era markup with font tags, centred tables and GIF chart
// pieces, exactly as the program has always written them.
#pragma once

#include "site/page_style.h"

namespace kinloom::site {

class ClassicStyle : public PageStyle {
 public:
  // ---- page frame: head, notices, rules, foot ----


  // ---- family group pages ----


  // ---- notes pages ----


  // ---- author page ----


  // ---- descendancy pages ----


  // ---- pedigree pages ----


  // ---- surname lists, surname index pages, main index page ----


};

}  // namespace kinloom::site
