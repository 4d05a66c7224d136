// The judgement of a folder's owner and access entries.
#include "install/core/FolderAccess.h"

namespace {

bool IsAdministrative(Trustee t) {
  return t == Trustee::Administrators || t == Trustee::System || t == Trustee::TrustedInstaller;
}

}  // namespace

FolderAccessFault JudgeFolderAccess(const FolderSecurity& folder) {
  if (!IsAdministrative(folder.owner)) return FolderAccessFault::OwnerNotAdministrator;
  if (!folder.hasList) return FolderAccessFault::NoAccessList;
  for (const AccessEntry& entry : folder.entries)
    if (entry.allows && !entry.inheritOnly && (entry.mask & RightsToMoveAFolder) &&
        !IsAdministrative(entry.trustee) && entry.trustee != Trustee::CreatorOwner)
      return FolderAccessFault::OthersMayMove;
  return FolderAccessFault::None;
}
