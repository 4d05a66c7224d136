// Whether a folder's owner and access entries leave it to the administrators alone: no one else
// may rename it, delete it, re-own it or change its access, nor delete what is in it. Setup
// requires that of every folder above the one it installs to, so that no user can move the
// install folder away and put a tree of their own in its place.
#pragma once
#include <cstdint>
#include <vector>

// Who an owner or an access entry names, as far as the judgement cares.
enum class Trustee { Administrators, System, TrustedInstaller, CreatorOwner, Other };

// The access rights that let their holder take a folder, or what is in it, out of its place:
// DELETE, FILE_DELETE_CHILD, WRITE_DAC, WRITE_OWNER and GENERIC_ALL, as Windows numbers them.
constexpr std::uint32_t RightsToMoveAFolder =
    0x00010000u | 0x00000040u | 0x00040000u | 0x00080000u | 0x10000000u;

struct AccessEntry {
  Trustee trustee;
  bool allows;       // an allowing entry; a denying one takes nothing away from the judgement
  bool inheritOnly;  // given only to what is made inside, not to the folder itself
  std::uint32_t mask;
};

struct FolderSecurity {
  Trustee owner;
  bool hasList;  // a folder without an access list lets everyone do anything
  std::vector<AccessEntry> entries;
};

enum class FolderAccessFault { None, OwnerNotAdministrator, NoAccessList, OthersMayMove };

// None when only Administrators, SYSTEM and TrustedInstaller own the folder and hold any of
// RightsToMoveAFolder on it. An entry for CREATOR OWNER counts for nothing on the folder itself;
// rights given only to be inherited do not count either, which lets a drive's root (where users
// may make folders) pass.
FolderAccessFault JudgeFolderAccess(const FolderSecurity& folder);
