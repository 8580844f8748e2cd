// The classic pages: HTML 3.2-era markup with font tags, centred tables and GIF chart
// pieces, exactly as the program has always written them.
#pragma once

#include "site/page_style.h"

namespace kinloom::site {

class ClassicStyle : public PageStyle {
 public:
  // ---- page frame: head, notices, rules, foot ----

  void WritePageHead(PageWriter& out, const PageHead& head) override;
  void WriteRule(PageWriter& out) override;
  void WriteAncestorNotice(PageWriter& out, const AncestorNotice& notice) override;
  void WriteMainPageLink(PageWriter& out, const MainPageLink& link) override;
  void WritePageFoot(PageWriter& out, const PageFoot& foot) override;


  // ---- family group pages ----


  // ---- notes pages ----


  // ---- author page ----


  // ---- descendancy pages ----


  // ---- pedigree pages ----


  // ---- surname lists, surname index pages, main index page ----

  void WritePersonLink(PageWriter& out, const PersonLink& link) override;
  void WritePersonEntry(PageWriter& out, const PersonEntry& entry) override;
  void WriteLetterBar(PageWriter& out, const LetterBar& bar) override;
  void WriteSurnameListStart(PageWriter& out, const SurnameList& list) override;
  void WriteSurnameGroup(PageWriter& out, const SurnameGroup& group) override;
  void WriteSurnameListEnd(PageWriter& out, const SurnameList& list) override;
  void WriteSurnameIndexTop(PageWriter& out, const SurnameIndexTop& top) override;
  void WriteMainIndexBody(PageWriter& out, const MainIndexPage& page) override;


};

}  // namespace kinloom::site
