#include "platform/Volume.h"

#include "TestSupport.h"

using moravel::platform::fileSystemName;
using moravel::platform::fileSystemNameFromProbe;

TEST(Volume, NamesFromTheDeviceProbe) {
    EXPECT_EQ(fileSystemNameFromProbe("vfat", "FAT32"), "FAT32");
    EXPECT_EQ(fileSystemNameFromProbe("vfat", "FAT16"), "FAT");
    EXPECT_EQ(fileSystemNameFromProbe("vfat", "FAT12"), "FAT");
    EXPECT_EQ(fileSystemNameFromProbe("vfat", ""), "");
    EXPECT_EQ(fileSystemNameFromProbe("exfat", "1.0"), "exFAT");
    EXPECT_EQ(fileSystemNameFromProbe("ntfs", ""), "NTFS");
    EXPECT_EQ(fileSystemNameFromProbe("ext4", "1.0"), "");
}

TEST(Volume, DirectoriesThatAreNotAVolumeRootHaveNoName) {
    QTemporaryDir tmp;
    EXPECT_EQ(fileSystemName(tmp.path()), ""); // a directory inside a volume
    EXPECT_EQ(fileSystemName(tmp.filePath("missing")), "");
    EXPECT_EQ(fileSystemName(QString()), "");
    EXPECT_EQ(moravel::platform::freeBytes(tmp.filePath("missing")), -1);
    EXPECT_GT(moravel::platform::freeBytes(tmp.path()), 0);
}
