#include "data/Capacity.h"
#include "app/MainForm.h"

#include "WindowTest.h"

#include <QLineEdit>
#include <QPushButton>

using moravel::data::capacityMessage;

TEST(Capacity, Messages) {
    const qint64 GB = 1073741824;
    EXPECT_EQ(capacityMessage(GB), QStringLiteral("残り容量 : 1 GB\r\n記録可能の日数 : 666日、約 21ヶ月"));
    EXPECT_EQ(capacityMessage(GB / 2),
              QStringLiteral("残り容量 : 0.5 GB\r\n記録可能の日数 : 333日、約 10ヶ月"));
    EXPECT_EQ(capacityMessage(GB * 15 / 10000 - 1), // just under one day
              QStringLiteral("残り容量 : 0.001 GB\r\n記録可能の日数 : 0日、約 0ヶ月"));
    EXPECT_EQ(capacityMessage(GB / 1000),
              QStringLiteral("残り容量 : 0.000 GB\r\n記録可能の日数 : 0日、約 0ヶ月"));
    // The cut counts characters: four whole digits keep the point as the fifth.
    EXPECT_EQ(capacityMessage(static_cast<qint64>(1234.5678 * GB)),
              QStringLiteral("残り容量 : 1234. GB\r\n記録可能の日数 : 823045日、約 26549ヶ月"));
    EXPECT_EQ(capacityMessage(static_cast<qint64>(123.456 * GB)),
              QStringLiteral("残り容量 : 123.4 GB\r\n記録可能の日数 : 82303日、約 2654ヶ月"));
    EXPECT_EQ(capacityMessage(3 * GB),
              QStringLiteral("残り容量 : 3 GB\r\n記録可能の日数 : 2000日、約 64ヶ月"));
    EXPECT_EQ(moravel::data::generalFloatText(1.5e-6), "1.5E-6");
}

using Commands = moravel::test::MainWindowTest;

TEST_F(Commands, CapacityAndVersionBoxes) {
    main->BtCardCheck->click();
    main->BtVersionCheck->click();
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("ドライブを指定してください。"),
                                            QStringLiteral("もらべる\r\nバージョン　：　1.0.1.6")}));
}
