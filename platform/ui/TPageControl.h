#pragma once
#include <vector>

#include "platform/ui/TWinControl.h"

class TTabSheet;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Pages with tabs along the top. A click on a tab, or Left and Right while the control has the
// focus, switches pages and raises OnChanging (which may refuse) and OnChange; setting the
// active page from the program raises neither. The first page added is active.
class TPageControl : public TWinControl {
public:
  explicit TPageControl(TWinControl* parent);
  ~TPageControl() override;

  int PageCount() const { return int(pages_.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  // A page's tab, in client coordinates (the active tab stands out by two pixels); empty when
  // there is no such page.
  TRect TabRect(int index) const;
  // The index of the tab under a client point, or -1.
  int IndexOfTabAt(int x, int y) const;
  // The area the pages fill.
  TRect DisplayRect() const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  bool WantsKey(uint16_t key) const override { return key == VK_LEFT || key == VK_RIGHT; }
  void DoEnter() override;
  void DoExit() override;
  int CMDialogChar(uint32_t charCode) override;
  void CMFontChanged() override;

protected:
  void PaintWindow(TCanvas& canvas) override;
  void BoundsChanged() override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void LayoutPages();
  // Switches pages; a change by the user may be refused by OnChanging and raises OnChange.
  void ChangeActivePage(TTabSheet* page, bool byUser);
  int TabHeight() const;
  void DrawTab(TCanvas& canvas, int index);
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};
