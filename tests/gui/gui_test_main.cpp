// The window tests run inside a real toolkit application on a (possibly virtual) display.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>

namespace {

class TestApp : public wxApp {
 public:
  bool OnInit() override {
    wxInitAllImageHandlers();
    return true;
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  wxApp::SetInstance(new TestApp);
  int wx_argc = 1;
  char* wx_argv[] = {argv[0], nullptr};
  if (!wxEntryStart(wx_argc, wx_argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "cannot start the toolkit (no display?)\n");
    return 1;
  }
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
