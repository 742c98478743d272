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

TEST(Volume, TheFatTypeFollowsTheClusterCount) {
    const struct {
        quint64 clusters;
        const char* name;
    } cases[] = {{0, "FAT"}, {4084, "FAT"}, {65524, "FAT"}, {65525, "FAT32"}, {1000000, "FAT32"}};
    for (const auto& c : cases)
        EXPECT_EQ(moravel::platform::fatNameFromClusters(c.clusters), c.name) << c.clusters;
}

TEST(Volume, TheNameComesFromTheProbeThenUdevThenTheClusters) {
    using moravel::platform::fileSystemNameFrom;
    using moravel::platform::VolumeFacts;
    VolumeFacts kernel;
    kernel.kernelType = "vfat";
    kernel.clusters = 70000;
    EXPECT_EQ(fileSystemNameFrom(kernel), "FAT32"); // an ordinary user on the kernel's driver
    kernel.clusters = 20000;
    EXPECT_EQ(fileSystemNameFrom(kernel), "FAT");
    VolumeFacts probed = kernel;
    probed.probeType = "vfat";
    probed.probeVersion = "FAT32";
    EXPECT_EQ(fileSystemNameFrom(probed), "FAT32"); // the device's superblock first
    VolumeFacts fuse;
    fuse.kernelType = "fuse.fusefat";
    fuse.clusters = 70000; // what a FUSE daemon reports says nothing
    EXPECT_EQ(fileSystemNameFrom(fuse), "");
    fuse.udevType = "vfat";
    fuse.udevVersion = "FAT16";
    EXPECT_EQ(fileSystemNameFrom(fuse), "FAT");
    VolumeFacts exfat;
    exfat.kernelType = "exfat";
    EXPECT_EQ(fileSystemNameFrom(exfat), "exFAT");
    VolumeFacts unknown;
    unknown.kernelType = "fuseblk";
    EXPECT_EQ(fileSystemNameFrom(unknown), "");
}

TEST(Volume, TheUdevDatabaseOfADevice) {
    QTemporaryDir data;
    moravel::test::writeBytes(data.filePath("b8:17"), "S:disk/by-label/CARD\nE:ID_FS_TYPE=vfat\n"
                                                      "E:ID_FS_VERSION=FAT32\nE:ID_FS_LABEL=CARD\n");
    EXPECT_EQ(moravel::platform::udevFileSystem(data.path(), "8:17"),
              (std::pair<QString, QString>{"vfat", "FAT32"}));
    EXPECT_EQ(moravel::platform::udevFileSystem(data.path(), "8:18"), (std::pair<QString, QString>{}));
}

TEST(Volume, TheDriveListComesFromTheMountTable) {
    const QStringList drives = moravel::platform::driveList();
    EXPECT_TRUE(drives.contains("/")) << drives.join(' ').toStdString();
}
