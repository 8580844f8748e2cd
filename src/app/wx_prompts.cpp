#include "app/wx_prompts.h"

#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/wx_text.h"

namespace kinloom::app {

platform::Choice WxPrompts::ShowMessage(const std::string& text, const std::string& caption,
                                        platform::MessageIcon icon,
                                        platform::MessageButtons buttons) {
  long style = 0;
  switch (buttons) {
    case platform::MessageButtons::kOk: style |= wxOK; break;
    case platform::MessageButtons::kOkCancel: style |= wxOK | wxCANCEL; break;
    case platform::MessageButtons::kYesNo: style |= wxYES_NO; break;
    case platform::MessageButtons::kYesNoCancel: style |= wxYES_NO | wxCANCEL; break;
  }
  switch (icon) {
    case platform::MessageIcon::kNone: style |= wxICON_NONE; break;
    case platform::MessageIcon::kInformation: style |= wxICON_INFORMATION; break;
    case platform::MessageIcon::kWarning: style |= wxICON_WARNING; break;
    case platform::MessageIcon::kError: style |= wxICON_ERROR; break;
    case platform::MessageIcon::kQuestion: style |= wxICON_QUESTION; break;
  }
  // A box shown while the wait cursor is on must still be usable.
  const bool busy = wxIsBusy();
  if (busy) wxEndBusyCursor();
  // The toolkit raises a box's owner before the box: any other owner than the dialog would
  // come up over the dialog and hide it.
  wxMessageDialog box(Owner(), ToWx(text), ToWx(caption), style);
  const int answer = box.ShowModal();
  if (busy) wxBeginBusyCursor();
  switch (answer) {
    case wxID_YES: return platform::Choice::kYes;
    case wxID_NO: return platform::Choice::kNo;
    case wxID_CANCEL: return platform::Choice::kCancel;
    default: return platform::Choice::kOk;
  }
}

wxWindow* WxPrompts::Owner() const {
  for (wxWindowList::compatibility_iterator node = wxTopLevelWindows.GetLast(); node;
       node = node->GetPrevious()) {
    wxWindow* window = node->GetData();
    // A window on its way out is no dialog any more; the C++ cast sees what it is now.
    if (window == nullptr || window->IsBeingDeleted()) continue;
    auto* dialog = dynamic_cast<wxDialog*>(window);
    if (dialog != nullptr && dialog->IsModal() && dialog->IsShown()) return dialog;
  }
  return owner_ ? owner_() : nullptr;
}

void WxPrompts::BeginWaitCursor() {
  ++busy_depth_;
  wxBeginBusyCursor();
}

void WxPrompts::EndWaitCursor() {
  if (busy_depth_ == 0) return;  // the run ends it once more than it began on some paths
  --busy_depth_;
  wxEndBusyCursor();
}

void WxPrompts::Beep() { wxBell(); }

}  // namespace kinloom::app
