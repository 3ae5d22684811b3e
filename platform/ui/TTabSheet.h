#pragma once
#include "platform/ui/TWinControl.h"

class TPageControl;

// One page of a page control: a container whose caption is its tab's text. Only the active page
// of its control is visible; the control sizes the pages to the area under the tabs.
class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TPageControl* pageControl);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return page_control_; }
  int PageIndex() const;

  void CMTextChanged() override;

private:
  friend class TPageControl;
  TPageControl* page_control_;
};
