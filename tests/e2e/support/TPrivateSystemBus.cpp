#include "TPrivateSystemBus.h"

#include <fstream>
#include <stdexcept>

TPrivateSystemBus::TPrivateSystemBus(const std::string& folder) {
  const std::string conf = folder + "/system-bus.conf", socket = folder + "/system-bus";
  std::ofstream(conf, std::ios::binary | std::ios::trunc)
      << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
         " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
         "<busconfig>\n"
         "  <type>kiosk-test</type>\n"
         "  <listen>unix:path=" << socket << "</listen>\n"
         "  <auth>EXTERNAL</auth>\n"
         "  <policy context=\"default\">\n"
         "    <allow user=\"*\"/>\n"
         "    <allow own=\"*\"/>\n"
         "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
         "    <allow eavesdrop=\"true\"/>\n"
         "  </policy>\n"
         "</busconfig>\n";
  // Its complaint about the file limit it may not raise is of no interest here.
  bus_ = std::make_unique<TChildProcess>(std::vector<std::string>{
      "sh", "-c", "exec dbus-daemon --nofork --nosyslog --config-file='" + conf + "' --print-address 2>/dev/null"});
  const std::optional<std::string> address = bus_->ReadLine(10000);
  if (!address || !address->starts_with("unix:path=" + socket))
    throw std::runtime_error("the private bus did not start: " + address.value_or("(nothing)"));
  address_ = *address;
}

bool TPrivateSystemBus::StartLoginManager(const std::string& helper, const std::string& recordPath) {
  logind_ = std::make_unique<TChildProcess>(std::vector<std::string>{helper, "logind", recordPath},
                                            std::vector<std::string>{Environment()});
  return logind_->WaitForLine("ready", 10000);
}
