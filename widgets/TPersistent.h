#pragma once
#include "platform/ui/TObject.h"

// The base of the objects a form stores as a group of sub-properties of a control. It adds
// nothing at run time; a property object is filled in place and never copied as a whole.
class TPersistent : public TObject {
public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;
};
