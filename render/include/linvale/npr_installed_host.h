// A host object installed as the process-wide default for as long as this
// lives, the one before it restored afterwards. Render settings ask the
// default host for their style file as soon as they are made, so a host
// installs itself before anything else and leaves last.
#pragma once

#include <linvale/npr_host_application_services.h>

class NprInstalledHost {
public:
  explicit NprInstalledHost(NprHostApplicationServices& host)
      : mPrevious(NprHostApplicationServices::setDefaultHost(&host)) {}
  ~NprInstalledHost() { NprHostApplicationServices::setDefaultHost(mPrevious); }
  NprInstalledHost(const NprInstalledHost&) = delete;
  NprInstalledHost& operator=(const NprInstalledHost&) = delete;

private:
  NprHostApplicationServices* mPrevious;
};
