#include <quorra/host_application.h>

#include "no_exception.h"
#include "wide_text.h"

#include <linvale/npr_host_application_services.h>

namespace Npr {

namespace {

constexpr unsigned long kPathCapacity = 260;

// The renderer answers in UTF-8; the host gets wide text or 0 when it does
// not fit its buffer.
template <class Query>
int AskDefaultHost(wchar_t* buffer, unsigned long size, Query query) {
  NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
  char narrow[kPathCapacity] = {};
  if (host == nullptr || query(*host, narrow) == 0) {
    return 0;
  }
  return quorra::OrOnFailure(0, [&] { return quorra::CopyWide(quorra::ToWide(narrow), buffer, size) ? 1 : 0; });
}

}  // namespace

void HostApplication::SetMostRecentExecuted() {
  if (NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost()) {
    host->SetMostRecentExecuted();
  }
}

int HostApplication::GetStyleFolder(FolderType kind, wchar_t* buffer, unsigned long size) const {
  if (static_cast<int>(kind) < UserDataFolder || static_cast<int>(kind) > MachineStylesFolder) {
    return 0;
  }
  return AskDefaultHost(buffer, size, [kind](NprHostApplicationServices& host, char* narrow) {
    return host.GetStyleFolder(static_cast<NprHostApplicationServices::Folder>(kind), narrow, kPathCapacity);
  });
}

int HostApplication::GetDefaultStyleFilePath(wchar_t* buffer, unsigned long size) const {
  return AskDefaultHost(buffer, size, [](NprHostApplicationServices& host, char* narrow) {
    return host.GetDefaultStyleFilePath(narrow, kPathCapacity);
  });
}

}  // namespace Npr
