#pragma once
#include "platform/sys/IShell.h"

// The desktop's default handler as GIO finds it from the shared MIME database and mimeapps.list.
class TGioShell : public IShell {
public:
  void ShellOpen(const std::string& address) override;

  // The URI handed to the handler: an address with a scheme as it is; "www." and "ftp." names
  // with their usual scheme, as the Windows shell guesses them; anything else as a file path,
  // relative ones against the current folder. Empty for an empty or blank address.
  static std::string AddressToUri(const std::string& address);
};
