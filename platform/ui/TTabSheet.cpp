#include "platform/ui/TTabSheet.h"

#include "platform/ui/TPageControl.h"

TTabSheet::TTabSheet(TPageControl* pageControl) : TWinControl(pageControl), page_control_(pageControl) {
  SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
  if (page_control_) page_control_->InsertPage(this);
}

TTabSheet::~TTabSheet() {
  if (page_control_) page_control_->RemovePage(this);
}

int TTabSheet::PageIndex() const {
  if (!page_control_) return -1;
  for (int i = 0; i < page_control_->PageCount(); ++i)
    if (page_control_->Pages(i) == this) return i;
  return -1;
}

void TTabSheet::CMTextChanged() {
  // The caption is drawn on the tab, which belongs to the page control.
  if (page_control_) page_control_->Invalidate();
}
