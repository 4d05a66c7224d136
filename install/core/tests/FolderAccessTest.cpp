// Whether a folder's owner and access entries leave it to the administrators alone.
#include "install/core/FolderAccess.h"

#include <gtest/gtest.h>

using T = Trustee;
using F = FolderAccessFault;
const std::uint32_t Full = 0x001f01ff, Modify = 0x001301bf, ReadAndRun = 0x001200a9;

TEST(FolderAccess, TheSystemsOwnFoldersPassAsTheyStand) {
  // Program Files: users read and run; CREATOR OWNER's rights go only to what is made inside.
  EXPECT_EQ(JudgeFolderAccess({T::TrustedInstaller,
                               true,
                               {{T::Administrators, true, false, Full},
                                {T::Other, true, false, ReadAndRun},
                                {T::CreatorOwner, true, true, Full}}}),
            F::None);
  // A drive's root: users may add folders, and may change them only as they inherit it.
  EXPECT_EQ(JudgeFolderAccess(
                {T::System, true, {{T::Other, true, false, 4}, {T::Other, true, true, Modify}}}),
            F::None);
}

TEST(FolderAccess, AUsersOwnershipNoListOrAnyRightToMoveItFails) {
  EXPECT_EQ(JudgeFolderAccess({T::Other, true, {}}), F::OwnerNotAdministrator);
  EXPECT_EQ(JudgeFolderAccess({T::Administrators, false, {}}), F::NoAccessList);
  for (std::uint32_t right : {0x00010000u, 0x00000040u, 0x00040000u, 0x00080000u, 0x10000000u})
    EXPECT_EQ(JudgeFolderAccess({T::System, true, {{T::Other, true, false, right | ReadAndRun}}}),
              F::OthersMayMove)
        << right;
  // A denying entry grants nothing; CREATOR OWNER on the folder itself is no one.
  EXPECT_EQ(
      JudgeFolderAccess({T::Administrators,
                         true,
                         {{T::Other, false, false, Full}, {T::CreatorOwner, true, false, Full}}}),
      F::None);
}
